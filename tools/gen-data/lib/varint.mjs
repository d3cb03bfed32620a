// The compact integers of the map-line and land files: a varint holds 7 bits
// per byte, lowest first, the top bit set on every byte but the last; zigzag
// folds a signed number into it (0, -1, 1, -2 ... become 0, 1, 2, 3 ...).

export function varint(bytes, v) {
  while (v >= 0x80) {
    bytes.push((v & 0x7f) | 0x80);
    v = Math.floor(v / 128);
  }
  bytes.push(v);
}

export const zigzag = (v) => (v >= 0 ? 2 * v : -2 * v - 1);
