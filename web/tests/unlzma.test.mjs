// The single file's unpacker: what xz packs comes back byte for byte, and a cut or damaged
// stream is refused rather than unpacked wrong.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { site } from './harness.mjs';

const unpacker = new WebAssembly.Instance(new WebAssembly.Module(readFileSync(join(site, '..', 'program', 'unlzma.wasm')))).exports;
const unpack = (packed, size) => {
  const at = unpacker.unlzma_buffer(packed.length, size);
  new Uint8Array(unpacker.memory.buffer, at, packed.length).set(packed);
  return unpacker.unlzma(packed.length, size) ? null : Buffer.from(new Uint8Array(unpacker.memory.buffer, at + packed.length, size));
};

test('unpacks what xz packs, and refuses a cut or damaged stream', () => {
  const wasm = readFileSync(join(site, '..', 'program', 'tamirel-lesson.wasm'));
  for (const original of [Buffer.alloc(0), Buffer.from('Чертай '.repeat(1000)), wasm]) {
    const packed = execFileSync('xz', ['--format=lzma', '--lzma1=preset=9e', '-c'], { input: original });
    assert.deepEqual(unpack(packed, original.length), original);
  }
  const packed = execFileSync('xz', ['--format=lzma', '--lzma1=preset=9e', '-c'], { input: wasm });
  const damaged = (at) => {
    const copy = Buffer.from(packed);
    copy[at] ^= 0x55;
    return [copy, wasm.length];
  };
  for (const [stream, size] of [[packed.subarray(0, packed.length >> 1), wasm.length], [packed, wasm.length + 1],
    [packed, wasm.length - 1], [packed.subarray(0, 10), 1], damaged(20), damaged(packed.length >> 1), damaged(packed.length - 8)]) {
    assert.equal(unpack(stream, size), null);
  }
});
