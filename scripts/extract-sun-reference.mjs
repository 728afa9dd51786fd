// Writes tests/data/sun_reference.tsv: sunrise, sunset and the times the
// sun reaches a few depressions below the horizon, as computed by the npm
// package @hebcal/noaa (the NOAA solar equations), for the unit test that
// checks our own precise sun calculation against an independent source.
// Nothing from the package goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/sunref && cd /tmp/sunref && npm init -y >/dev/null
//   npm install @hebcal/noaa@0.12.3 temporal-polyfill@1.0.9 @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/extract-sun-reference.mjs > /path/to/lumaro/tests/data/sun_reference.tsv
//   node /path/to/lumaro/scripts/extract-sun-reference.mjs candles > /path/to/lumaro/tests/data/candle_reference.tsv
//
// With "candles" it writes the times a calendar program built on the same
// equations (@hebcal/core) shows for candle lighting 18 minutes before
// sunset and havdalah 72 minutes after sunset or at 8.5 degrees below the
// horizon, for every day, with and without the city's elevation (see the
// comment before writeCandles below).
//
// Output lines are tab separated; '#' starts a comment line.
//   city <id> <name> <latitude> <longitude> <elevation> <time zone>
//     latitude and longitude packed as degrees * 100 + minutes, north and
//     east positive (4043 = 40 deg 43 min N, -7400 = 74 deg 0 min W,
//     -14 = 0 deg 14 min S); the decimal degrees given to the package are
//     sign * (degrees + minutes / 60). The elevation is in metres, a rough
//     height of the city centre: the test uses the same number, so it need
//     not be exact.
//   <id> <YYYY-MM-DD> <event> ... (one line per city and day)
//     The date is the civil date in the city's time zone. Each event is the
//     instant of the event in tenths of a second after 0h UTC of that date
//     (negative or beyond 864000 where the zone is far from Greenwich), or
//     '-' where the package gives none (the sun does not reach that zenith).
//     Columns: sunrise and sunset at sea level, sunrise and sunset with the
//     city's elevation, then the morning times at 16.1, 8.5 and 7.083
//     degrees below the horizon, then the evening times at 7.083, 8.5 and
//     16.1 degrees.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

// The packages are looked up in ./node_modules of the current directory, not
// beside this file, so the repository never holds them.
const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const entry = (name) => {
  const p = packageJson(name);
  const main = typeof p.exports === 'object' && typeof p.exports['.'] === 'string' ? p.exports['.'] : (p.module ?? p.main);
  return pathToFileURL(join(packageDir(name), main)).href;
};
await import(pathToFileURL(join(packageDir('temporal-polyfill'), 'global.esm.js')).href);
const {GeoLocation, NOAACalculator} = await import(entry('@hebcal/noaa'));

const FIRST_YEAR = 2025;
const LAST_YEAR = 2026;
const DEPRESSIONS_MORNING = [16.1, 8.5, 7.083];
const DEPRESSIONS_EVENING = [7.083, 8.5, 16.1];

// name, latitude, longitude (packed), elevation in metres, time zone
const CITIES = [
  ['Jerusalem', 3146, 3513, 754, 'Asia/Jerusalem'],
  ['New York City', 4043, -7400, 10, 'America/New_York'],
  ['Los Angeles', 3403, -11815, 89, 'America/Los_Angeles'],
  ['Denver', 3944, -10459, 1609, 'America/Denver'],
  ['Mexico City', 1926, -9908, 2240, 'America/Mexico_City'],
  ['Honolulu', 2118, -15751, 6, 'Pacific/Honolulu'],
  ['Anchorage', 6113, -14954, 31, 'America/Anchorage'],
  ['St. John\'s', 4734, -5243, 70, 'America/St_Johns'],
  ['Quito', -14, -7831, 2850, 'America/Guayaquil'],
  ['Buenos Aires', -3437, -5823, 25, 'America/Argentina/Buenos_Aires'],
  ['Ushuaia', -5448, -6818, 23, 'America/Argentina/Ushuaia'],
  ['London', 5131, -8, 11, 'Europe/London'],
  ['Reykjavik', 6409, -2157, 30, 'Atlantic/Reykjavik'],
  ['Tromso', 6939, 1857, 10, 'Europe/Oslo'],
  ['Longyearbyen', 7813, 1538, 20, 'Arctic/Longyearbyen'],
  ['Moscow', 5545, 3737, 144, 'Europe/Moscow'],
  ['Cairo', 3004, 3115, 23, 'Africa/Cairo'],
  ['Nairobi', -117, 3649, 1795, 'Africa/Nairobi'],
  ['Johannesburg', -2612, 2803, 1753, 'Africa/Johannesburg'],
  ['Cape Town', -3356, 1825, 25, 'Africa/Johannesburg'],
  ['Tehran', 3542, 5125, 1190, 'Asia/Tehran'],
  ['Kolkata', 2234, 8822, 9, 'Asia/Kolkata'],
  ['Kathmandu', 2742, 8519, 1337, 'Asia/Kathmandu'],
  ['Singapore', 117, 10351, 15, 'Asia/Singapore'],
  ['Tokyo', 3541, 13942, 40, 'Asia/Tokyo'],
  ['Perth', -3157, 11552, 31, 'Australia/Perth'],
  ['Adelaide', -3456, 13836, 50, 'Australia/Adelaide'],
  ['Sydney', -3352, 15112, 58, 'Australia/Sydney'],
  ['Auckland', -3651, 17446, 26, 'Pacific/Auckland'],
  ['Waitangi', -4357, -17634, 30, 'Pacific/Chatham'],
  ['McMurdo Station', -7751, 16640, 10, 'Antarctica/McMurdo'],
];

