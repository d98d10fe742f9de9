// node pack_wasm.mjs INPUT OUTPUT NAME [plain]
// Writes OUTPUT, a script that sets self[NAME] to a function that unpacks INPUT's bytes (a
// promise of them), carried inside it in base64, so a page pays for unpacking only when it
// calls it: gzip-compressed (by zopfli, a twentieth smaller than gzip -9) and unpacked by the
// browser (DecompressionStream), so the WebAssembly travels in a page or a script at about its
// compressed size, a host's own gzip gaining little more on it; or, `plain`, as they are, for a
// page that a host sends gzip-compressed anyway (a third larger sent, but the bytes are there at
// once, without the stream's round of tasks). Written whole or not at all.
import { execFileSync } from 'node:child_process';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';

const [input, output, name, plain] = process.argv.slice(2);
const bytes = plain ? readFileSync(input) : execFileSync('zopfli', ['-c', '--i15', input], { maxBuffer: 64 << 20 });
const decoded = `((text) => {
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
})(atob('${bytes.toString('base64')}'))`;
writeFileSync(`${output}.part`, plain ? `self.${name} = () => Promise.resolve(${decoded});\n`
  : `self.${name} = () => new Response(new Blob([${decoded}]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();\n`);
renameSync(`${output}.part`, output);
