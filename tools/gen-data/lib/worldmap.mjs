// The world map drawing: coastlines, country borders and a graticule in the
// map's plate carrée geometry of 541 x 271 pixels, 1.5 pixels per degree.
// Pixel column x is longitude -180 + x / 1.5 (x = 270 is the Greenwich
// meridian, x = 540 is 180 E), pixel row y counted from the top is latitude
// 90 - y / 1.5 (y = 135 is the equator).
import { createRequire } from 'node:module';
import * as topojson from 'topojson-client';
import { Overlay, DARK, MID, LIGHT } from './overlay.mjs';

const require = createRequire(import.meta.url);

export const MAP_W = 541;
export const MAP_H = 271;
const PX_PER_DEG = 1.5;

export function lonToX(lon) {
  return Math.round((lon + 180) * PX_PER_DEG);
}

export function latToY(lat) {
  return Math.round((90 - lat) * PX_PER_DEG);
}

// Natural Earth cuts the polygons that cross 180 degrees and closes
// Antarctica along the map's south edge; those closing edges are no coast.
function isCutEdge([lonA, latA], [lonB, latB]) {
  const onMeridian = Math.abs(lonA) >= 179.999 && Math.abs(lonB) >= 179.999;
  const onPole = latA <= -89.99 && latB <= -89.99;
  return onMeridian || onPole;
}

function drawSegment(ov, a, b, value) {
  if (isCutEdge(a, b)) return;
  let [lonA, latA] = a;
  let [lonB, latB] = b;
  if (Math.abs(lonB - lonA) > 180) {
    // The segment crosses 180 degrees: draw it as two pieces, each ending on
    // its own edge of the map.
    const lonBShifted = lonB + (lonB < lonA ? 360 : -360);
    const edge = lonA > 0 ? 180 : -180;
    const t = (edge - lonA) / (lonBShifted - lonA);
    const latEdge = latA + t * (latB - latA);
    drawSegment(ov, [lonA, latA], [edge, latEdge], value);
    drawSegment(ov, [-edge, latEdge], [lonB, latB], value);
    return;
  }
  ov.line(lonToX(lonA), latToY(latA), lonToX(lonB), latToY(latB), value);
}

function drawMesh(ov, mesh, value) {
  for (const line of mesh.coordinates) {
    for (let i = 1; i < line.length; i++) drawSegment(ov, line[i - 1], line[i], value);
  }
}

// A dotted line along the mesh: every second pixel of each line of the mesh,
// counted along the line, so borders read lighter than coasts.
function drawMeshDotted(ov, mesh, value) {
  for (const line of mesh.coordinates) {
    let n = 0, lastX = -1, lastY = -1;
    const dotted = {
      line: (x0, y0, x1, y1) => ov.line(x0, y0, x1, y1, value, (x, y) => {
        if (x === lastX && y === lastY) return;  // segment ends are shared
        lastX = x; lastY = y;
        if (n++ % 2 === 0) ov.put(x, y, value);
      }),
    };
    for (let i = 1; i < line.length; i++) drawSegment(dotted, line[i - 1], line[i], value);
  }
}

// Dotted lines every `step` degrees; a dot on every `dot`-th pixel.
function drawGraticule(ov, step, dot, value) {
  for (let lat = 90 - step; lat > -90; lat -= step) {
    const y = latToY(lat);
    for (let x = 0; x < MAP_W; x += dot) ov.put(x, y, value);
  }
  for (let lon = -180; lon <= 180; lon += step) {
    const x = lonToX(lon);
    // The top row (the pole) is left clear: the program paints it in one
    // colour across the whole width.
    for (let y = dot; y < MAP_H; y += dot) ov.put(x, y, value);
  }
}

// Islands too small for the coarse coastline set are taken from the finer
// one: every fine-scale land polygon that lies apart from the coarse coasts
// is drawn as well (at this scale usually a dot or a small ring). Radio
// amateurs look for exactly these places (Azores, Hawaii, Mauritius ...).
function drawMissingIslands(ov, fine, value, clearance) {
  const coarse = ov.px.slice();
  const nearCoarse = ([x, y]) => {
    for (let dy = -clearance; dy <= clearance; dy++)
      for (let dx = -clearance; dx <= clearance; dx++) {
        const xx = x + dx, yy = y + dy;
        if (ov.inside(xx, yy) && coarse[yy * ov.width + xx] === value) return true;
      }
    return false;
  };
  const land = topojson.feature(fine, fine.objects.land);
  for (const feature of land.features ?? [land]) {
    const g = feature.geometry;
    const polygons = g.type === 'MultiPolygon' ? g.coordinates : [g.coordinates];
    for (const polygon of polygons) {
      const pixels = [];
      const collect = { line: (x0, y0, x1, y1) => ov.line(x0, y0, x1, y1, value, (x, y) => pixels.push([x, y])) };
      drawMesh(collect, { coordinates: [polygon[0]] }, value);
      if (!pixels.some(nearCoarse)) for (const [x, y] of pixels) ov.put(x, y, value);
    }
  }
}

export function makeWorldMap({ scale = '110m', islands = '50m', borders = 'dotted', graticuleStep = 30, graticuleDot = 3 } = {}) {
  const world = require(`world-atlas/countries-${scale}.json`);
  const ov = new Overlay(MAP_W, MAP_H);
  drawMesh(ov, topojson.mesh(world, world.objects.land), DARK);
  if (islands) drawMissingIslands(ov, require(`world-atlas/land-${islands}.json`), DARK, 2);
  if (borders) {
    const mesh = topojson.mesh(world, world.objects.countries, (a, b) => a !== b);
    if (borders === 'dotted') drawMeshDotted(ov, mesh, MID);
    else drawMesh(ov, mesh, MID);
  }
  if (graticuleStep > 0) drawGraticule(ov, graticuleStep, graticuleDot, LIGHT);
  // The top row (the North Pole) stays clear: the program paints that row in
  // one colour across the whole width.
  for (let x = 0; x < MAP_W; x++) ov.px[x] = 0;
  return ov;
}
