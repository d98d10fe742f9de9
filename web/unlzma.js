// unlzma(packed, size): the `size` bytes that `packed`, an LZMA stream in the .lzma format
// (xz --format=lzma: a 13-byte header of properties, dictionary size and length, then the
// range-coded data), unpacks to, as a Uint8Array. Throws on a damaged stream. Carried by the
// single file, whose WebAssembly it unpacks (a seventh smaller than gzip's).
function unlzma(packed, size) {
  const props = packed[0];
  if (props >= 9 * 5 * 5) throw new Error('lzma: properties');
  const lc = props % 9, lp = Math.floor(props / 9) % 5, pb = Math.floor(props / 45);
  const out = new Uint8Array(size);
  let at = 13, range = 0xffffffff, code = 0;
  const next = () => {
    if (at >= packed.length) throw new Error('lzma: cut');
    return packed[at++];
  };
  if (next() !== 0) throw new Error('lzma: start');
  for (let i = 0; i < 4; ++i) code = ((code << 8) | next()) >>> 0;

  // Probabilities, 11-bit, each starting at a half.
  const probs = (n) => new Uint16Array(n).fill(1024);
  const bit = (p, i) => {
    const bound = (range >>> 11) * p[i];
    let b;
    if (code < bound) {
      range = bound;
      p[i] += (2048 - p[i]) >>> 5;
      b = 0;
    } else {
      range -= bound;
      code -= bound;
      p[i] -= p[i] >>> 5;
      b = 1;
    }
    if (range < 0x1000000) {
      range = (range * 256) >>> 0;
      code = ((code * 256) + next()) >>> 0;
    }
    return b;
  };
  const direct = (count) => {
    let result = 0;
    for (; count > 0; --count) {
      range >>>= 1;
      const b = code >= range ? 1 : 0;
      if (b) code -= range;
      result = ((result << 1) | b) >>> 0;
      if (range < 0x1000000) {
        range = (range * 256) >>> 0;
        code = ((code * 256) + next()) >>> 0;
      }
    }
    return result;
  };
  const tree = (p, base, bits) => {
    let m = 1;
    for (let i = 0; i < bits; ++i) m = (m << 1) | bit(p, base + m);
    return m - (1 << bits);
  };
  const reverse = (p, base, bits) => {
    let m = 1, symbol = 0;
    for (let i = 0; i < bits; ++i) {
      const b = bit(p, base + m);
      m = (m << 1) | b;
      symbol |= b << i;
    }
    return symbol;
  };
  const lengths = () => ({ choice: probs(2), low: probs(16 << 3), mid: probs(16 << 3), high: probs(256) });
  const length = (l, posState) => (!bit(l.choice, 0) ? tree(l.low, posState << 3, 3)
    : !bit(l.choice, 1) ? 8 + tree(l.mid, posState << 3, 3) : 16 + tree(l.high, 0, 8));

  const literals = probs(0x300 << (lc + lp));
  const isMatch = probs(12 << 4), isRep = probs(12), isRepG0 = probs(12), isRepG1 = probs(12), isRepG2 = probs(12);
  const isRep0Long = probs(12 << 4), slots = probs(4 << 6), special = probs(115), align = probs(16);
  const matchLength = lengths(), repLength = lengths();
  let state = 0, rep0 = 0, rep1 = 0, rep2 = 0, rep3 = 0, pos = 0;
  const pbMask = (1 << pb) - 1, lpMask = (1 << lp) - 1;

  while (pos < size) {
    const posState = pos & pbMask;
    if (!bit(isMatch, (state << 4) + posState)) {
      const previous = pos > 0 ? out[pos - 1] : 0;
      const base = 0x300 * (((pos & lpMask) << lc) + (previous >>> (8 - lc)));
      let symbol = 1;
      if (state >= 7) {
        let match = out[pos - rep0 - 1];
        do {
          const matchBit = (match >>> 7) & 1;
          match <<= 1;
          const b = bit(literals, base + ((1 + matchBit) << 8) + symbol);
          symbol = (symbol << 1) | b;
          if (matchBit !== b) break;
        } while (symbol < 0x100);
      }
      while (symbol < 0x100) symbol = (symbol << 1) | bit(literals, base + symbol);
      out[pos++] = symbol - 0x100;
      state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
      continue;
    }
    let len;
    if (bit(isRep, state)) {
      if (pos === 0) throw new Error('lzma: data');
      if (!bit(isRepG0, state)) {
        if (!bit(isRep0Long, (state << 4) + posState)) {
          state = state < 7 ? 9 : 11;
          out[pos] = out[pos - rep0 - 1];
          ++pos;
          continue;
        }
      } else {
        let distance;
        if (!bit(isRepG1, state)) {
          distance = rep1;
        } else {
          if (!bit(isRepG2, state)) {
            distance = rep2;
          } else {
            distance = rep3;
            rep3 = rep2;
          }
          rep2 = rep1;
        }
        rep1 = rep0;
        rep0 = distance;
      }
      len = length(repLength, posState);
      state = state < 7 ? 8 : 11;
    } else {
      rep3 = rep2;
      rep2 = rep1;
      rep1 = rep0;
      len = length(matchLength, posState);
      state = state < 7 ? 7 : 10;
      const slot = tree(slots, Math.min(len, 3) << 6, 6);
      if (slot < 4) {
        rep0 = slot;
      } else {
        const bits = (slot >>> 1) - 1;
        rep0 = ((2 | (slot & 1)) << bits) >>> 0;
        if (slot < 14) rep0 += reverse(special, rep0 - slot, bits);
        else rep0 = (rep0 + direct(bits - 4) * 16 + reverse(align, 0, 4)) >>> 0;
        if (rep0 === 0xffffffff) break;   // the end marker
      }
      if (rep0 >= pos) throw new Error('lzma: data');
    }
    for (len += 2; len > 0 && pos < size; --len, ++pos) out[pos] = out[pos - rep0 - 1];
  }
  if (pos !== size) throw new Error('lzma: cut');
  return out;
}
