// Generates the data files that come with Welvaro:
//   MapWelt.dat   world map drawing, 541 x 271 pixel mask (147424 bytes)
//   MapOrt.dat    frequency/time chart drawing, 529 x 271 pixel mask (144172 bytes)
//   Ortsvorg.txt  the 2000 most populous places, Windows-1252, CR LF
//   Orte.dat      gazetteer of the places of 15000 inhabitants or more
//   MapLinien.dat coastlines and country borders (1:50m) as polylines, for
//                 the map drawn at any size
//   MapLand.dat   land areas (1:50m) as closed rings, under the map's colours
//
// Usage: node gen-data.mjs [--out DIR] [--previews DIR]
//   --out       where to write the files (default: the repository's data/)
//   --previews  also write PNG previews of both drawings over made-up value
//               colours, and of the places on the map
import { writeFileSync, mkdirSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { makeWorldMap, lonToX, latToY } from './lib/worldmap.mjs';
import { makeChart } from './lib/chart.mjs';
import { makePlaces } from './lib/places.mjs';
import { makeGazetteer } from './lib/gazetteer.mjs';
import { makeLines } from './lib/lines.mjs';
import { makeLand } from './lib/land.mjs';
import { writePreview, fields } from './lib/preview.mjs';
import { crop } from './lib/crop.mjs';
import { encodePng } from './lib/png.mjs';
import { shownColour } from './lib/palette.mjs';

const here = dirname(fileURLToPath(import.meta.url));

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i >= 0 && process.argv[i + 1] ? resolve(process.argv[i + 1]) : fallback;
}

function checkMask(name, bytes, width, height) {
  const stride = (width + 3) & ~3;
  if (bytes.length !== stride * height) throw new Error(`${name}: ${bytes.length} bytes`);
  for (let row = 0; row < height; row++) {
    for (let i = 0; i < stride; i++) {
      const v = bytes[row * stride + i];
      if (i >= width ? v !== 0 : ![0, 90, 132, 224].includes(v)) {
        throw new Error(`${name}: byte ${v} in row ${row}, column ${i}`);
      }
    }
  }
}

// The places as white dots over the map preview, to see that the map and the
// place list agree (cities on the coasts, none at sea).
function writePlacesPreview(dir, map, places) {
  const zoom = 2;
  const w = map.width * zoom, h = map.height * zoom;
  const rgb = new Uint8Array(w * h * 3);
  for (let y = 0; y < h; y++) {
    for (let x = 0; x < w; x++) {
      const sx = Math.floor(x / zoom), sy = Math.floor(y / zoom);
      rgb.set(shownColour(fields.world(sx, sy), map.get(sx, sy)), (y * w + x) * 3);
    }
  }
  for (const p of places) {
    const x = lonToX(p.lon) * zoom, y = latToY(p.lat) * zoom;
    for (let dy = 0; dy < zoom; dy++)
      for (let dx = 0; dx < zoom; dx++)
        if (x + dx < w && y + dy < h) rgb.set([255, 255, 255], ((y + dy) * w + x + dx) * 3);
  }
  writeFileSync(join(dir, 'places.png'), encodePng(w, h, rgb));
}

const outDir = option('--out', resolve(here, '../../data'));
const previewDir = option('--previews', null);

const map = makeWorldMap();
const chart = makeChart();
const { places, changed, bytes: placeBytes } = makePlaces(2000);

const mapBytes = map.toFileBytes();
const chartBytes = chart.toFileBytes();
checkMask('MapWelt.dat', mapBytes, 541, 271);
checkMask('MapOrt.dat', chartBytes, 529, 271);

mkdirSync(outDir, { recursive: true });
writeFileSync(join(outDir, 'MapWelt.dat'), mapBytes);
writeFileSync(join(outDir, 'MapOrt.dat'), chartBytes);
writeFileSync(join(outDir, 'Ortsvorg.txt'), placeBytes);
const gazetteer = makeGazetteer();
writeFileSync(join(outDir, 'Orte.dat'), gazetteer.bytes);
console.log(`MapWelt.dat   ${mapBytes.length} bytes`);
console.log(`MapOrt.dat    ${chartBytes.length} bytes`);
console.log(`Ortsvorg.txt  ${placeBytes.length} bytes, ${places.length} places, ${changed.length} names transliterated`);
console.log(`Orte.dat      ${gazetteer.bytes.length} bytes, ${gazetteer.places.length} places`);
const { lines, bytes: lineBytes } = makeLines();
writeFileSync(join(outDir, 'MapLinien.dat'), lineBytes);
console.log(`MapLinien.dat ${lineBytes.length} bytes, ${lines.length} lines`);
const { rings, bytes: landBytes } = makeLand();
writeFileSync(join(outDir, 'MapLand.dat'), landBytes);
console.log(`MapLand.dat   ${landBytes.length} bytes, ${rings.length} rings`);

if (previewDir) {
  writePreview(previewDir, 'world.png', map, fields.world, 2);
  writePreview(previewDir, 'world-ramp.png', map, fields.ramp(map.width), 2);
  writePreview(previewDir, 'world-europe.png', crop(map, 240, 30, 120, 80), (x, y) => fields.world(x + 240, y + 30), 6);
  writePreview(previewDir, 'chart.png', chart, fields.chart, 2);
  writePreview(previewDir, 'chart-ramp.png', chart, fields.ramp(chart.width), 2);
  writePreview(previewDir, 'chart-corner.png', crop(chart, 0, 200, 120, 71), (x, y) => fields.chart(x, y + 200), 6);
  writePlacesPreview(previewDir, map, places);
  console.log(`previews in ${previewDir}`);
}