const decimal = (packed) => Math.sign(packed) * (Math.trunc(Math.abs(packed) / 100) + (Math.abs(packed) % 100) / 60);

// Candle lighting and havdalah as @hebcal/core shows them, in whole minutes
// after 0h UTC of the date (the shown clock minute as an instant), '-' where
// it gives none:
//   <id> <date> <candles 18> <havdalah 72> <havdalah 8.5> <candles 18 elev> <havdalah 72 elev>
// Its sunsetOffset(offset, true) and tzeit(angle) with Zmanim.roundTime give
// the times; on every Friday and Saturday they are checked against the
// times of its own calendar of candle-lighting events (eventTimeStr), and a
// difference stops the script, so the columns are the times it shows.
async function writeCandles() {
  const core = await import(entry('@hebcal/core'));
  const {Zmanim, HebrewCalendar, Location} = core;
  const lines = [];
  lines.push(`# Facts from @hebcal/core ${packageJson('@hebcal/core').version}` +
             ` (temporal-polyfill ${packageJson('temporal-polyfill').version}),` +
             ' written by scripts/extract-sun-reference.mjs candles');
  lines.push('# city <id> <name> <latitude> <longitude> <elevation m> <time zone>');
  lines.push('# <id> <date> <candles 18> <havdalah 72> <havdalah 8.5> <candles 18 elev> <havdalah 72 elev>');
  lines.push('#   whole minutes after 0h UTC of the date, - for none');
  CITIES.forEach(([name, lat, lon, elevation, zone], id) => {
    lines.push(['city', id, name, lat, lon, elevation, zone].join('\t'));
  });
  const minutesOf = (d, midnight) => {
    if (d === null || d === undefined || Number.isNaN(d.getTime())) return '-';
    const ms = d.getTime() - midnight;
    if (ms % 60000 !== 0) throw new Error('not a whole minute');
    return String(ms / 60000);
  };
  let checked = 0;
  for (const [id, [name, lat, lon, elevation, zone]] of CITIES.entries()) {
    const loc = new Location(decimal(lat), decimal(lon), false, zone, name, undefined, undefined, elevation);
    // The program's own calendar of Shabbat times, as it shows them.
    const shown = new Map();
    for (const [useElevation, havdalah] of [[false, {havdalahMins: 72}], [false, {havdalahDeg: 8.5}],
                                            [true, {havdalahMins: 72}]]) {
      const events = HebrewCalendar.calendar({
        start: new Date(FIRST_YEAR, 0, 1), end: new Date(LAST_YEAR, 11, 31), location: loc,
        candlelighting: true, candleLightingMins: 18, useElevation, noHolidays: true, ...havdalah,
      });
      for (const ev of events) {
        if (!ev.eventTime) continue;
        const desc = ev.getDesc();
        if (desc !== 'Candle lighting' && desc !== 'Havdalah') continue;
        const kind = desc === 'Candle lighting' ? 'C' : 'H';
        const key = `${ev.getDate().greg().toDateString()}|${kind}|${useElevation}|${havdalah.havdalahDeg ?? 72}`;
        shown.set(key, ev.eventTimeStr);
      }
    }
    const clock = new Intl.DateTimeFormat('en-GB', {timeZone: zone, hour: '2-digit', minute: '2-digit', hourCycle: 'h23'});
    for (let date = new Temporal.PlainDate(FIRST_YEAR, 1, 1); date.year <= LAST_YEAR; date = date.add({days: 1})) {
      const midnight = Date.UTC(date.year, date.month - 1, date.day);
      const jsDate = new Date(date.year, date.month - 1, date.day);
      const sea = new Zmanim(loc, jsDate, false);
      const up = new Zmanim(loc, jsDate, true);
      const tzeit = sea.tzeit(8.5);
      const times = [sea.sunsetOffset(-18, true), sea.sunsetOffset(72, true),
                     Number.isNaN(tzeit.getTime()) ? null : Zmanim.roundTime(tzeit),
                     up.sunsetOffset(-18, true), up.sunsetOffset(72, true)];
      const checks = [[0, 'C', false, 72], [1, 'H', false, 72], [2, 'H', false, 8.5], [3, 'C', true, 72], [4, 'H', true, 72]];
      for (const [column, kind, useElevation, havdalah] of checks) {
        // Friday candles and Saturday havdalah (a festival's times follow other rules).
        if (date.dayOfWeek !== (kind === 'C' ? 5 : 6)) continue;
        const key = `${jsDate.toDateString()}|${kind}|${useElevation}|${havdalah}`;
        const t = times[column];
        if (!shown.has(key) || t === null || Number.isNaN(t.getTime())) continue;
        const mine = clock.format(t);
        ++checked;
        if (mine !== shown.get(key)) throw new Error(`${name} ${date} column ${column}: ${mine} != ${shown.get(key)}`);
      }
      lines.push([id, date.toString(), ...times.map((t) => minutesOf(t, midnight))].join('\t'));
    }
  }
  if (checked < 1000) throw new Error(`only ${checked} times checked against the calendar`);
  process.stderr.write(`${checked} Friday and Saturday times equal to the calendar's own\n`);
  process.stdout.write(lines.join('\n') + '\n');
}

