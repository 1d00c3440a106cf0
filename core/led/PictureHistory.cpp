#include "led/PictureHistory.h"

namespace tesslor {

namespace {
constexpr long long kUnreachable = -1;
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

PictureHistory::PictureHistory(std::size_t maxSteps, std::size_t maxBytes)
    : maxSteps_(maxSteps < 1 ? 1 : maxSteps), maxBytes_(maxBytes) {}

PictureHistory::Change PictureHistory::Encode(const PictureDots& before, const PictureDots& after) {
    Change step;
    // Sparse: for each changed dot, (gap from the previous changed dot) x 4 +
    // the exclusive-or of its codes, as a varint: one byte a dot when changes
    // lie within 32 dots of each other.
    std::size_t last = 0;
    bool first = true;
    for (std::size_t i = 0; i < PictureDots::kCount; ++i) {
        const std::uint8_t diff = static_cast<std::uint8_t>((before.Codes()[i] ^ after.Codes()[i]) & 3);
        if (!diff) continue;
        const std::size_t gap = first ? i : i - last - 1;
        PutVarint(step.data, static_cast<std::uint32_t>(gap * 4 + diff));
        last = i;
        first = false;
        if (step.data.size() > kDenseBytes) break;  // dense will be smaller
    }
    if (step.data.size() <= kDenseBytes) return step;
    step.dense = true;
    step.data.assign(kDenseBytes, 0);
    for (std::size_t i = 0; i < PictureDots::kCount; ++i) {
        const std::uint8_t diff = static_cast<std::uint8_t>((before.Codes()[i] ^ after.Codes()[i]) & 3);
        step.data[i / 4] |= static_cast<std::uint8_t>(diff << (2 * (i % 4)));
    }
    return step;
}

void PictureHistory::Apply(const Change& step, PictureDots& picture) {
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

void PictureHistory::Record(const PictureDots& before, const PictureDots& after) {
    if (before == after) return;
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().data.size();
        steps_.pop_back();
    }
    if (saved_ > static_cast<long long>(position_)) saved_ = kUnreachable;
    steps_.push_back(Encode(before, after));
    bytes_ += steps_.back().data.size();
    ++position_;
    Trim();
}

void PictureHistory::Trim() {
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= steps_.front().data.size();
        steps_.pop_front();
        --position_;
        if (saved_ != kUnreachable) saved_ = saved_ == 0 ? kUnreachable : saved_ - 1;
    }
}

bool PictureHistory::Undo(PictureDots& picture) {
    if (!CanUndo()) return false;
    Apply(steps_[--position_], picture);
    return true;
}

bool PictureHistory::Redo(PictureDots& picture) {
    if (!CanRedo()) return false;
    Apply(steps_[position_++], picture);
    return true;
}

void PictureHistory::MarkSaved() { saved_ = static_cast<long long>(position_); }

bool PictureHistory::AtSavedState() const { return saved_ == static_cast<long long>(position_); }

void PictureHistory::Clear(bool saved) {
    steps_.clear();
    bytes_ = 0;
    position_ = 0;
    saved_ = saved ? 0 : kUnreachable;
}

}  // namespace tesslor
