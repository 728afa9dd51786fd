// Writes two files of plain facts for the tests, as the npm package
// @hebcal/core computes them. Nothing from the package goes into the program
// itself.
//
//   tests/data/minor_days_reference.tsv: the days of Yom Kippur Katan, the
//   BeHaB fasts, the Fast of the Firstborn and Birkat haKhama from 1900-01-01
//   to 2100-12-31, in Israel and in the Diaspora.
//
//   tests/data/kiddush_levana_reference.tsv: the first and the last moment of
//   Kiddush Levana, by two customs, of every month whose molad falls in
//   2020 .. 2029, as clock times of twelve cities of the shipped city file.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/minor && cd /tmp/minor && npm init -y >/dev/null
//   npm install @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/make-minor-days-reference.mjs /path/to/lumaro
//
// The argument is the top of the repository (by default the one this script
// is in): the cities are read from its data/cities and both files are
// written to its tests/data.
import {readFileSync, writeFileSync} from 'node:fs';
import {dirname, join} from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import {readCities} from './city-file.mjs';

const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {HebrewCalendar, HDate, Molad} = await load('@hebcal/core');

const PACKAGE = `@hebcal/core ${packageJson('@hebcal/core').version}`;
const SCRIPT = 'scripts/make-minor-days-reference.mjs';
const root = process.argv[2] || join(dirname(fileURLToPath(import.meta.url)), '..');


const pad = (n) => String(n).padStart(2, '0');
const isoDate = (d) => `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}`;

// The minor days. The package names the Yom Kippur Katan of each month
// ("Yom Kippur Katan Sh'vat", ...); the others have one name each.
const FIRST_YEAR = 1900;
const LAST_YEAR = 2100;
function minorKind(desc) {
  if (desc.startsWith('Yom Kippur Katan ')) return 'yom-kippur-katan';
  if (desc === "Ta'anit BeHaB") return 'behab';
  if (desc === "Ta'anit Bechorot") return 'taanit-bekhorot';
  if (desc === 'Birkat Hachamah') return 'birkat-hachama';
  return undefined;
}

function minorDays() {
  const out = [];
  out.push(`# Facts from ${PACKAGE}, written by ${SCRIPT}.`);
  out.push(`# Every day from ${FIRST_YEAR}-01-01 to ${LAST_YEAR}-12-31 on which the package, asked for`);
  out.push('# Yom Kippur Katan and the BeHaB fasts, names one of these, in Israel and in');
  out.push('# the Diaspora. Tab separated columns: <israel|diaspora> <YYYY-MM-DD> <kind>, kind one of');
  out.push('#   yom-kippur-katan  "Yom Kippur Katan <month>", the eve of Rosh Khodesh');
  out.push('#   behab             "Ta\'anit BeHaB", Monday, Thursday, Monday after Pesakh and Sukkot');
  out.push('#   taanit-bekhorot   "Ta\'anit Bechorot", the Fast of the Firstborn');
  out.push('#   birkat-hachama    "Birkat Hachamah", the blessing of the sun');
  out.push('# The package has no Yom Kippur Katan before Tishri, Kheshvan, Tevet and Iyar.');
  out.push('# Sorted by place (israel first), then date.');
  for (const il of [true, false]) {
    const place = il ? 'israel' : 'diaspora';
    for (let year = FIRST_YEAR; year <= LAST_YEAR; year++) {
      const options = {year, isHebrewYear: false, yomKippurKatan: true, behab: true, il};
      const lines = [];
      for (const e of HebrewCalendar.calendar(options)) {
        const kind = minorKind(e.getDesc());
        if (!kind) continue;
        lines.push([place, isoDate(e.getDate().greg()), kind].join('\t'));
      }
      lines.sort();
      out.push(...lines);
    }
  }
  return out;
}

