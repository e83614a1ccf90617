// Cuts a rectangle out of a PNG image: 8 bits a channel, not interlaced, as
// browsers' screenshots are. WebKitGTK's own screenshot of an element comes
// out partly black, so its launcher (browsers.mjs) cuts the element out of a
// screenshot of the whole page instead.
//   crop(png, { x, y, width, height }) → png
import { deflateSync, inflateSync } from 'node:zlib';

const crcTable = Array.from({ length: 256 }, (_, n) => {
  for (let k = 0; k < 8; k++) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
  return n >>> 0;
});
const crc32 = bytes => (bytes.reduce((crc, byte) => crcTable[(crc ^ byte) & 0xff] ^ (crc >>> 8), 0xffffffff) ^ 0xffffffff) >>> 0;

function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'latin1');
  data.copy(out, 8);
  out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}

export function crop(png, { x, y, width, height }) {
  let header, data = [];
  for (let at = 8; at < png.length;) {
    const length = png.readUInt32BE(at), type = png.toString('latin1', at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') header = body;
    if (type === 'IDAT') data.push(body);
    at += 12 + length;
  }
  const [fullWidth, fullHeight] = [header.readUInt32BE(0), header.readUInt32BE(4)];
  const channels = { 0: 1, 2: 3, 4: 2, 6: 4 }[header[9]];
  if (header[8] !== 8 || !channels || header[12] !== 0) throw new Error('crop-png: not an 8-bit, plain PNG');
  const raw = inflateSync(Buffer.concat(data)), stride = fullWidth * channels;
  // Undoes each row's filter (PNG's five), against the row above.
  const rows = [];
  let above = Buffer.alloc(stride);
  for (let row = 0; row < fullHeight; row++) {
    const filter = raw[row * (stride + 1)], line = Buffer.from(raw.subarray(row * (stride + 1) + 1, (row + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const left = i >= channels ? line[i - channels] : 0, up = above[i], corner = i >= channels ? above[i - channels] : 0;
      const paeth = () => {
        const p = left + up - corner, [a, b, c] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - corner)];
        return a <= b && a <= c ? left : b <= c ? up : corner;
      };
      line[i] += [0, left, up, (left + up) >> 1, filter === 4 ? paeth() : 0][filter];
    }
    rows.push(line);
    above = line;
  }
  const cut = Buffer.concat(rows.slice(y, y + height).map(line =>
    Buffer.concat([Buffer.from([0]), line.subarray(x * channels, (x + width) * channels)])));
  const newHeader = Buffer.from(header);
  newHeader.writeUInt32BE(width, 0);
  newHeader.writeUInt32BE(height, 4);
  return Buffer.concat([png.subarray(0, 8), chunk('IHDR', newHeader), chunk('IDAT', deflateSync(cut)),
                        chunk('IEND', Buffer.alloc(0))]);
}
