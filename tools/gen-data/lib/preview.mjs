// Previews of the overlays as the program will show them: each mask laid over
// a made-up field of value colours, enlarged by whole pixels.
import { writeFileSync, mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { encodePng } from './png.mjs';
import { shownColour } from './palette.mjs';

// field(x, y) gives a value index 0..108 for screen pixel (x, y).
export function writePreview(dir, name, ov, field, zoom = 2) {
  mkdirSync(dir, { recursive: true });
  const w = ov.width * zoom, h = ov.height * zoom;
  const rgb = new Uint8Array(w * h * 3);
  for (let y = 0; y < h; y++) {
    for (let x = 0; x < w; x++) {
      const sx = Math.floor(x / zoom), sy = Math.floor(y / zoom);
      const [r, g, b] = shownColour(field(sx, sy), ov.get(sx, sy));
      rgb.set([r, g, b], (y * w + x) * 3);
    }
  }
  const path = join(dir, name);
  writeFileSync(path, encodePng(w, h, rgb));
  return path;
}

// Value fields for the previews.
export const fields = {
  // Every value colour once from left to right, to judge the greys on each.
  ramp: (width) => (x) => Math.round((x / (width - 1)) * 108),
  // A plausible world map: strong near a station in central Europe, weaker
  // with distance, with a darker night side.
  world: (x, y) => {
    const lon = -180 + x / 1.5, lat = 90 - y / 1.5;
    const r = Math.PI / 180;
    const d = Math.acos(Math.min(1, Math.max(-1,
      Math.sin(lat * r) * Math.sin(48 * r) + Math.cos(lat * r) * Math.cos(48 * r) * Math.cos((lon - 11) * r)))) / r;
    const night = 25 * Math.min(1, Math.max(0, (-Math.cos((lon - 60) * r) + 0.1) / 0.4));
    return Math.max(0, Math.min(108, Math.round(100 - d * 0.55 - night)));
  },
  // A plausible chart: usable up to a MUF that rises by day, strongest just
  // below it, black above it and below 1 MHz.
  chart: (x, y) => {
    const hours = x / 22, mhz = (270 - y) / 9;
    const muf = 14 + 9 * Math.sin(((hours - 7) / 24) * 2 * Math.PI);
    const at = (f) => f > muf ? Math.max(0, 60 - (f - muf) * 12) : Math.min(108, 40 + (f / muf) * 50);
    // Below 1 MHz the program fades from black to the 1 MHz value.
    return Math.round(mhz < 1 ? mhz * at(1) : at(mhz));
  },
};
