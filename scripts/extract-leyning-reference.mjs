// Writes tests/data/leyning_reference.tsv: the Torah and Haftarah verse
// ranges that the npm package @hebcal/leyning publishes, as plain facts for
// the unit test that cross-checks our reading tables and the readings of
// every day. Nothing from the package goes into the program itself.
//
// Run it from a scratch directory outside the repository:
//   mkdir /tmp/leyning && cd /tmp/leyning && npm init -y >/dev/null
//   npm install @hebcal/leyning@10.0.0 @hebcal/core@6
//   node /path/to/lumaro/scripts/extract-leyning-reference.mjs > /path/to/lumaro/tests/data/leyning_reference.tsv
//
// Output lines are tab separated; '#' starts a comment line.
//   verses <book> <number of verses of chapter 1,2,...>
//   section <n 0..53> <name> <torah> <haftarah> <sephardic haftarah or empty>
//   holiday <D|IL> <key> <torah> <haftarah> <sephardic haftarah or empty>
//   alt <key> <the aliyot of the holiday's other custom> (the Khanukka weekdays)
//   date <YYYY-MM-DD> <D|IL|*> <name> <torah> <haftarah> <sephardic haftarah or empty>
// Verse lists are the package's summaries ("Genesis 1:1-6:8; Numbers 28:9-15",
// "Isaiah 27:6-28:13, 29:22-23"), in the order the readings are read; a
// day's Torah summary also names the scroll read that morning (Esther, Song
// of Songs, Ruth, Ecclesiastes, Lamentations), which the test compares with
// the Megilah line of the halakha report. The date lines cover Hebrew years
// FIRST_YEAR..LAST_YEAR, every day with a reading other than the plain
// Monday and Thursday reading; '*' stands for a day whose lines are the same
// in Israel and the Diaspora.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

// The packages are looked up in ./node_modules of the current directory, not
// beside this file, so the repository never holds them.
const packageDir = (name) => join(process.cwd(), 'node_modules', name);
const packageJson = (name) => JSON.parse(readFileSync(join(packageDir(name), 'package.json'), 'utf8'));
const load = (name) => import(pathToFileURL(join(packageDir(name), packageJson(name).module)).href);
const {getLeyningForParsha, getLeyningForHolidayKey, getLeyningOnDate, NUM_VERSES} = await load('@hebcal/leyning');
const {HDate, parshiot} = await load('@hebcal/core');

const FIRST_YEAR = 5750;
const LAST_YEAR = 5812;

const leyningVersion = packageJson('@hebcal/leyning').version;

const HOLIDAY_KEYS = [
  'Rosh Hashana I', 'Rosh Hashana II', 'Tzom Gedaliah', 'Yom Kippur', 'Yom Kippur (Mincha)',
  'Sukkot I', 'Sukkot II', 'Sukkot Chol ha-Moed Day 1', 'Sukkot Chol ha-Moed Day 2',
  'Sukkot Chol ha-Moed Day 3', 'Sukkot Chol ha-Moed Day 4', 'Sukkot Chol ha-Moed Day 5',
  'Sukkot Shabbat Chol ha-Moed', 'Sukkot Final Day (Hoshana Raba)', 'Shmini Atzeret',
  'Simchat Torah', 'Chanukah Day 1', 'Chanukah Day 2', 'Chanukah Day 3', 'Chanukah Day 4',
  'Chanukah Day 5', 'Chanukah Day 6', 'Chanukah Day 7', 'Chanukah Day 7 (on Rosh Chodesh)',
  'Chanukah Day 8', 'Chanukah Day 1 (on Shabbat)', 'Chanukah Day 8 (on Shabbat)',
  'Asara B\'Tevet', 'Ta\'anit Esther', 'Fast Day (Afternoon)', 'Purim', 'Pesach I', 'Pesach II',
  'Pesach II (CH\'\'M)', 'Pesach Chol ha-Moed Day 1', 'Pesach Chol ha-Moed Day 2',
  'Pesach Chol ha-Moed Day 3', 'Pesach Chol ha-Moed Day 4', 'Pesach Chol ha-Moed Day 2 on Sunday',
  'Pesach Chol ha-Moed Day 3 on Monday', 'Pesach Shabbat Chol ha-Moed', 'Pesach VII',
  'Pesach VIII', 'Pesach VIII (on Shabbat)', 'Yom HaAtzma\'ut', 'Shavuot', 'Shavuot I',
  'Shavuot II', 'Shavuot II (on Shabbat)', 'Tzom Tammuz', 'Tish\'a B\'Av', 'Tish\'a B\'Av (Mincha)',
  'Rosh Chodesh', 'Shabbat Rosh Chodesh', 'Shabbat Machar Chodesh', 'Shabbat Shekalim',
  'Shabbat Zachor', 'Shabbat Parah', 'Shabbat HaChodesh', 'Shabbat HaGadol', 'Shabbat Shuva',
  'Shabbat Shuva (with Vayeilech)', 'Shabbat Shuva (with Ha\'azinu)',
  'Pinchas occurring after 17 Tammuz', 'Kedoshim following Special Shabbat',
];

const clean = (s) => String(s ?? '').replace(/[\t\n]/g, ' ');
const out = [];
out.push(`# Facts from @hebcal/leyning ${leyningVersion}, written by scripts/extract-leyning-reference.mjs`);

for (const [book, counts] of Object.entries(NUM_VERSES)) {
  out.push(['verses', book, counts.slice(1).join(',')].join('\t'));
}

parshiot.forEach((p, i) => {
  const l = getLeyningForParsha(p);
  out.push(['section', i, p, l.summary, l.haftara, l.sephardic].map(clean).join('\t'));
});

for (const il of [false, true]) {
  for (const key of HOLIDAY_KEYS) {
    const l = getLeyningForHolidayKey(key, undefined, il);
    if (!l) continue;
    out.push(['holiday', il ? 'IL' : 'D', key, l.summary, l.haftara, l.sephardic].map(clean).join('\t'));
    if (il && l.alt && key.startsWith('Chanukah')) {
      const aliyot = Object.values(l.alt);
      out.push(['alt', key, aliyot.map((a) => `${a.k} ${a.b}-${a.e}`).join('; ')].map(clean).join('\t'));
    }
  }
}

const pad = (n) => String(n).padStart(2, '0');
const end = new HDate(1, 'Tishrei', LAST_YEAR + 1);
for (let d = new HDate(1, 'Tishrei', FIRST_YEAR); d.deltaDays(end) < 0; d = d.next()) {
  const g = d.greg();
  const iso = `${g.getFullYear()}-${pad(g.getMonth() + 1)}-${pad(g.getDate())}`;
  const lines = {};
  for (const il of [false, true]) {
    lines[il] = [];
    for (const l of getLeyningOnDate(d, il, true)) {
      if (!l.fullkriyah && !l.haftara && !l.summary) continue;
      if (l.weekday && !l.fullkriyah) continue;  // the Monday and Thursday reading
      lines[il].push([l.name.en, l.summary, l.haftara, l.sephardic].map(clean).join('\t'));
    }
  }
  const same = lines[false].join('\n') === lines[true].join('\n');
  for (const il of same ? [false] : [false, true]) {
    const where = same ? '*' : (il ? 'IL' : 'D');
    for (const line of lines[il]) out.push(`date\t${iso}\t${where}\t${line}`);
  }
}
process.stdout.write(out.join('\n') + '\n');
