// Writes tests/data/times_reference.tsv: the candle-lighting, havdalah, fast,
// Khanukka and khamets times of two years at 27 cities of the shipped city
// file, as the npm package @hebcal/core computes them (with its NOAA sun), as
// plain facts for tests/e2e/cli_times_reference.sh. Nothing from the package
// goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/times && cd /tmp/times && npm init -y >/dev/null
//   npm install @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/make-times-reference.mjs /path/to/lumaro/data/cities \
//     > /path/to/lumaro/tests/data/times_reference.tsv
//
// The package is given each city's coordinates exactly as our city file has
// them (degrees and minutes), its time-zone name, no elevation, and the same
// choices as the test gives Lumaro: the candle-lighting minutes, havdalah in
// degrees or minutes, Israel or the Diaspora. Alot haShakhar is the package's
// (16.1 degrees), fast ends and nightfall 7.083 degrees.
//
// Output, tab separated; '#' starts a comment line:
//   config <city> <israel|diaspora> <candle minutes> <havdalah: N deg | N min>
//   time <city> <YYYY-MM-DD> <kind> <HH:MM> <what the package says>
// Kinds are Lumaro's (lumaro-cli times). The package writes one "Candle
// lighting" for both: a time after that day's sunset is written as
// candles-after-nightfall. The Sunday..Thursday Khanukka lights the package
// times by a custom of its own, earlier than nightfall; their time column is
// the package's nightfall (7.083 degrees) of that evening instead, and the
// last column says so. The same for the end of every fast: the package ends
// Tisha BeAv, and in Israel the minor fasts, earlier than nightfall (its own
// time is noted where it differs by more than a minute). Times are local
// clock times of the city's zone, in the minute the package rounds them to
// (nightfall: to the nearest minute).
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';
import {readCities} from './city-file.mjs';

const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {HebrewCalendar, Location, Zmanim} = await load('@hebcal/core');

// City, Israel, candle minutes, havdalah degrees or minutes. Several
// continents, both hemispheres, zones of half an hour (St. John's, Tehran,
// Kolkata, Adelaide) and of a quarter (Kathmandu), the equator (Singapore)
// and the north where the sun does not sink far in summer (London, Moscow,
// Stockholm, Helsinki).
const CITIES = [
  ['Jerusalem', true, 40, {deg: 8.5}],
  ['Haifa', true, 30, {deg: 8.5}],
  ['Tel Aviv', true, 20, {min: 42}],
  ['New York City', false, 18, {deg: 8.5}],
  ['Los Angeles', false, 18, {min: 50}],
  ['Chicago', false, 18, {deg: 8.5}],
  ['Toronto', false, 18, {deg: 8.5}],
  ["St. John's", false, 18, {deg: 8.5}],
  ['Mexico City', false, 18, {deg: 8.5}],
  ['Buenos Aires', false, 18, {deg: 8.5}],
  ['Santiago', false, 18, {min: 72}],
  ['London', false, 18, {deg: 8.5}],
  ['Paris', false, 18, {deg: 8.5}],
  ['Pforzheim', false, 18, {deg: 8.5}],
  ['Moscow', false, 18, {deg: 8.5}],
  ['Stockholm', false, 18, {deg: 8.5}],
  ['Helsinki', false, 18, {deg: 8.5}],
  ['Johannesburg', false, 18, {deg: 8.5}],
  ['Cape Town', false, 18, {deg: 8.5}],
  ['Tehran', false, 18, {deg: 8.5}],
  ['Kolkata', false, 18, {deg: 8.5}],
  ['Kathmandu', false, 18, {deg: 8.5}],
  ['Singapore', false, 18, {deg: 8.5}],
  ['Perth', false, 18, {min: 50}],
  ['Adelaide', false, 18, {deg: 8.5}],
  ['Sydney', false, 18, {min: 45}],
  ['Auckland', false, 18, {deg: 8.5}],
];
const FIRST = [2025, 1, 1];
const LAST = [2026, 12, 31];


