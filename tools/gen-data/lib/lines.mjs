// The map lines the program draws at any size: Natural Earth's 1:50 million
// coastlines and country borders as polylines of geographic positions,
// written as the compact file "MapLinien.dat".
//
// File layout (little-endian):
//   0   8  "WVLINIEN"
//   8   4  version, 1
//   12  4  number of lines
//   16  4  number of points in all lines
//   20  ..  the lines, one after the other:
//           1 byte kind (1 coastline, 2 country border),
//           varint n, the number of its points (at least 2),
//           2 n zigzag varints: longitude and latitude of the first point in
//           hundredths of a degree, then of every further point the change
//           from the point before.
// The file ends exactly after the last line.
//
// A varint holds 7 bits per byte, lowest first, the top bit set on every
// byte but the last; zigzag folds a signed number into it (0, -1, 1, -2 ...
// become 0, 1, 2, 3 ...).
import { createRequire } from 'node:module';
import * as topojson from 'topojson-client';
import { varint, zigzag } from './varint.mjs';

const require = createRequire(import.meta.url);

export const KIND_COAST = 1;
export const KIND_BORDER = 2;
const STEPS_PER_DEGREE = 100;

// Natural Earth cuts the polygons that cross 180 degrees and closes
// Antarctica along the map's south edge; those closing edges are no coast.
function isCutEdge([lonA, latA], [lonB, latB]) {
  const onMeridian = Math.abs(lonA) >= 179.999 && Math.abs(lonB) >= 179.999;
  const onPole = latA <= -89.99 && latB <= -89.99;
  return onMeridian || onPole;
}

// The lines of a mesh in whole hundredths of a degree, broken where a cut
// edge lies, without repeated points.
function quantisedLines(mesh) {
  const out = [];
  for (const line of mesh.coordinates) {
    let piece = [];
    const flush = () => {
      if (piece.length >= 2) out.push(piece);
      piece = [];
    };
    for (let i = 0; i < line.length; i++) {
      if (i > 0 && isCutEdge(line[i - 1], line[i])) flush();
      const p = [Math.round(line[i][0] * STEPS_PER_DEGREE), Math.round(line[i][1] * STEPS_PER_DEGREE)];
      const last = piece[piece.length - 1];
      if (!last || last[0] !== p[0] || last[1] !== p[1]) piece.push(p);
    }
    flush();
  }
  return out;
}

export function encodeLines(lines) {
  const bytes = [];
  let points = 0;
  for (const { kind, points: pts } of lines) {
    bytes.push(kind);
    varint(bytes, pts.length);
    let [lon, lat] = [0, 0];
    for (const [x, y] of pts) {
      varint(bytes, zigzag(x - lon));
      varint(bytes, zigzag(y - lat));
      [lon, lat] = [x, y];
    }
    points += pts.length;
  }
  const head = Buffer.alloc(20);
  head.write('WVLINIEN', 0, 'latin1');
  head.writeUInt32LE(1, 8);
  head.writeUInt32LE(lines.length, 12);
  head.writeUInt32LE(points, 16);
  return Buffer.concat([head, Buffer.from(bytes)]);
}

export function makeLines() {
  const land = require('world-atlas/land-50m.json');
  const countries = require('world-atlas/countries-50m.json');
  const coasts = quantisedLines(topojson.mesh(land, land.objects.land));
  const borders = quantisedLines(topojson.mesh(countries, countries.objects.countries, (a, b) => a !== b));
  const lines = [
    ...coasts.map((points) => ({ kind: KIND_COAST, points })),
    ...borders.map((points) => ({ kind: KIND_BORDER, points })),
  ];
  return { lines, bytes: encodeLines(lines) };
}
