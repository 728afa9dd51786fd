// Writes tests/data/hebcal_times.tsv: the candle-lighting, havdalah, fast,
// Khanukka and khamets times that the npm package @hebcal/core (with its
// NOAA sun) publishes for 24 cities of our city file over 2025 and 2026, as
// plain facts for the unit test that compares our times with them. Nothing
// from the package goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/hebcal && cd /tmp/hebcal && npm init -y >/dev/null
//   npm install @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/extract-hebcal-times.mjs /path/to/lumaro/data/cities \
//     > /path/to/lumaro/tests/data/hebcal_times.tsv
//
// The places are those of our city file (its rounded minutes of latitude and
// longitude and its time-zone name), at sea level, so both sides compute the
// same spot. The options are the test's settings: candle lighting 18 minutes
// before sunset (the city's candles= minutes where its line has them),
// havdalah when the sun is 8.5 degrees below the horizon, the Israel rules
// for the cities in Israel.
//
// Output lines are tab separated; '#' starts a comment line:
//   <city> <YYYY-MM-DD> <kind> <HH:MM UTC> <note>
// <city> is the name as in the city file (UTF-8 here); <YYYY-MM-DD> the civil
// date the package gives the event; <kind> our kind name (candles, havdalah,
// fast-begins, fast-ends, khanukka-<N>, khamets-eat, khamets-burn), mapped
// from the package's event names; <HH:MM UTC> the moment as UTC hours and
// minutes, and "+1" after it when it falls on the next UTC day; <note> is
// "taanit-bechorot" for the fast of the firstborn (which our calendar does
// not keep as a fast), else empty.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {HebrewCalendar, Location} = await load('@hebcal/core');

const VERSION = packageJson('@hebcal/core').version;
if (VERSION !== '6.9.3') throw new Error(`@hebcal/core ${VERSION} installed; the data is made with 6.9.3`);

// North and South America, Europe, Israel, Africa, Asia (half and quarter
// hours: St. John's, Tehran, Kolkata, Kathmandu, Adelaide) and Oceania.
const CITIES = [
  'New York City', 'Los Angeles', 'Toronto', "St. John's", 'Mexico City', 'Buenos Aires', 'Santiago',
  'London', 'Paris', 'Pforzheim', 'Helsinki', 'Moscow', 'Jerusalem', 'Haifa', 'Tel Aviv',
  'Johannesburg', 'Cape Town', 'Tehran', 'Kolkata', 'Kathmandu', 'Perth', 'Adelaide', 'Sydney', 'Auckland',
];
const START = new Date(2025, 0, 1);
const END = new Date(2026, 11, 31);

const cityFile = process.argv[2];
if (!cityFile) throw new Error('usage: node extract-hebcal-times.mjs data/cities');
const lines = readFileSync(cityFile, 'latin1').split('\n');

// "Name", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, candles=40
function city(name) {
  const line = lines.find((l) => l.startsWith(`"${name}",`));
  if (!line) throw new Error(`${name} is not in ${cityFile}`);
  const m = line.match(/^"[^"]*",\s*(\d+),\s*(\d+)\s*([NS]),\s*(\d+),\s*(\d+)\s*([EW]),\s*GMT[^,]*,\s*([^,\s]+)(.*)$/);
  if (!m) throw new Error(`cannot read the line of ${name}`);
  const lat = (Number(m[1]) + Number(m[2]) / 60) * (m[3] === 'S' ? -1 : 1);
  const lon = (Number(m[4]) + Number(m[5]) / 60) * (m[6] === 'W' ? -1 : 1);
  const candles = (m[8].match(/candles=(\d+)/) || [])[1];
  return {lat, lon, tz: m[7], candles: candles ? Number(candles) : 18};
}

const pad = (n) => String(n).padStart(2, '0');
const isoDate = (d) => `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`;

function kindOf(desc) {
  if (desc === 'Candle lighting') return 'candles';
  if (desc === 'Havdalah') return 'havdalah';
  if (desc === 'Fast begins') return 'fast-begins';
  if (desc === 'Fast ends') return 'fast-ends';
  if (desc === 'Finish eating chametz') return 'khamets-eat';
  if (desc === 'Biur Chametz') return 'khamets-burn';
  const m = desc.match(/^Chanukah: (\d) Candles?$/);
  if (m) return `khanukka-${m[1]}`;
  throw new Error(`an event of unknown kind: ${desc}`);
}

console.log(`# Times of @hebcal/core ${VERSION} for 2025 and 2026, made by scripts/extract-hebcal-times.mjs`);
console.log('# city\tdate\tkind\tutc\tnote');
for (const name of CITIES) {
  const c = city(name);
  const il = c.tz === 'Asia/Jerusalem';
  const location = new Location(c.lat, c.lon, il, c.tz, name, 'XX', undefined, 0);
  const events = HebrewCalendar.calendar({
    start: START, end: END, location, il, candlelighting: true, candleLightingMins: c.candles, havdalahDeg: 8.5,
  });
  // The days the package names as the fast of the firstborn.
  const bechorot = new Set(events.filter((e) => e.getDesc().startsWith("Ta'anit Bechorot"))
      .map((e) => isoDate(e.getDate().greg())));
  for (const e of events) {
    if (!e.eventTime) continue;
    const date = isoDate(e.getDate().greg());
    const kind = kindOf(e.getDesc());
    const t = new Date(Math.round(e.eventTime.getTime() / 60000) * 60000);
    const utcDate = t.toISOString().slice(0, 10);
    const nextDay = utcDate > date ? '+1' : utcDate < date ? '-1' : '';
    const note = bechorot.has(date) && kind.startsWith('fast') ? 'taanit-bechorot' : '';
    console.log([name, date, kind, t.toISOString().slice(11, 16) + nextDay, note].join('\t'));
  }
}
