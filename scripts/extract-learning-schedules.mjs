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
//       book in the first cycle; for the cycles by the Hebrew date also the
//       first 29th of each month of 29 days and the first day of two
//       stretches in a plain and in a leap year
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
  ['chofetz-chaim', 'chofetzChaim', (ev, hd) => [ev.reading.k, chofetzChaimText(ev.reading, hd)], 1873, 385,
    'by the Hebrew date, three times a year, shown from 1 Tishrei 5634 as the package shows it; the package writes' +
    ' the 29th of a Kislev of 29 days as Hilchos Rechilus 2:3 alone, though that day also learns the 30th\'s 3:1' +
    ' and 1 Tevet goes on from 3:2: we write 2:3-3:1, and so does this file; the package adds the first and last' +
    ' words of the Hakdamah\'s days, which we leave out'],
  ['shemirat-halashon', 'shemiratHaLashon', (ev) => [`${ev.reading.bk} ${ev.reading.k}`, shemiratHaLashonText(ev.reading)],
    1876, 385, 'by the Hebrew date, once a year, shown from 21 Shevat 5636 as the package shows it; its first book' +
    ' by gate, its second by chapter; the package\'s "19.Footnote_in_11" of the second book is our' +
    ' "Book II, footnote 19:11"'],
  ['sefer-hamitzvot', 'seferHaMitzvot', (ev) => seferHaMitzvot(ev.reading.reading), 1983, 339,
    'the commandments of the day\'s three chapters of the Rambam from 29 April 1984, 339 days a cycle; the package' +
    ' writes "Maimonides\u2019 Introduction to Sefer Hamitzvot", "Principle 1-3", "P1" and "N1", "Nusach HaTefila",' +
    ' "Order of Prayer", "Text of the Haggadah" and "Laws of Megillah and Chanukah Chapters 1-2", we "Hakdamah",' +
    ' "Shorashim 1-3", "Positive Commandment 1" and "Negative Commandment 1", "Nusach HaTefilah", "Seder HaTefilah",' +
    ' "Nusach HaHaggadah" and "Hilchos Megilah v\'Chanukah 1-2", commandments of one kind in a row joined by ", "' +
    ' and the rest by "; " as the package renders them'],
];

// A day of the Sefer HaMitzvot in our words, and its kind of book for the
// samples: the introduction, the principles, the commandments or a text.
const seferHaMitzvotNames = {'Maimonides\u2019 Introduction to Sefer Hamitzvot': 'Hakdamah',
  'Nusach HaTefila': 'Nusach HaTefilah', 'Order of Prayer': 'Seder HaTefilah', 'Text of the Haggadah': 'Nusach HaHaggadah'};
const seferHaMitzvot = (reading) => {
  const groups = [];  // [name, [numbers or ranges]]
  for (const item of reading.split(', ')) {
    const commandment = item.match(/^([PN])(\d+)$/);
    const principle = item.match(/^Principle (\d+-\d+)$/);
    const megillah = item.match(/^Laws of Megillah and Chanukah Chapters (\d+-\d+)$/);
    let name;
    let number;
    if (commandment) [name, number] = [commandment[1] === 'P' ? 'Positive Commandment' : 'Negative Commandment', commandment[2]];
    else if (principle) [name, number] = ['Shorashim', principle[1]];
    else if (megillah) [name, number] = ['Hilchos Megilah v\'Chanukah', megillah[1]];
    else if (seferHaMitzvotNames[item]) name = seferHaMitzvotNames[item];
    else throw new Error(`no name of ours for ${item}`);
    const last = groups[groups.length - 1];
    if (last && last[0] === name && number) last[1].push(number);
    else groups.push([name, number ? [number] : []]);
  }
  const text = groups.map(([name, numbers]) => (numbers.length ? `${name} ${numbers.join(', ')}` : name)).join('; ');
  return [/^[PN]\d/.test(reading) ? 'commandments' : groups[0][0], text];
};

