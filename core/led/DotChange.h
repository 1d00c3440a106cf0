#pragma once
// The dots one undo step changed and how (the exclusive-or of their codes
// before and after), packed: a few changed dots as gaps between them, a
// picture-wide change as two bits a dot. Applying a change again undoes it.
#include <cstdint>
#include <vector>

#include "led/PictureDots.h"

namespace tesslor {

struct DotChange {
    bool dense = false;
    std::vector<std::uint8_t> data;

    /// The change that takes before to after (and, applied again, back).
    static DotChange Between(const PictureDots& before, const PictureDots& after);
    /// Applies the change to picture: after becomes before and before after.
    void ApplyTo(PictureDots& picture) const;
    /// Bytes the change holds.
    std::size_t Bytes() const { return data.size(); }
};

}  // namespace tesslor
