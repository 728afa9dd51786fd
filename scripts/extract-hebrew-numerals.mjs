// Writes tests/data/hebrew_numerals.tsv: the Hebrew numerals of 1..9999 and
// the Hebrew date texts of every day of a few years, as the npm package
// @hebcal/hdate writes them, as plain facts for the unit test of our Hebrew
// numerals. Nothing from the package goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/numerals && cd /tmp/numerals && npm init -y >/dev/null
//   npm install @hebcal/hdate@0.22.8
//   node /path/to/lumaro/scripts/extract-hebrew-numerals.mjs > /path/to/lumaro/tests/data/hebrew_numerals.tsv
//
// Output lines are tab separated; '#' starts a comment line.
//   numeral <n 1..9999> <the package's numeral of n>
//   date <day> <month> <year> <the package's date text, without vowel points>
// Months are numbered as in Lumaro: Nisan = 1 .. Elul = 6, Tishri = 7 ..
// Adar (Adar I in a leap year) = 12, Adar II = 13. The package writes the
// numerals in its own conventions (for example the thousands); the test
// says how they map to ours.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

// The package is looked up in ./node_modules of the current directory, not
// beside this file, so the repository never holds it.
const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {gematriya, HDate, daysInMonth, monthsInYear} = await load('@hebcal/hdate');

// 5785 and 5786 are common years, 5784 and 5787 leap years.
const DATE_YEARS = [5784, 5785, 5786, 5787];

const out = [];
out.push(`# Facts from @hebcal/hdate ${packageJson('@hebcal/hdate').version}, written by scripts/extract-hebrew-numerals.mjs`);
for (let n = 1; n <= 9999; n++) out.push(['numeral', n, gematriya(n)].join('\t'));
for (const year of DATE_YEARS) {
  for (let month = 1; month <= monthsInYear(year); month++) {
    for (let day = 1; day <= daysInMonth(month, year); day++) {
      out.push(['date', day, month, year, new HDate(day, month, year).renderGematriya(true)].join('\t'));
    }
  }
}
process.stdout.write(out.join('\n') + '\n');