// "7.1" -> [7, 1], 28 -> [28, 0]; a range of them as our text writes it.
const place = (v) => String(v).split('.').map(Number).concat(0).slice(0, 2);
const placeText = ([chapter, verse]) => (verse ? `${chapter}:${verse}` : `${chapter}`);
const rangeText = (b, e) => {
  const [first, last] = [place(b), place(e ?? b)];
  if (first[0] === last[0] && first[1] === last[1]) return placeText(first);
  if (first[0] === last[0] && first[1] && last[1]) return `${placeText(first)}-${last[1]}`;
  return `${placeText(first)}-${placeText(last)}`;
};
const chofetzChaimBooks = {Hakdamah: 'Hakdamah', Psichah: 'Pesichah', Lavin: 'Lavin', Asin: 'Asin', Arurin: 'Arurin',
  HilchosLH: 'Hilchos Lashon Hara', HilchosRechilus: 'Hilchos Rechilus', Tziyurim: 'Tziyurim'};
const chofetzChaimText = (r, hd) => {
  const book = chofetzChaimBooks[r.k];
  if (r.b === undefined) return book;
  const shortKislev = hd.getMonth() === 9 && hd.getDate() === 29 && HDate.daysInMonth(9, hd.getFullYear()) === 29;
  if (shortKislev && r.k === 'HilchosRechilus' && r.b === 2.3 && r.e === undefined) return `${book} 2:3-3:1`;
  if (Array.isArray(r.e)) return `${book} ${rangeText(r.b)}, ${rangeText(r.e[0], r.e[r.e.length - 1])}`;
  return `${book} ${rangeText(r.b, r.e)}`;
};
const shemiratHaLashonBooks = {'1 Hakdamah': 'Hakdamah', '1 Shar Hazechira': 'Sha\'ar HaZechirah',
  '1 Shar Hatvuna': 'Sha\'ar HaTevunah', '1 Shar Hatorah': 'Sha\'ar HaTorah', '1 Chasimas Hasefer': 'Chasimas HaSefer',
  '2 x': 'Book II', '2 Chasimas Hasefer': 'Book II, Chasimas HaSefer'};
const shemiratHaLashonText = (r) => {
  const footnote = String(r.b).match(/^(\d+)\.Footnote_in_(\d+)$/);
  if (footnote) return `Book II, footnote ${footnote[1]}:${footnote[2]}`;
  return `${shemiratHaLashonBooks[`${r.bk} ${r.k}`]} ${rangeText(r.b, r.e)}`;
};

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
  const dated = id === 'chofetz-chaim' || id === 'shemirat-halashon';
  out.push(`# ${id}: ${note}`);
  const text = (hd, il) => {
    const ev = DailyLearning.lookup(calendar, hd, il);
    return ev ? reading(ev, hd) : null;
  };
  let start = null;
  let lastBook = null;
  const shapes = new Set();
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
    const firstYears = hd.abs() - start < 2 * 366;
    const joined = hd.getDate() === 29 && HDate.daysInMonth(hd.getMonth(), hd.getFullYear()) === 29;
    // The first time each kind of year meets a joined 29th or a day of two stretches.
    const shape = `${HDate.isLeapYear(hd.getFullYear())} ${hd.getMonth()} ${joined} ${here[1]}`;
    const special = dated && (joined || /\d, \d/.test(here[1])) && !shapes.has(shape);
    if (special) shapes.add(shape);
    const marked = (firstYears && g.getDate() === 1) || special;
    if ((firstCycle && here[0] !== lastBook) || marked) {
      samples.push(['day', id, iso(g), here[1]].join('\t'));
    }
    lastBook = here[0];
  }
  out.push(['start', id, iso(new HDate(start).greg())].join('\t'));
  for (const [year, [days, lines]] of years) out.push(['year', id, year, days, fnv(lines)].join('\t'));
  out.push(...samples);
}
process.stdout.write(out.join('\n') + '\n');
