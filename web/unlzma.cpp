// A small WebAssembly module, without the C++ library, that unpacks an LZMA stream in the .lzma
// format (xz --format=lzma: a 13-byte header of properties, dictionary size and length, then
// the range-coded data). The single file carries its WebAssembly packed so, a seventh smaller
// than gzip would make it, and unpacks it with this module in a few milliseconds.
//
// The page asks for room by unlzma_buffer(packed, size): the packed stream goes at the address
// returned, its `size` bytes of output right after it. unlzma(packed, size) then unpacks and
// returns 0, or 1 when the stream is damaged, cut or not `size` bytes long. The stream must end
// with its end marker (xz writes one when it packs a stream of a length not given beforehand).

using Byte = unsigned char;
using UInt32 = unsigned int;
using UInt16 = unsigned short;

extern "C" Byte __heap_base;

namespace {

constexpr UInt32 kPage = 65536;

// The probabilities, 11-bit, for lc + lp ≤ 4 (the literal coder's 0x300 << 4).
constexpr UInt32 kLiterals = 0x300 << 4;
struct Model {
    UInt16 literals[kLiterals];
    UInt16 isMatch[12 << 4], isRep[12], isRepG0[12], isRepG1[12], isRepG2[12], isRep0Long[12 << 4];
    UInt16 slots[4 << 6], special[115], align[16];
    UInt16 choice[2][2], low[2][16 << 3], mid[2][16 << 3], high[2][256];   // match, repeat
};
Model model;

struct Decoder {
    const Byte* in;
    const Byte* end;
    UInt32 range = 0xffffffff, code = 0;
    bool cut = false;

    Byte Next() {
        if (in == end) {
            cut = true;
            return 0;
        }
        return *in++;
    }
    void Normalise() {
        if (range < (1u << 24)) {
            range <<= 8;
            code = (code << 8) | Next();
        }
    }
    UInt32 Bit(UInt16& p) {
        const UInt32 bound = (range >> 11) * p;
        UInt32 bit;
        if (code < bound) {
            range = bound;
            p = static_cast<UInt16>(p + ((2048 - p) >> 5));
            bit = 0;
        } else {
            range -= bound;
            code -= bound;
            p = static_cast<UInt16>(p - (p >> 5));
            bit = 1;
        }
        Normalise();
        return bit;
    }
    UInt32 Direct(UInt32 count) {
        UInt32 result = 0;
        for (; count > 0; --count) {
            range >>= 1;
            const UInt32 bit = code >= range ? 1 : 0;
            if (bit) code -= range;
            result = (result << 1) | bit;
            Normalise();
        }
        return result;
    }
    UInt32 Tree(UInt16* p, UInt32 bits) {
        UInt32 m = 1;
        for (UInt32 i = 0; i < bits; ++i) m = (m << 1) | Bit(p[m]);
        return m - (1u << bits);
    }
    UInt32 Reverse(UInt16* p, UInt32 bits) {
        UInt32 m = 1, symbol = 0;
        for (UInt32 i = 0; i < bits; ++i) {
            const UInt32 bit = Bit(p[m]);
            m = (m << 1) | bit;
            symbol |= bit << i;
        }
        return symbol;
    }
    UInt32 Length(int which, UInt32 posState) {
        if (!Bit(model.choice[which][0])) return Tree(model.low[which] + (posState << 3), 3);
        if (!Bit(model.choice[which][1])) return 8 + Tree(model.mid[which] + (posState << 3), 3);
        return 16 + Tree(model.high[which], 8);
    }
};

}  // namespace

