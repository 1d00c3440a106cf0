#pragma once
// Undo and redo of the picture. A step keeps only which dots changed and how
// (the exclusive-or of their codes before and after), packed: a few changed
// dots as gaps between them, a picture-wide change as two bits a dot. A step
// is undone and redone by applying its changes again.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "led/PictureEdits.h"

namespace tesslor {

class PictureHistory {
public:
    /// The dots one step changed, packed: a few changed dots as gaps between
    /// them, a picture-wide change as two bits a dot.
    struct Change {
        bool dense = false;
        std::vector<std::uint8_t> data;
    };
    /// The change that takes before to after (and, applied again, back).
    static Change Encode(const PictureDots& before, const PictureDots& after);
    /// Applies change to picture: after becomes before and before after.
    static void Apply(const Change& change, PictureDots& picture);

    /// Keeps at most maxSteps steps and about maxBytes of them (the oldest go
    /// first; the newest step is always kept).
    explicit PictureHistory(std::size_t maxSteps = 200, std::size_t maxBytes = 8u << 20);

    /// Records the change from before to after as one step (nothing when they
    /// are equal) and forgets every step that could have been redone.
    void Record(const PictureDots& before, const PictureDots& after);
    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    /// Takes picture back one step. False, picture unchanged, when there is none.
    bool Undo(PictureDots& picture);
    /// Takes picture forward one step. False, picture unchanged, when there is none.
    bool Redo(PictureDots& picture);

    /// The picture as it is now is the one in its file (after a save or an open).
    void MarkSaved();
    /// Whether undo and redo have come back to the saved picture; false when
    /// that picture can no longer be reached.
    bool AtSavedState() const;
    /// Forgets every step (a new picture); the picture as it is counts as saved when saved is true.
    void Clear(bool saved);

    std::size_t StepCount() const { return steps_.size(); }
    /// Bytes the steps hold.
    std::size_t MemoryBytes() const { return bytes_; }

private:
    void Trim();

    std::deque<Change> steps_;
    std::size_t position_ = 0;  // steps_[0 .. position_) are done
    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    // The position of the saved picture; unreachable once it is trimmed or
    // its steps were replaced.
    long long saved_ = 0;
};

}  // namespace tesslor
