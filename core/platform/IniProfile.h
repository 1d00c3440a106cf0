#pragma once
// Profile strings kept in an INI file: section and key names compare without
// regard to case, values lose their surrounding blanks (and one pair of
// matching quotes), the first of duplicated keys wins, and a missing file,
// section or key gives the default. The file is read afresh on every call, so
// a value written by someone else in the meantime is seen at once. Bytes are
// taken as they are: keys and the values the program reads are plain ASCII.
#include <string>

#include "platform/Files.h"
#include "platform/ProfileStrings.h"

namespace tesslor {

class IniProfile : public ProfileStrings {
public:
    /// Profile strings of the file at path (which need not exist yet), written
    /// through files (the real file system unless a test swaps it).
    explicit IniProfile(std::string path, FileSystem& files = RealFileSystem());

    /// The value, trimmed; defaultValue when the file, section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const override;
    /// The leading decimal integer of the value (blanks, optional sign, digits up
    /// to the first other character: "12abc" reads 12); defaultValue when the key is missing or its value does
    /// not start with a number ("abc", "", "-"). Values beyond int saturate.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const override;
    /// Sets the value (creating the file, section or key when missing, keeping
    /// every other line) and replaces the file only once all of it was written.
    /// False, with the file as it was, when it cannot be read or written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    FileSystem* files_;
};

/// Whether text starts with a decimal number: optional blanks, an optional
/// sign, then a digit.
bool StartsWithNumber(const std::string& text);

}  // namespace tesslor
