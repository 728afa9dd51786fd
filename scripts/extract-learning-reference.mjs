// Writes tests/data/learning_reference.tsv: the daily study portions that the
// npm package @hebcal/learning publishes (Mishna Yomit, Nach Yomi, Yerushalmi
// Yomi of the Vilna edition, Rambam one and three chapters a day, the monthly
// Tehillim and Pirkei Avot on summer Shabbatot), as plain facts for the unit
// test that checks our cycles day by day. Nothing from the package goes into
// the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/learning && cd /tmp/learning && npm init -y >/dev/null
//   npm install @hebcal/learning@6.11.3 @hebcal/core@6.9.3
//   node /path/to/lumaro/scripts/extract-learning-reference.mjs > /path/to/lumaro/tests/data/learning_reference.tsv
//
// Output lines are tab separated; '#' starts a comment line.
//   name <cycle> <index> <name>   the package's name of book or tractate <index>
//                                  of a cycle (numbered in order of first use)
//   start <cycle> <YYYY-MM-DD>    the first day the package gives a cycle
//                                  that counts days from its start
//   days <YYYY-MM-DD> <count>     the day lines that follow cover <count>
//                                  consecutive days from that date, one line each
// A day line has one field per cycle, in the order of CYCLES below, then
// Pirkei Avot in Israel; an empty field is a day without a portion. A field is
// a comma-separated list of parts <index>/<place>, where <place> is the
// package's own chapter, verse, page or range text of that part ("1:5",
// "7-8", "1:1-4:8", "65"). Tehillim is "<first>-<last>" with the package's two
// ends ("55-59", "119:1-119:96"), Pirkei Avot the chapters joined by '+'.
// Every cycle except Pirkei Avot is checked to be the same in Israel and the
// Diaspora; the script fails if one is not.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

// The packages are looked up in ./node_modules of the current directory, not
// beside this file, so the repository never holds them.
const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {DailyLearning, HDate} = await load('@hebcal/core');
await load('@hebcal/learning');  // registers its calendars with DailyLearning

const FIRST = new Date(1950, 0, 1);
const LAST = new Date(2100, 11, 31);

// [our short name, the package's calendar name, parts of an event, whether
// the cycle counts days from a start date]
const CYCLES = [
  ['mishna-yomit', 'mishnayomi', (ev) => ev.mishnaYomi.map((m) => [m.k, m.v]), true],
  ['nach-yomi', 'nachyomi', (ev) => [[ev.k, String(ev.v)]], true],
  ['yerushalmi-yomi', 'yerushalmi-vilna', (ev) => [[ev.daf.name, String(ev.daf.blatt)]], true],
  ['rambam-1', 'rambam1', (ev) => [[ev.reading.name, String(ev.reading.perek)]], true],
  ['rambam-3', 'rambam3', (ev) => ev.readings.map((r) => [r.name, String(r.perek)]), true],
  ['tehillim', 'psalms', (ev) => [[null, ev.reading.join('-')]], false],
  ['pirkei-avot', 'pirkeiavotsummer', (ev) => [[null, ev.reading.join('+')]], false],
];

const pad = (n) => String(n).padStart(2, '0');
const iso = (hd) => {
  const g = hd.greg();
  return `${g.getFullYear()}-${pad(g.getMonth() + 1)}-${pad(g.getDate())}`;
};

const names = CYCLES.map(() => new Map());
const starts = CYCLES.map(() => null);

function field(c, hd, il) {
  const [, calendar, parts] = CYCLES[c];
  const ev = DailyLearning.lookup(calendar, hd, il);
  if (!ev) return '';
  return parts(ev).map(([name, place]) => {
    if (name === null) return place;
    const table = names[c];
    if (!table.has(name)) table.set(name, table.size);
    return `${table.get(name)}/${place}`;
  }).join(',');
}

const dayLines = [];
const first = new HDate(FIRST);
const end = new HDate(LAST).next();
for (let hd = first; hd.deltaDays(end) < 0; hd = hd.next()) {
  const fields = [];
  CYCLES.forEach(([id], c) => {
    const diaspora = field(c, hd, false);
    const israel = field(c, hd, true);
    if (id !== 'pirkei-avot' && diaspora !== israel) {
      throw new Error(`${id} differs between Israel and the Diaspora on ${iso(hd)}`);
    }
    if (diaspora !== '' && starts[c] === null) starts[c] = iso(hd);
    fields.push(diaspora);
    if (id === 'pirkei-avot') fields.push(israel);
  });
  dayLines.push(fields.join('\t'));
}

// The first day of a cycle that began before FIRST is the day the package
// starts it; look back for it so the start lines say when each cycle began.
function firstDayEver(calendar) {
  let day = null;
  for (let hd = first.prev(); hd.greg().getFullYear() >= 1900; hd = hd.prev()) {
    if (!DailyLearning.lookup(calendar, hd, false)) break;
    day = hd;
  }
  return day;
}

const out = [];
out.push(`# Daily study portions from @hebcal/learning ${packageJson('@hebcal/learning').version}` +
    ` with @hebcal/core ${packageJson('@hebcal/core').version}, written by scripts/extract-learning-reference.mjs`);
out.push(`# Day fields: ${CYCLES.map(([id]) => id).join(' ')} (Diaspora) pirkei-avot (Israel)`);
CYCLES.forEach(([id, calendar, , counted], c) => {
  if (counted) {
    const before = firstDayEver(calendar);
    out.push(['start', id, before ? iso(before) : starts[c]].join('\t'));
  }
  for (const [name, index] of names[c]) out.push(['name', id, index, name].join('\t'));
});
out.push(['days', iso(first), dayLines.length].join('\t'));
process.stdout.write(out.concat(dayLines).join('\n') + '\n');
