#include "led/DotChange.h"

#include <cstring>

namespace tesslor {

namespace {
constexpr std::size_t kDenseBytes = PictureDots::kCount / 4;  // two bits a dot

// A varint of 7 bits a byte, low bits first.
void PutVarint(std::vector<std::uint8_t>& out, std::uint32_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(v));
}
}  // namespace

DotChange DotChange::Between(const PictureDots& before, const PictureDots& after) {
    DotChange step;
    // Sparse: for each changed dot, (gap from the previous changed dot) x 4 +
    // the exclusive-or of its codes, as a varint: one byte a dot when changes
    // lie within 32 dots of each other.
    std::size_t last = 0;
    bool first = true;
    const LedColor* const b = before.Codes().data();
    const LedColor* const a = after.Codes().data();
    // A block of dots at a time: a stroke changes a few dots of 38,400, and
    // the unchanged blocks between them cost one memcmp each.
    constexpr std::size_t kBlock = 256;
    static_assert(PictureDots::kCount % kBlock == 0);
    for (std::size_t at = 0; at < PictureDots::kCount && step.data.size() <= kDenseBytes; at += kBlock) {
        if (std::memcmp(b + at, a + at, kBlock) == 0) continue;
        for (std::size_t i = at; i < at + kBlock; ++i) {
            const std::uint8_t diff = static_cast<std::uint8_t>((b[i] ^ a[i]) & 3);
            if (!diff) continue;
            const std::size_t gap = first ? i : i - last - 1;
            PutVarint(step.data, static_cast<std::uint32_t>(gap * 4 + diff));
            last = i;
            first = false;
        }
    }
    if (step.data.size() <= kDenseBytes) return step;  // past it, dense is smaller
    step.dense = true;
    step.data.assign(kDenseBytes, 0);
    for (std::size_t i = 0; i < PictureDots::kCount; ++i) {
        const std::uint8_t diff = static_cast<std::uint8_t>((before.Codes()[i] ^ after.Codes()[i]) & 3);
        step.data[i / 4] |= static_cast<std::uint8_t>(diff << (2 * (i % 4)));
    }
    return step;
}

void DotChange::ApplyTo(PictureDots& picture) const {
    const DotChange& step = *this;
    auto& codes = picture.Codes();
    if (step.dense) {
        for (std::size_t i = 0; i < PictureDots::kCount; ++i)
            codes[i] = static_cast<LedColor>(codes[i] ^ ((step.data[i / 4] >> (2 * (i % 4))) & 3));
        return;
    }
    std::size_t at = 0, index = 0;
    bool first = true;
    while (at < step.data.size()) {
        std::uint32_t v = 0;
        for (int shift = 0; at < step.data.size(); shift += 7) {
            const std::uint8_t b = step.data[at++];
            v |= static_cast<std::uint32_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) break;
        }
        index = first ? v / 4 : index + 1 + v / 4;
        first = false;
        if (index < PictureDots::kCount) codes[index] = static_cast<LedColor>(codes[index] ^ (v & 3));
    }
}

}  // namespace tesslor
