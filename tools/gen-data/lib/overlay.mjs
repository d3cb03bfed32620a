// An overlay mask: one byte per pixel, drawn in screen orientation (row 0 at
// the top) and written as the pixel array of an 8-bit bitmap (bottom row
// first, every row padded to a multiple of four bytes).
//
// The program replaces a picture pixel by palette entry 128 + v / 2 wherever
// the mask byte v is above 16, and that entry is the grey v,v,v. Only three
// greys are drawn, because the cursor read-out recognises exactly these three
// and leaves the value label alone over them.

export const DARK = 90;    // shows as 5A5A5A
export const MID = 132;    // shows as 848484
export const LIGHT = 224;  // shows as E0E0E0
export const CLEAR = 0;    // no overlay: the computed colour shows

const DRAWABLE = new Set([CLEAR, DARK, MID, LIGHT]);

export class Overlay {
  constructor(width, height) {
    this.width = width;
    this.height = height;
    this.px = new Uint8Array(width * height);
  }

  inside(x, y) {
    return x >= 0 && y >= 0 && x < this.width && y < this.height;
  }

  get(x, y) {
    return this.inside(x, y) ? this.px[y * this.width + x] : CLEAR;
  }

  set(x, y, v) {
    if (!DRAWABLE.has(v)) throw new Error(`overlay byte ${v} is not one of the three greys`);
    if (this.inside(x, y)) this.px[y * this.width + x] = v;
  }

  // Sets the pixel only where nothing of higher rank is drawn yet: dark lines
  // (coasts, frames) win over mid-grey ones, which win over the light grid.
  put(x, y, v) {
    if (!this.inside(x, y)) return;
    const old = this.px[y * this.width + x];
    if (old === CLEAR || rank(v) > rank(old)) this.px[y * this.width + x] = v;
  }

  // Bresenham line, 8-connected, so it is exactly one pixel wide.
  line(x0, y0, x1, y1, v, plot = (x, y) => this.put(x, y, v)) {
    let dx = Math.abs(x1 - x0), dy = -Math.abs(y1 - y0);
    const sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    let err = dx + dy;
    for (;;) {
      plot(x0, y0);
      if (x0 === x1 && y0 === y1) break;
      const e2 = 2 * err;
      if (e2 >= dy) { err += dy; x0 += sx; }
      if (e2 <= dx) { err += dx; y0 += sy; }
    }
  }

  // Row length in the file: the pixels and zero padding up to four bytes.
  get stride() {
    return (this.width + 3) & ~3;
  }

  // The file image: rows bottom-up, each followed by its zero padding.
  toFileBytes() {
    const out = new Uint8Array(this.stride * this.height);
    for (let y = 0; y < this.height; y++) {
      const fileRow = this.height - 1 - y;
      out.set(this.px.subarray(y * this.width, (y + 1) * this.width), fileRow * this.stride);
    }
    return out;
  }
}

function rank(v) {
  return v === DARK ? 3 : v === MID ? 2 : v === LIGHT ? 1 : 0;
}