extern "C" {

__attribute__((export_name("unlzma_buffer"))) Byte* unlzma_buffer(UInt32 packed, UInt32 size) {
    // In 64 bits, so that no request wraps around the 4 GiB of a module's memory.
    const unsigned long long needed = reinterpret_cast<UInt32>(&__heap_base) + 0ULL + packed + size;
    const unsigned long long have = __builtin_wasm_memory_size(0) * 1ULL * kPage;
    if (needed <= have) return &__heap_base;
    if (needed > 0x100000000ULL) return nullptr;
    const __SIZE_TYPE__ failed = static_cast<__SIZE_TYPE__>(-1);
    return __builtin_wasm_memory_grow(0, static_cast<__SIZE_TYPE__>((needed - have + kPage - 1) / kPage)) == failed ? nullptr
                                                                                                             : &__heap_base;
}

__attribute__((export_name("unlzma"))) int unlzma(UInt32 packed, UInt32 size) {
    const Byte* in = &__heap_base;
    Byte* out = &__heap_base + packed;
    if (packed < 18 || in[0] >= 9 * 5 * 5 || in[13] != 0) return 1;
    const UInt32 lc = in[0] % 9, lp = in[0] / 9 % 5, pb = in[0] / 45;
    if (lc + lp > 4) return 1;
    for (UInt16* p = &model.literals[0]; p != reinterpret_cast<UInt16*>(&model + 1); ++p) *p = 1024;

    Decoder d{in + 14, in + packed};
    for (int i = 0; i < 4; ++i) d.code = (d.code << 8) | d.Next();
    UInt32 state = 0, rep0 = 0, rep1 = 0, rep2 = 0, rep3 = 0, pos = 0;
    const UInt32 pbMask = (1u << pb) - 1, lpMask = (1u << lp) - 1;
    // Up to the end marker, which must come right after the `size` bytes.
    while (!d.cut) {
        const UInt32 posState = pos & pbMask;
        if (!d.Bit(model.isMatch[(state << 4) + posState])) {
            if (pos == size) return 1;
            const UInt32 previous = pos > 0 ? out[pos - 1] : 0;
            UInt16* probs = model.literals + 0x300 * (((pos & lpMask) << lc) + (previous >> (8 - lc)));
            UInt32 symbol = 1;
            if (state >= 7) {
                UInt32 match = out[pos - rep0 - 1];
                do {
                    const UInt32 matchBit = (match >> 7) & 1;
                    match <<= 1;
                    const UInt32 bit = d.Bit(probs[((1 + matchBit) << 8) + symbol]);
                    symbol = (symbol << 1) | bit;
                    if (matchBit != bit) break;
                } while (symbol < 0x100);
            }
            while (symbol < 0x100) symbol = (symbol << 1) | d.Bit(probs[symbol]);
            out[pos++] = static_cast<Byte>(symbol);
            state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
            continue;
        }
        UInt32 length;
        if (d.Bit(model.isRep[state])) {
            if (pos == 0 || pos == size) return 1;
            if (!d.Bit(model.isRepG0[state])) {
                if (!d.Bit(model.isRep0Long[(state << 4) + posState])) {
                    state = state < 7 ? 9 : 11;
                    out[pos] = out[pos - rep0 - 1];
                    ++pos;
                    continue;
                }
            } else {
                UInt32 distance;
                if (!d.Bit(model.isRepG1[state])) {
                    distance = rep1;
                } else {
                    if (!d.Bit(model.isRepG2[state])) {
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
            length = d.Length(1, posState);
            state = state < 7 ? 8 : 11;
        } else {
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            length = d.Length(0, posState);
            state = state < 7 ? 7 : 10;
            const UInt32 slot = d.Tree(model.slots + ((length < 3 ? length : 3) << 6), 6);
            if (slot < 4) {
                rep0 = slot;
            } else {
                const UInt32 bits = (slot >> 1) - 1;
                rep0 = (2 | (slot & 1)) << bits;
                if (slot < 14) {
                    rep0 += d.Reverse(model.special + rep0 - slot, bits);
                } else {
                    rep0 += d.Direct(bits - 4) << 4;
                    rep0 += d.Reverse(model.align, 4);
                }
                if (rep0 == 0xffffffff) break;   // the end marker
            }
            if (rep0 >= pos) return 1;
        }
        if (size - pos < length + 2) return 1;
        for (length += 2; length > 0; --length, ++pos) out[pos] = out[pos - rep0 - 1];
    }
    // The coder ends on a zero code: a damaged stream seldom does.
    return pos == size && !d.cut && d.code == 0 ? 0 : 1;
}

}  // extern "C"
