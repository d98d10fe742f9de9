// The WebAssembly build and the desktop build make the same canvas calls, bit for bit.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';

test('the browser build draws every list choice with the desktop build\'s very numbers', () => {
  const native = execFileSync(process.env.TAMIREL_PARITY_NATIVE, { encoding: 'utf8' });
  // The generated loader would fetch() its WebAssembly under this node; it must read the file.
  const web = execFileSync(process.execPath, ['--no-experimental-fetch', process.env.TAMIREL_PARITY_WEB], { encoding: 'utf8' });
  const lines = native.trim().split('\n');
  assert.equal(lines.length, 8 * (18 + 3) + 5,
    'every radius with every vertex count, and 2, 2.5 and 3.5; then the five figures pinned to the bit');
  assert.match(native, /^500 3: C43fa0000,43fa0000,43fa0000 P/m);
  assert.equal(web, native);
});
