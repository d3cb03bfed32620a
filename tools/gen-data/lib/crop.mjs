// Cut a region out of an overlay (for close-up previews).
import { Overlay } from './overlay.mjs';
export function crop(ov, x0, y0, w, h) {
  const c = new Overlay(w, h);
  for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) c.px[y * w + x] = ov.get(x0 + x, y0 + y);
  return c;
}
