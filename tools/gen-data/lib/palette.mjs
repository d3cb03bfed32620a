// The displays' colour table, rebuilt here only to render previews: six ramps
// of 18 steps for the value indices 0..107 (black, blue, cyan, green, yellow,
// red, magenta), magenta up to 127, and the grey ramp 2 * (i - 128) above.
export function paletteEntry(i) {
  const s = (n) => Math.floor((255 / 18) * n);
  if (i < 18) return [0, 0, s(i)];
  if (i < 36) return [0, s(i - 18), 255];
  if (i < 54) return [0, 255, Math.floor(255 - ((i - 36) * 255) / 18)];
  if (i < 72) return [s(i - 54), 255, 0];
  if (i < 90) return [255, Math.floor(255 - ((i - 72) * 255) / 18), 0];
  if (i < 108) return [255, 0, s(i - 90)];
  if (i < 128) return [255, 0, 255];
  const g = 2 * (i - 128);
  return [g, g, g];
}

// Colour of one displayed pixel: the value colour, or the overlay's grey
// where the mask byte is above 16.
export function shownColour(valueIndex, maskByte) {
  return maskByte > 16 ? paletteEntry(128 + (maskByte >> 1)) : paletteEntry(valueIndex);
}