// Kiddush Levana. A spread of zones: both hemispheres, daylight saving north
// and south, zones of half an hour (Kolkata, Tehran) and none of it.
const CITIES = [
  'Jerusalem', 'New York City', 'Los Angeles', 'London', 'Paris', 'Moscow',
  'Johannesburg', 'Buenos Aires', 'Sydney', 'Kolkata', 'Tehran', 'Auckland',
];
const FIRST_MOLAD_YEAR = 2020;
const LAST_MOLAD_YEAR = 2029;
// Style 1: from 7 days after the molad to 15 days after it. Style 2: from 3
// days after the molad to half way between molad and molad.
const STYLES = [
  [1, 'getTchilasZmanKidushLevana7Days', 'getSofZmanKidushLevana15Days'],
  [2, 'getTchilasZmanKidushLevana3Days', 'getSofZmanKidushLevanaBetweenMoldos'],
];

// The months of the Hebrew years about the Gregorian years asked for, in
// order (Tishri first), as the package numbers them (Nisan 1, Tishri 7).
function moladMonths() {
  const months = [];
  const firstYear = FIRST_MOLAD_YEAR + 3760 - 1;
  const lastYear = LAST_MOLAD_YEAR + 3761 + 1;
  for (let year = firstYear; year <= lastYear; year++) {
    const count = HDate.monthsInYear(year);
    const order = [];
    for (let month = 7; month <= count; month++) order.push(month);
    for (let month = 1; month <= 6; month++) order.push(month);
    for (const month of order) {
      const molad = new Molad(year, month);
      const utcYear = new Date(molad.getInstant().epochMilliseconds).getUTCFullYear();
      if (utcYear >= FIRST_MOLAD_YEAR && utcYear <= LAST_MOLAD_YEAR) months.push(molad);
    }
  }
  return months;
}

// Date and clock of an instant in a zone, the seconds truncated.
function localTime(zoned, zone) {
  if (zoned === null) throw new Error('the package gave no time');
  const instant = new Date(Math.floor(zoned.epochMilliseconds / 1000) * 1000);
  const format = new Intl.DateTimeFormat('en-GB', {
    timeZone: zone,
    year: 'numeric',
    month: '2-digit',
    day: '2-digit',
    hour: '2-digit',
    minute: '2-digit',
    second: '2-digit',
    hourCycle: 'h23',
  });
  const parts = format.formatToParts(instant);
  const part = (type) => parts.find((p) => p.type === type).value;
  return [`${part('year')}-${part('month')}-${part('day')}`, `${part('hour')}:${part('minute')}:${part('second')}`];
}

function kiddushLevana() {
  const cityFile = readCities(join(root, 'data', 'cities'));
  const months = moladMonths();
  const out = [];
  out.push(`# Facts from ${PACKAGE} (its Molad class), written by ${SCRIPT}.`);
  const span = `${FIRST_MOLAD_YEAR} .. ${LAST_MOLAD_YEAR}`;
  out.push(`# Every month whose molad falls in ${span} (the year of the molad in UTC).`);
  out.push('# Tab separated columns: <city> <style> <kind> <YYYY-MM-DD> <HH:MM:SS>, kind');
  out.push('# kiddush-levana-begins or kiddush-levana-ends:');
  out.push('#   style 1: begins 7 days after the molad, ends 15 days after it');
  out.push('#   style 2: begins 3 days after the molad, ends half way between molad and molad');
  out.push('# The date and clock are of the city\'s time zone (of the city file), daylight saving');
  out.push('# applied, the seconds truncated. The package\'s type declarations say it reckons');
  out.push('# the molad in the mean time of longitude 35.2354 degrees east, 2 h 20 min 56.496 s');
  out.push('# ahead of UTC. The Molad class is given no place: these are the same instants in');
  out.push('# every city, only written in its zone. Each month gives begins then ends; the');
  out.push('# months in order, per city and style.');
  for (const name of CITIES) {
    const city = cityFile.get(name);
    if (!city) throw new Error(`${name} is not in the city file`);
    for (const [style, begins, ends] of STYLES) {
      for (const molad of months) {
        for (const [kind, method] of [['kiddush-levana-begins', begins], ['kiddush-levana-ends', ends]]) {
          const [date, clock] = localTime(molad[method](), city.zone);
          out.push([name, style, kind, date, clock].join('\t'));
        }
      }
    }
  }
  return out;
}

const write = (file, lines) => writeFileSync(join(root, 'tests', 'data', file), lines.join('\n') + '\n');
write('minor_days_reference.tsv', minorDays());
write('kiddush_levana_reference.tsv', kiddushLevana());
