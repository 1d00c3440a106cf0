#pragma once
// INI profile strings: section and key names compare without regard to case;
// a missing file, section or key gives the default.
#include <string>

namespace tesslor {

class ProfileStrings {
public:
    virtual ~ProfileStrings() = default;
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const = 0;
    /// The value as a decimal integer; the default when the key is missing or
    /// does not start with a number.
    virtual int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const = 0;
    /// Writes the value and saves the file. False when the file cannot be written.
    virtual bool WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace tesslor
