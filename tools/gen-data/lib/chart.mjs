// The frequency/time chart drawing: hour and MHz grid with labels, 529 x 271
// pixels. Pixel column x is UTC time x / 22 hours (x = 528 is 24 h, the
// chart's right edge); pixel row y counted from the top is the frequency
// (270 - y) / 9 MHz (y = 0 is 30 MHz, y = 270 is 0 MHz).
import { Overlay, DARK, MID, LIGHT } from './overlay.mjs';
import { forEachInk, textWidth, GLYPH_H } from './font.mjs';

export const CHART_W = 529;
export const CHART_H = 271;
const PX_PER_HOUR = 22;
const PX_PER_MHZ = 9;

export const hourToX = (h) => h * PX_PER_HOUR;
export const mhzToY = (f) => CHART_H - 1 - f * PX_PER_MHZ;

// Light text on a dark box one pixel larger all round: legible on every
// value colour, and no grid dots creep into the digits.
function label(ov, text, left, top) {
  for (let y = top - 1; y <= top + GLYPH_H; y++)
    for (let x = left - 1; x <= left + textWidth(text); x++) ov.set(x, y, DARK);
  forEachInk(text, left, top, (x, y) => ov.set(x, y, LIGHT));
}

export function makeChart({
  hourLabelStep = 2,
  mhzLabelStep = 5,
  hourDot = 3,
  majorMhzDot = 2,
} = {}) {
  const ov = new Overlay(CHART_W, CHART_H);
  const right = hourToX(24), bottom = mhzToY(0), top = mhzToY(30);

  // MHz lines: every fifth MHz dotted across the chart, every MHz as short
  // ticks at both edges.
  for (let f = 1; f < 30; f++) {
    const y = mhzToY(f);
    if (f % mhzLabelStep === 0) {
      for (let x = 0; x <= right; x += majorMhzDot) ov.put(x, y, MID);
    } else {
      for (let x = 0; x <= 3; x++) ov.put(x, y, MID);
      for (let x = right - 3; x <= right; x++) ov.put(x, y, MID);
    }
  }
  // Hour lines: dotted, every hour, from the 1 MHz line up (the band below
  // 1 MHz carries the hour labels).
  for (let h = 1; h < 24; h++) {
    const x = hourToX(h);
    for (let y = mhzToY(1); y > top; y -= hourDot) ov.put(x, y, MID);
    ov.put(x, bottom - 1, MID);
  }
  // Frame: 0 and 24 h, 0 and 30 MHz. The top row must be one grey across
  // the whole width, since the program paints that row in one colour.
  for (let x = 0; x <= right; x++) { ov.put(x, top, MID); ov.put(x, bottom, MID); }
  for (let y = top; y <= bottom; y++) { ov.put(0, y, MID); ov.put(right, y, MID); }

  // Hour labels in the band below 1 MHz, which the forecast leaves dark.
  const labelTop = bottom - 1 - GLYPH_H;
  for (let h = 0; h <= 24; h += hourLabelStep) {
    const text = String(h);
    const w = textWidth(text);
    let left = hourToX(h) - Math.floor(w / 2);
    left = Math.max(3, Math.min(right - 2 - w, left));
    label(ov, text, left, labelTop);
  }
  // MHz labels at the left edge, centred on their line; 30 MHz just below
  // the top edge.
  for (let f = mhzLabelStep; f <= 30; f += mhzLabelStep) {
    const text = f === 30 ? '30 MHz' : String(f);
    const y = mhzToY(f);
    const labelY = f === 30 ? top + 3 : y - Math.floor(GLYPH_H / 2);
    label(ov, text, 3, labelY);
  }
  return ov;
}
