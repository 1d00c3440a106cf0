#pragma once
// Undo and redo of the whole document: its dots, the settings that travel
// in its file, and the file it belongs to. An open, a new picture or a
// rendering is a step like a stroke, so going back over an open gives back
// the earlier picture together with its own file name and settings, and a
// save afterwards writes that picture into its own file.
#include <cstddef>
#include <deque>
#include <map>
#include <string>

#include "led/DotChange.h"

namespace tesslor {

/// The settings written into the picture's file beside the dots.
struct PictureSettings {
    char displayMode = 0;
    char sounyuuMoji = 0;
    char sounyuuIti = 0;
    std::string niniIti;
    std::string writeNo;
    int reverseColor = 0;
    bool operator==(const PictureSettings&) const = default;
};

/// Everything of the document an undo step gives back.
struct DocumentState {
    PictureDots dots;
    PictureSettings settings;
    std::string fileName;
    bool operator==(const DocumentState&) const = default;
};

class DocumentHistory {
public:
    /// Keeps at most maxSteps steps and about maxBytes of dot changes (the
    /// oldest go first; the newest step is always kept).
    explicit DocumentHistory(std::size_t maxSteps = 200, std::size_t maxBytes = 8u << 20);

    /// Forgets every step: state is where the history starts. When saved, it
    /// is what its file holds (a new start counts as saved under no name).
    void Reset(const DocumentState& state, bool saved);
    /// Takes state as one step from the state last recorded (nothing when they
    /// are equal) and forgets every step that could have been redone. A change
    /// of settings only with the same non-empty typing key as the step before
    /// (one box typed into key by key) joins that step instead.
    void Record(const DocumentState& state, const std::string& typing = {});
    /// state is what the file where now holds (it was read from it or
    /// written to it); another state kept there no longer is. where is the
    /// picture's own file name unless the picture came from elsewhere (a
    /// bitmap). No step is taken here: the next Record takes it. When that
    /// state differs from the one last recorded only by its file name and a
    /// file holds it (a save under a new name), the name is taken in place,
    /// without a step: undo then goes back to the state before, under the
    /// name it had.
    void Hold(const DocumentState& state, const std::string& where);
    /// The file where was written with something else (another window's
    /// work): whatever this program knew it to hold, it no longer holds.
    void Rewritten(const std::string& where) { saved_.erase(where); }
    /// Whether some file holds state, as far as this program knows.
    bool Holds(const DocumentState& state) const;

    bool CanUndo() const { return position_ > 0; }
    bool CanRedo() const { return position_ < steps_.size(); }
    /// One step back or forward. False, nothing changed, when there is none.
    bool Undo();
    bool Redo();
    /// The state last recorded, or reached by undo or redo.
    const DocumentState& Current() const { return current_; }
    /// Whether Current() is kept in a file, as far as this program knows
    /// (last saved or read there with these dots, settings and file name).
    bool AtSavedState() const { return Holds(current_); }

    std::size_t StepCount() const { return steps_.size(); }
    /// Bytes the steps' dot changes hold.
    std::size_t MemoryBytes() const { return bytes_; }

private:
    struct Meta {
        PictureSettings settings;
        std::string fileName;
    };
    struct Step {
        DotChange dots;
        Meta before;
        Meta after;
        std::string typing;
    };
    void Trim();
    /// Takes a new name for the state last recorded in place (a save under a new name).
    bool RenameInPlace(const DocumentState& state);
    /// Joins a settings-only change to the last step typed into the same box.
    bool JoinTyping(const DocumentState& state, const std::string& typing);
    /// Forgets the saved states of files no state in the history belongs to.
    void ForgetUnreachedFiles();

    std::deque<Step> steps_;
    std::size_t position_ = 0;  // steps_[0 .. position_) are done
    std::size_t maxSteps_;
    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    DocumentState current_;
    // For each file, the state it holds as far as this program knows.
    std::map<std::string, DocumentState> saved_;
};

}  // namespace tesslor
