// Packs a PNG's image data with zlib's best compression, pixels unchanged:
// node deflate_png.mjs IN.png OUT.png. The icon generator stores its pixels
// uncompressed, which is fine for the menus' small icons but makes the web
// app manifest's 512-pixel icon a megabyte to download.
import { readFileSync, writeFileSync } from 'node:fs';
import { deflateSync, inflateSync } from 'node:zlib';

// PNG's chunk CRC: CRC-32 of ISO 3309, reflected polynomial, one table entry a
// byte value. Computed here: node:zlib has crc32 only from Node.js 20.15 / 22.2.
const CRC_POLYNOMIAL = 0xedb88320;
const CRC_TABLE = new Uint32Array(256);
for (let n = 0; n < 256; n++) {
  let c = n;
  for (let bit = 0; bit < 8; bit++) c = c & 1 ? CRC_POLYNOMIAL ^ (c >>> 1) : c >>> 1;
  CRC_TABLE[n] = c;
}
function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

const [input, output] = process.argv.slice(2);
const png = readFileSync(input);
const SIGNATURE_BYTES = 8;
const chunks = [];   // [type, data], in order, the image data joined into one
const imageData = [];
for (let at = SIGNATURE_BYTES; at < png.length;) {
  const length = png.readUInt32BE(at);  // every PNG number is big-endian
  const type = png.toString('latin1', at + 4, at + 8);
  const data = png.subarray(at + 8, at + 8 + length);
  if (type === 'IDAT') {
    if (imageData.length === 0) chunks.push(['IDAT', null]);
    imageData.push(data);
  } else {
    chunks.push([type, data]);
  }
  at += 12 + length;  // length, type, data, CRC
}
const packed = deflateSync(inflateSync(Buffer.concat(imageData)), { level: 9 });
const parts = [png.subarray(0, SIGNATURE_BYTES)];
for (const [type, data] of chunks) {
  const typed = Buffer.concat([Buffer.from(type, 'latin1'), data ?? packed]);
  const length = Buffer.alloc(4);
  const crc = Buffer.alloc(4);
  length.writeUInt32BE(typed.length - 4);
  crc.writeUInt32BE(crc32(typed));
  parts.push(length, typed, crc);
}
writeFileSync(output, Buffer.concat(parts));
