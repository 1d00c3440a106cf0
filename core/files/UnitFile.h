#pragma once
// Putting a file on the unit's card without ever losing the one already there.
#include <cstddef>
#include <functional>
#include <string>

#include "files/PictureFileMessages.h"
#include "platform/Files.h"

namespace tesslor {

/// The unit reads at most 30 bytes of a file name, counted in Shift-JIS (a
/// full-width character counts two).
inline constexpr std::size_t kUnitNameBytes = 30;

/// Whether the file-name part of path (after the last "\\", "/" or ":") fits
/// the unit's 30 bytes in Shift-JIS. A name with no Shift-JIS form does not fit.
bool FileNameFitsUnit(const std::string& path);
/// Whether a bare name (as a list's line holds it) fits the unit's 30 bytes
/// in Shift-JIS. A name with no Shift-JIS form does not fit.
bool NameFitsUnit(const std::string& name);

/// Creates the file beside its target, lets write() fill it and puts it in
/// place only when all of it was written. True when the new file is in
/// place; otherwise message is openError when it cannot be created (with the
/// reason when the target is read-only) or writeError when write() or the
/// final step failed, and the earlier file stays exactly as it was.
bool WriteWholeFile(FileSystem& files, const std::string& path, const std::function<bool(OutputFile&)>& write,
                    std::string& message, const std::string& openError = kCreateErrorMessage,
                    const std::string& writeError = kWriteErrorMessage);

}  // namespace tesslor
