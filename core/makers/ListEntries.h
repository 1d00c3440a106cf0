#pragma once
// What the animation list and the perform list share: entries reached by
// name ("Entry1", "Entry2", ... in list order) and the rule that an entry is
// a bare file name of the list's own folder.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tesslor {

/// "Entry" + (index + 1).
std::string EntryFieldName(std::size_t index);
/// The index "EntryN" names (N from 1, no leading zeros); nothing for any other name.
std::optional<std::size_t> EntryFieldIndex(const std::string& name);

/// A name a list may hold: not empty, no folder separator or drive colon, no "..".
bool IsBareName(const std::string& name);

/// Whether text could have been typed into a box of at most digits digits
/// (a box not filled up holds blanks).
bool FitsDigitsBox(const std::string& text, std::size_t digits);

/// Sets entry N of entries by its field name: N up to the count replaces it,
/// count + 1 appends. The value must be a bare name (IsBareName of it without
/// surrounding blanks). False with problem set otherwise; unknownName is the
/// problem for a name that is no entry at all.
bool SetEntryField(std::vector<std::string>& entries, const std::string& name, const std::string& value,
                   std::string& problem, const std::string& unknownName);

}  // namespace tesslor
