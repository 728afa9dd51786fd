// The shipped city file as the reference generators read it: each city's
// latitude and longitude in decimal degrees and its zone, by the name the
// file writes (ISO-8859-1 read as latin1).
import {readFileSync} from 'node:fs';

// "Name", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem, ...
const CITY_LINE = new RegExp(
  '^"([^"]+)",\\s*(\\d+),(\\d+)\\s*([NS]),\\s*(\\d+),(\\d+)\\s*([EW]),' +
  '\\s*GMT[^,]*,\\s*([A-Za-z_\\/+-]+)',
);

export function readCities(path) {
  const cities = new Map();
  for (const line of readFileSync(path, 'latin1').split('\n')) {
    const m = line.match(CITY_LINE);
    if (!m) continue;
    const lat = (Number(m[2]) + Number(m[3]) / 60) * (m[4] === 'S' ? -1 : 1);
    const lon = (Number(m[5]) + Number(m[6]) / 60) * (m[7] === 'W' ? -1 : 1);
    cities.set(m[1], {lat, lon, zone: m[8]});
  }
  return cities;
}
