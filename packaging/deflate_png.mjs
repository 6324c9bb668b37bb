// Packs a PNG's image data with zlib's best compression, pixels unchanged:
// node deflate_png.mjs IN.png OUT.png. The icon generator stores its pixels
// uncompressed, which is fine for the menus' small icons but makes the web
// app manifest's 512-pixel icon a megabyte to download.
import { readFileSync, writeFileSync } from 'node:fs';
import { crc32, deflateSync, inflateSync } from 'node:zlib';

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
