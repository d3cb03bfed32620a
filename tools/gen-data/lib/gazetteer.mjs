// The gazetteer Orte.dat: every place of 15000 inhabitants or more from the
// same ranked GeoNames list as the place list, so that the two agree on the
// position of each place the place list holds. Names stay in UTF-8 with all
// their letters; a few large places also get the names German speakers and
// their own inhabitants use where GeoNames gives the English one.
// Each place carries its number of inhabitants, so that a name several
// places bear can be settled by size (New York City, not West New York).
// The layout is described in src/files/gazetteer.h.
import { rankedCities, degreesText } from './places.mjs';

const MIN_POPULATION = 15000;
const MARK = 'WelvOrte';
const VERSION = 2;  // with the number of inhabitants of each place

// Further names by GeoNames id: the German name and the local one where
// GeoNames uses the English name (and the other way round).
export const OTHER_NAMES = {
  2867714: ['München'],                  // Munich
  2761369: ['Wien'],                     // Vienna
  3169070: ['Rom', 'Roma'],              // Rome
  3173435: ['Mailand', 'Milano'],        // Milan
  3172394: ['Neapel', 'Napoli'],         // Naples
  3165524: ['Torino'],                  // Turin
  3176959: ['Florenz', 'Firenze'],       // Florence
  3164603: ['Venedig', 'Venezia'],       // Venice
  3176219: ['Genua', 'Genova'],          // Genoa
  3067696: ['Prag', 'Praha'],            // Prague
  756135: ['Warschau', 'Warszawa'],      // Warsaw
  3094802: ['Krakau'],                   // Kraków
  524901: ['Moskau', 'Moskva'],          // Moscow
  498817: ['Sankt Petersburg', 'Sankt-Peterburg'], // Saint Petersburg
  703448: ['Kiew', 'Kiev'],              // Kyiv
  698740: ['Odesa'],                     // Odessa
  2267057: ['Lissabon', 'Lisboa'],       // Lisbon
  2618425: ['Kopenhagen', 'København'],  // Copenhagen
  2800866: ['Brüssel', 'Bruxelles', 'Brussel'], // Brussels
  2803138: ['Antwerp'],                  // Antwerpen
  2797656: ['Ghent'],                    // Gent
  2800931: ['Brügge', 'Bruges'],         // Brugge
  2792413: ['Lüttich'],                  // Liège
  2747373: ['Den Haag'],                 // The Hague
  2960316: ['Luxemburg'],                // Luxembourg
  2660646: ['Genf', 'Geneva'],           // Genève
  2659811: ['Lucerne'],                  // Luzern
  2861650: ['Nuremberg'],                // Nürnberg
  2886242: ['Cologne'],                  // Köln
  2711537: ['Gothenburg'],               // Göteborg
  264371: ['Athen', 'Athína'],           // Athens
  734077: ['Saloniki'],                  // Thessaloníki
  683506: ['Bukarest', 'București'],     // Bucharest
  792680: ['Belgrad', 'Beograd'],        // Belgrade
  618426: ['Chișinău'],                  // Chisinau
  611717: ['Tiflis'],                    // Tbilisi
  1816670: ['Peking'],                   // Beijing
  360630: ['Kairo'],                     // Cairo
  2507480: ['Algier'],                   // Algiers
  170654: ['Damaskus'],                  // Damascus
  104515: ['Mekka'],                     // Mecca
  1261481: ['Neu-Delhi'],                // New Delhi
  1275339: ['Bombay'],                   // Mumbai
  1275004: ['Calcutta'],                 // Kolkata
  1298824: ['Rangoon'],                  // Yangon
  1566083: ['Saigon'],                   // Ho Chi Minh City
  3530597: ['Mexiko-Stadt', 'Ciudad de México'], // Mexico City
};

// GeoNames' name as searched: composed accents, apostrophe-like marks as
// the plain apostrophe, dashes as the plain hyphen, single blanks.
export function gazetteerName(name) {
  return name.normalize('NFC')
    .replace(/[\u2018\u2019\u02bb\u02bc\u02be\u02bf\u02b9\u0060\u00b4]/g, "'")
    .replace(/[\u2010-\u2015]/g, '-')
    .replace(/[\u0000-\u001f\u007f]/g, ' ')
    .replace(/\s+/g, ' ').trim();
}

// Degrees in 1/100000 from the same text the place list writes, so that
// both files give each place the same number.
function hundredThousandths(v) {
  return Math.round(Number(degreesText(v)) * 1e5);
}

export function makeGazetteer() {
  const places = [];
  const seen = new Set();
  for (const c of rankedCities()) {
    if (c.population < MIN_POPULATION) break;
    const name = gazetteerName(c.name);
    const [lon, lat] = c.loc.coordinates;
    if (!name || !/^[A-Z]{2}$/.test(c.country) || !(Math.abs(lon) <= 180 && Math.abs(lat) <= 90)) continue;
    const other = OTHER_NAMES[c.cityId] ?? [];
    if (other.length) seen.add(Number(c.cityId));
    places.push({ names: [name, ...other], country: c.country, lat: hundredThousandths(lat), lon: hundredThousandths(lon),
                  population: c.population });
  }
  const missing = Object.keys(OTHER_NAMES).filter((id) => !seen.has(Number(id)));
  if (missing.length) throw new Error(`places of OTHER_NAMES not in the gazetteer: ${missing.join(', ')}`);

  const parts = [Buffer.from(MARK, 'latin1'), Buffer.from([VERSION]), u32(places.length)];
  for (const p of places) {
    const pos = Buffer.alloc(12);
    pos.writeInt32LE(p.lat, 0);
    pos.writeInt32LE(p.lon, 4);
    pos.writeUInt32LE(Math.min(p.population, 0xffffffff), 8);
    parts.push(Buffer.from(p.country, 'latin1'), pos, Buffer.from([p.names.length]));
    for (const n of p.names) {
      const bytes = Buffer.from(n, 'utf8');
      if (bytes.length < 1 || bytes.length > 255) throw new Error(`name of ${bytes.length} bytes: ${n}`);
      parts.push(Buffer.from([bytes.length]), bytes);
    }
  }
  return { places, bytes: Buffer.concat(parts) };
}

function u32(v) {
  const b = Buffer.alloc(4);
  b.writeUInt32LE(v, 0);
  return b;
}