const pad = (n) => String(n).padStart(2, '0');
const isoDate = (d) => `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`;
function clock(instant, zone, round) {
  const t = new Date(round ? Math.round(instant.getTime() / 60000) * 60000 : instant.getTime());
  const parts = new Intl.DateTimeFormat('en-GB', {timeZone: zone, hour: '2-digit', minute: '2-digit', hourCycle: 'h23'})
    .formatToParts(t);
  const part = (type) => parts.find((p) => p.type === type).value;
  return `${part('hour')}:${part('minute')}`;
}

// Minutes from clock b to clock a, across midnight the short way.
function difference(a, b) {
  const m = (t) => Number(t.slice(0, 2)) * 60 + Number(t.slice(3));
  const d = (((m(a) - m(b)) % 1440) + 1440) % 1440;
  return d > 720 ? d - 1440 : d;
}

const KINDS = new Map([
  ['Havdalah', 'havdalah'],
  ['Fast begins', 'fast-begins'],
  ['Fast ends', 'fast-ends'],
  ['Finish eating chametz', 'khamets-eat'],
  ['Biur Chametz', 'khamets-burn'],
]);

const cityFile = readCities(process.argv[2] || 'data/cities');
const out = [];
out.push(`# Facts from @hebcal/core ${packageJson('@hebcal/core').version}, written by scripts/make-times-reference.mjs`);
out.push(`# for ${FIRST.map(pad).join('-')} .. ${LAST.map(pad).join('-')}.`);
for (const [name, il, candles, havdalah] of CITIES) {
  const city = cityFile.get(name);
  if (!city) throw new Error(`${name} is not in the city file`);
  out.push(['config', name, il ? 'israel' : 'diaspora', candles, havdalah.deg ? `${havdalah.deg} deg` : `${havdalah.min} min`].join('\t'));
}
for (const [name, il, candles, havdalah] of CITIES) {
  const {lat, lon, zone} = cityFile.get(name);
  const location = new Location(lat, lon, il, zone, name, '', undefined, 0);
  const options = {
    start: new Date(...FIRST.map((v, i) => (i === 1 ? v - 1 : v))),
    end: new Date(...LAST.map((v, i) => (i === 1 ? v - 1 : v))),
    location, il, candlelighting: true, candleLightingMins: candles,
  };
  if (havdalah.deg) options.havdalahDeg = havdalah.deg;
  else options.havdalahMins = havdalah.min;
  const events = HebrewCalendar.calendar(options);
  // The untimed events of each date, to say what a time belongs to.
  const untimed = new Map();
  for (const e of events) {
    if (e.eventTime) continue;
    const date = isoDate(e.getDate().greg());
    untimed.set(date, [...(untimed.get(date) || []), e.getDesc()]);
  }
  for (const e of events) {
    if (!e.eventTime) continue;
    const day = e.getDate().greg();
    const date = isoDate(day);
    const desc = e.getDesc();
    const what = [desc, ...(untimed.get(date) || [])].join('; ');
    let kind = KINDS.get(desc);
    let time = clock(e.eventTime, zone, false);
    let note = what;
    if (desc === 'Candle lighting') {
      const sunset = new Zmanim(location, day, false).sunset();
      kind = e.eventTime > sunset ? 'candles-after-nightfall' : 'candles';
    } else if (desc === 'Fast ends') {
      // A fast ends at nightfall (7.083 degrees); the package ends some
      // fasts by customs of its own (Tisha BeAv a few minutes earlier, the
      // minor fasts in Israel a quarter of an hour earlier): the time
      // written is the package's nightfall, its own time noted where it
      // differs by more than a minute.
      const nightfall = clock(new Zmanim(location, day, false).tzeit(7.083), zone, true);
      if (Math.abs(difference(nightfall, time)) > 1) note = `${what}; the package: ${time}`;
      time = nightfall;
    } else if (/^Chanukah: \d Candles?$/.test(desc)) {
      kind = 'khanukka';
      if (day.getDay() <= 4) {
        time = clock(new Zmanim(location, day, false).tzeit(7.083), zone, true);
        note = `${what}; time: nightfall 7.083 deg`;
      }
    }
    if (!kind) throw new Error(`${name} ${date}: a time of an unknown kind: ${desc}`);
    out.push(['time', name, date, kind, time, note].join('\t'));
  }
}
process.stdout.write(out.join('\n') + '\n');
