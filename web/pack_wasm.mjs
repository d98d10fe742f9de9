// node pack_wasm.mjs INPUT OUTPUT NAME (plain | UNPACKER)
// Writes OUTPUT, which sets self[NAME] to a function that gives INPUT's bytes (a promise of
// them), carried inside it in base64, so a page pays for unpacking only when it calls it:
//   plain     as they are, for a page that a host sends gzip-compressed anyway (the bytes are
//             there at once): OUTPUT is markup, the base64 in an element of its own (script
//             #NAME, of a type no browser runs, so none compiles it as a script), then the
//             script that reads it;
//   UNPACKER  a script: the bytes packed by LZMA (xz, a seventh smaller than the best gzip)
//             and unpacked by the small WebAssembly module UNPACKER (unlzma.cpp), carried
//             beside them, so the WebAssembly travels in a file at about its packed size. A
//             damaged copy rejects.
// Written whole or not at all.
import { execFileSync } from 'node:child_process';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';

const [input, output, name, mode] = process.argv.slice(2);
// The page's reading of base64 text: the browser's own where it has one.
const fromBase64 = `((text) => {
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
  const binary = atob(text), bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
})`;
const inline = (bytes) => `${fromBase64}('${bytes.toString('base64')}')`;
let script;
if (mode === 'plain') {
  script = `<script type="application/octet-stream" id="${name}">${readFileSync(input).toString('base64')}</script>
<script>
self.${name} = () => Promise.resolve(${fromBase64}(document.getElementById('${name}').textContent));
</script>
`;
} else {
  const size = readFileSync(input).length;
  const packed = execFileSync('xz', ['--format=lzma', '--lzma1=preset=9e', '-c', input], { maxBuffer: 64 << 20 });
  script = `self.${name} = () => new Promise((resolve) => {
  const packed = ${inline(packed)};
  const unpacker = new WebAssembly.Instance(new WebAssembly.Module(${inline(readFileSync(mode))})).exports;
  const at = unpacker.unlzma_buffer(packed.length, ${size});
  if (!at) throw new RangeError('unlzma: no memory');
  new Uint8Array(unpacker.memory.buffer, at, packed.length).set(packed);
  if (unpacker.unlzma(packed.length, ${size})) throw new Error('unlzma: damaged');
  resolve(new Uint8Array(unpacker.memory.buffer, at + packed.length, ${size}).slice());
});\n`;
}
writeFileSync(`${output}.part`, script);
renameSync(`${output}.part`, output);
