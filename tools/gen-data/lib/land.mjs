// The land areas under the map's colours: Natural Earth's 1:50 million land
// polygons (the same outlines as the coastlines of MapLinien.dat) as closed
// rings of geographic positions, written as "MapLand.dat". The program
// fills them by the even-odd rule in longitude and latitude, so the rings
// are made plane here: a ring that steps across 180 degrees (Chukotka,
// Fiji, and Antarctica, which goes once round the South Pole) is led along
// the map's edge through the pole of its side instead, and the ring that
// lies on the South Pole itself, which has no area, is left out. The few
// holes (large lakes) stay water.
//
// File layout (little-endian):
//   0   8  "WVLAND00"
//   8   4  version, 1
//   12  4  number of rings
//   16  4  number of points in all rings
//   20  ..  the rings, one after the other:
//           varint n, the number of its points (at least 3; the last point
//           is joined to the first),
//           2 n zigzag varints: longitude and latitude of the first point in
//           hundredths of a degree, then of every further point the change
//           from the point before.
// The file ends exactly after the last ring.
import { createRequire } from 'node:module';
import * as topojson from 'topojson-client';
import { varint, zigzag } from './varint.mjs';

const require = createRequire(import.meta.url);
const STEPS_PER_DEGREE = 100;

// The ring without repeated points and without the closing point that
// repeats the first.
function withoutRepeats(ring) {
  const out = [];
  for (const p of ring) {
    const last = out[out.length - 1];
    if (!last || last[0] !== p[0] || last[1] !== p[1]) out.push(p);
  }
  while (out.length > 1 && out[0][0] === out[out.length - 1][0] && out[0][1] === out[out.length - 1][1]) out.pop();
  return out;
}

// A ring in whole hundredths of a degree.
function quantisedRing(ring) {
  return withoutRepeats(ring.map(([lon, lat]) => [Math.round(lon * STEPS_PER_DEGREE), Math.round(lat * STEPS_PER_DEGREE)]));
}

// The ring with every step across 180 degrees led along the map's edge:
// from (180, a) to (-180, b) becomes (180, a), (180, pole), (-180, pole),
// (-180, b), whose piece along the pole is level and so never crossed.
function planeRing(ring) {
  let meanLat = 0;
  for (const [, lat] of ring) meanLat += lat;
  const pole = meanLat < 0 ? -90 * STEPS_PER_DEGREE : 90 * STEPS_PER_DEGREE;
  const edge = 180 * STEPS_PER_DEGREE;
  const out = [];
  for (let i = 0; i < ring.length; i++) {
    const [x, y] = ring[i];
    const [nx, ny] = ring[(i + 1) % ring.length];
    out.push([x, y]);
    if (Math.abs(nx - x) > edge) {
      const from = x > 0 ? edge : -edge;
      out.push([from, y], [from, pole], [-from, pole], [-from, ny]);
    }
  }
  return withoutRepeats(out);
}

export function encodeLand(rings) {
  const bytes = [];
  let points = 0;
  for (const ring of rings) {
    varint(bytes, ring.length);
    let [lon, lat] = [0, 0];
    for (const [x, y] of ring) {
      varint(bytes, zigzag(x - lon));
      varint(bytes, zigzag(y - lat));
      [lon, lat] = [x, y];
    }
    points += ring.length;
  }
  const head = Buffer.alloc(20);
  head.write('WVLAND00', 0, 'latin1');
  head.writeUInt32LE(1, 8);
  head.writeUInt32LE(rings.length, 12);
  head.writeUInt32LE(points, 16);
  return Buffer.concat([head, Buffer.from(bytes)]);
}

export function makeLand() {
  const land = require('world-atlas/land-50m.json');
  const rings = [];
  for (const feature of topojson.feature(land, land.objects.land).features) {
    const g = feature.geometry;
    const polygons = g.type === 'MultiPolygon' ? g.coordinates : [g.coordinates];
    for (const polygon of polygons) {
      for (const ring of polygon) {
        const q = planeRing(quantisedRing(ring));
        // A ring without area (all on one latitude) is no land.
        if (q.length >= 3 && q.some(([, lat]) => lat !== q[0][1])) rings.push(q);
      }
    }
  }
  return { rings, bytes: encodeLand(rings) };
}
