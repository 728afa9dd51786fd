// Writes tests/data/northern_reference.tsv: sunrise, sunset, dawn (16.1
// degrees), nightfall (8.5 and 7.083 degrees) and the Friday candle lighting
// (18 minutes before sunset) of every day of 2026 and 2027 at six cities of
// the far north of the shipped city file, as the npm package kosher-zmanim
// computes them (its NOAA calculator, at sea level), as plain facts for
// tests/e2e/cli_northern_times.sh. Nothing from the package goes into the
// program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/north && cd /tmp/north && npm init -y >/dev/null
//   npm install kosher-zmanim@0.9.0
//   node /path/to/lumaro/scripts/make-northern-reference.mjs /path/to/lumaro/data/cities \
//     > /path/to/lumaro/tests/data/northern_reference.tsv
//
// The package is given each city's coordinates exactly as our city file has
// them (degrees and minutes), its time-zone name and no elevation.
//
// Output, tab separated; '#' starts a comment line:
//   city <name as in the city file> <time zone>
//   day <city> <YYYY-MM-DD> <sunrise> <sunset> <dawn 16.1> <nightfall 8.5> <nightfall 7.083> <candles>
// Each time is the whole minutes from local midnight of the date by the
// city's clock (past midnight more than 1440), rounded to the nearest minute
// (candles down), or - where the package gives none. Candles only on Fridays.
import {createRequire} from 'node:module';
import {join} from 'node:path';
import {readCities} from './city-file.mjs';

const require = createRequire(join(process.cwd(), 'package.json'));
const KZ = require('kosher-zmanim');

// The names as the city file writes them (ISO-8859-1 read as latin1).
const CITIES = ['Fairbanks', 'Anchorage', 'Reykjav\u00edk', 'Helsinki', 'Troms\u00f8', 'Murmansk'];
const FIRST = {year: 2026, month: 1, day: 1};
const DAYS = 730;


const cityFile = readCities(process.argv[2] || 'data/cities');
const version = require('kosher-zmanim/package.json').version;
const out = [`# Facts from kosher-zmanim ${version} (NOAA calculator, sea level),`,
  '# written by scripts/make-northern-reference.mjs for 2026-01-01 .. 2027-12-31.'];
for (const name of CITIES) {
  const city = cityFile.get(name);
  if (!city) throw new Error(`${name} is not in the city file`);
  out.push(['city', name, city.zone].join('\t'));
}
for (const name of CITIES) {
  const {lat, lon, zone} = cityFile.get(name);
  const calendar = new KZ.ComplexZmanimCalendar(new KZ.GeoLocation(name, lat, lon, 0, zone));
  const start = KZ.DateTime.fromObject({...FIRST, zone});
  for (let i = 0; i < DAYS; ++i) {
    const date = start.plus({days: i});
    calendar.setDate(date);
    const midnight = date.startOf('day');
    // Minutes from local midnight, rounded down or to the nearest minute.
    const minutes = (t, down) => {
      if (!t) return '-';
      const m = t.diff(midnight, 'seconds').seconds / 60;
      return String(down ? Math.floor(m + 1e-6) : Math.floor(m + 0.5));
    };
    const sunset = calendar.getSeaLevelSunset();
    const candles = date.weekday === 5 ? minutes(sunset && sunset.minus({minutes: 18}), true) : '';
    out.push(['day', name, date.toISODate(), minutes(calendar.getSeaLevelSunrise()), minutes(sunset),
      minutes(calendar.getAlos16Point1Degrees()), minutes(calendar.getTzaisGeonim8Point5Degrees()),
      minutes(calendar.getTzaisGeonim7Point083Degrees()), candles].join('\t'));
  }
}
process.stdout.write(out.join('\n') + '\n');
