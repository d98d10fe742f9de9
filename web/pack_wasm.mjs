// node pack_wasm.mjs INPUT OUTPUT NAME
// Writes OUTPUT, a script that sets self[NAME] to a promise of INPUT's bytes, carried inside it
// gzip-compressed (by zopfli, a twentieth smaller than gzip -9) in base64 and unpacked by the
// browser (DecompressionStream). So the WebAssembly travels in a page or a script at about its
// compressed size; a host's own gzip gains little more on it. Written whole or not at all.
import { execFileSync } from 'node:child_process';
import { renameSync, writeFileSync } from 'node:fs';

const [input, output, name] = process.argv.slice(2);
const packed = execFileSync('zopfli', ['-c', '--i15', input], { maxBuffer: 64 << 20 }).toString('base64');
writeFileSync(`${output}.part`, `self.${name} = new Response(new Blob([Uint8Array.from(atob('${packed}'), (c) => c.charCodeAt(0))])
  .stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();\n`);
renameSync(`${output}.part`, output);