if (process.argv[2] === 'candles') {
  await writeCandles();
  process.exit(0);
}

const out = [];
out.push(`# Facts from @hebcal/noaa ${packageJson('@hebcal/noaa').version}` +
         ` (temporal-polyfill ${packageJson('temporal-polyfill').version}),` +
         ' written by scripts/extract-sun-reference.mjs');
out.push('# city <id> <name> <latitude> <longitude> <elevation m> <time zone>');
out.push('# <id> <date> <rise> <set> <rise elev> <set elev> <am 16.1> <am 8.5> <am 7.083> <pm 7.083> <pm 8.5> <pm 16.1>');
out.push('#   tenths of a second after 0h UTC of the date, - for none');
CITIES.forEach(([name, lat, lon, elevation, zone], id) => {
  out.push(['city', id, name, lat, lon, elevation, zone].join('\t'));
});

CITIES.forEach(([name, lat, lon, elevation, zone], id) => {
  const atSea = new GeoLocation(name, decimal(lat), decimal(lon), 0, zone);
  const high = new GeoLocation(name, decimal(lat), decimal(lon), elevation, zone);
  for (let date = new Temporal.PlainDate(FIRST_YEAR, 1, 1); date.year <= LAST_YEAR; date = date.add({days: 1})) {
    const midnight = Date.UTC(date.year, date.month - 1, date.day);
    const tenths = (zdt) => (zdt === null ? '-' : String(Math.round((zdt.epochMilliseconds - midnight) / 100)));
    const sea = new NOAACalculator(atSea, date);
    const up = new NOAACalculator(high, date);
    const fields = [id, date.toString(),
      tenths(sea.getSeaLevelSunrise()), tenths(sea.getSeaLevelSunset()),
      tenths(up.getSunrise()), tenths(up.getSunset())];
    for (const d of DEPRESSIONS_MORNING) fields.push(tenths(sea.getSunriseOffsetByDegrees(90 + d)));
    for (const d of DEPRESSIONS_EVENING) fields.push(tenths(sea.getSunsetOffsetByDegrees(90 + d)));
    out.push(fields.join('\t'));
  }
});
process.stdout.write(out.join('\n') + '\n');
