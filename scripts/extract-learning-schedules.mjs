// Writes tests/data/learning_schedules_reference.tsv: the daily portions of
// the study cycles that follow a published schedule, as the npm package
// @hebcal/learning publishes them, from each cycle's first day to 2100, as
// plain facts for the unit test that checks our cycles. Nothing from the
// package goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/learning && cd /tmp/learning && npm init -y >/dev/null
//   npm install @hebcal/learning@6.11.3 @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/extract-learning-schedules.mjs > /path/to/lumaro/tests/data/learning_schedules_reference.tsv
//
// Every day is written as "YYYY-MM-DD<TAB>text\n", the text in our English
// form ("Orach Chaim 8:20-9:4", tractates spelt as tests/data/daf_yomi_names.tsv
// and learning_names.tsv map them, "Genesis 1" for 929); the file keeps, per cycle:
//   start <cycle> <YYYY-MM-DD>                the first day with a portion
//   year <cycle> <YYYY> <days> <fnv>          days with a portion in that
//       Gregorian year and the 32-bit FNV-1a hash (hex) of their lines
//   day <cycle> <YYYY-MM-DD> <text>           sampled days: the first of
//       each month of the cycle's first two years and the first day of each
//       book in the first cycle
// The script fails if a cycle differs between Israel and the Diaspora.
import {readFileSync} from 'node:fs';
import {dirname, join} from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {DailyLearning, HDate} = await load('@hebcal/core');
await load('@hebcal/learning');

const LAST_YEAR = 2100;
// The package's tractate names -> ours, from the repository's own tables:
// Daf Yomi's, and the Mishna's and Yerushalmi's ("tractate" rows).
const dataRows = (file) => readFileSync(join(dirname(fileURLToPath(import.meta.url)), '../tests/data', file), 'utf8')
  .split('\n').filter((l) => l && !l.startsWith('#')).map((l) => l.split('\t'));
const dafNames = new Map(dataRows('daf_yomi_names.tsv'));
const tractateNames = new Map(dataRows('learning_names.tsv').filter((f) => f[0] === 'tractate').map((f) => f.slice(1)));
const nachNames = new Map(dataRows('learning_names.tsv').filter((f) => f[0] === 'nach').map((f) => f.slice(1)));
const ourDaf = (name) => {
  if (!dafNames.has(name)) throw new Error(`no name of ours for ${name}`);
  return dafNames.get(name);
};
// [our id, the package's calendar name, the event -> [book, our text], the
// year to look from, the days of one cycle, a note on edition and custom]
const CYCLES = [
  ['arukh-hashulchan-yomi', 'arukhHaShulchanYomi', (ev) => [ev.reading.k, `${ev.reading.k} ${seifRange(ev.reading.v)}`],
    2019, 1719, 'the schedule begun 29 May 2020, repeating every 1719 days without a pause; the simanim and seifim' +
    ' are those of the printed Arukh HaShulchan; no difference of edition or custom between the package and us (a day of' +
    ' one seif the package writes "2.26-26", we "2:26")'],
  ['daf-weekly', 'dafWeekly', (ev) => [ev.daf.name, `${ourDaf(ev.daf.name)} ${ev.daf.blatt}`], 2004, 2711 * 7,
    'a page of Daf Yomi\'s order a week from Sunday 6 March 2005, every day of the week; the package names the pages' +
    ' 22-37 of Me\'ilah Kinnim, Tamid and Midot, we name them Me\'ilah as our Daf Yomi does (tests/data/daf_yomi_names.tsv)'],
  ['yerushalmi-schottenstein', 'yerushalmi-schottenstein',
    (ev) => [ev.daf.name, `${tractateNames.get(ev.daf.name) ?? ev.daf.name} ${ev.daf.blatt}`], 2021, 2094,
    'a page of the Schottenstein edition a day from 14 November 2022 without a pause (Yom Kippur and Tisha BeAv' +
    ' too, unlike the Vilna cycle); tractates spelt as tests/data/learning_names.tsv maps them'],
  ['929', '929', (ev) => [ev.reading.book, `${nachNames.get(ev.reading.book) ?? ev.reading.book} ${ev.reading.bookChap}`],
    2014, 7 * 186, 'a chapter each Sunday to Thursday from 21 December 2014; the package ends the first cycle after' +
    ' chapter 869 (I Chronicles 5) on 18 April 2018 and begins the second on 15 July 2018, and so do we; a cycle' +
    ' leaves its last Thursday empty so that the next begins on a Sunday'],
];

// "8.20-9.4" -> "8:20-9:4", "14.2-9" -> "14:2-9", "2.26-26" -> "2:26".
const seifRange = (v) => {
  const [, siman, seif, lastSiman, lastSeif] = v.match(/^(\d+)\.(\d+)-(?:(\d+)\.)?(\d+)$/);
  if ((lastSiman ?? siman) !== siman) return `${siman}:${seif}-${lastSiman}:${lastSeif}`;
  return lastSeif === seif ? `${siman}:${seif}` : `${siman}:${seif}-${lastSeif}`;
};
const pad = (n) => String(n).padStart(2, '0');
const iso = (g) => `${g.getFullYear()}-${pad(g.getMonth() + 1)}-${pad(g.getDate())}`;
const fnv = (text) => {
  let h = 0x811c9dc5;
  for (const byte of Buffer.from(text, 'utf8')) h = Math.imul(h ^ byte, 0x01000193) >>> 0;
  return h.toString(16).padStart(8, '0');
};

const out = [`# Daily study portions of the scheduled cycles from @hebcal/learning ${packageJson('@hebcal/learning').version}` +
    ` with @hebcal/core ${packageJson('@hebcal/core').version}, written by scripts/extract-learning-schedules.mjs`];
for (const [id, calendar, reading, fromYear, cycleDays, note] of CYCLES) {
  out.push(`# ${id}: ${note}`);
  const text = (hd, il) => {
    const ev = DailyLearning.lookup(calendar, hd, il);
    return ev ? reading(ev) : null;
  };
  let start = null;
  let lastBook = null;
  const years = new Map();  // year -> [days, lines]
  const samples = [];
  const end = new HDate(new Date(LAST_YEAR, 11, 31)).abs();
  for (let hd = new HDate(new Date(fromYear, 0, 1)); hd.abs() <= end; hd = hd.next()) {
    const here = text(hd, false);
    const israel = text(hd, true);
    if (JSON.stringify(here) !== JSON.stringify(israel)) throw new Error(`${id} differs in Israel on ${iso(hd.greg())}`);
    if (!here) continue;
    const g = hd.greg();
    start ??= hd.abs();
    const line = `${iso(g)}\t${here[1]}\n`;
    const year = years.get(g.getFullYear()) ?? [0, ''];
    years.set(g.getFullYear(), [year[0] + 1, year[1] + line]);
    const firstCycle = hd.abs() - start < cycleDays;
    if ((firstCycle && here[0] !== lastBook) || (g.getDate() === 1 && hd.abs() - start < 2 * 366)) {
      samples.push(['day', id, iso(g), here[1]].join('\t'));
    }
    lastBook = here[0];
  }
  out.push(['start', id, iso(new HDate(start).greg())].join('\t'));
  for (const [year, [days, lines]] of years) out.push(['year', id, year, days, fnv(lines)].join('\t'));
  out.push(...samples);
}
process.stdout.write(out.join('\n') + '\n');
