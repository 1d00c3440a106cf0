#pragma once
// The number rules every settings file shares: how a field's text is checked,
// how it is padded into the file, and how the unit's fixed-width numbers are
// read back.
#include <string>
#include <string_view>

#include "platform/Prompter.h"

namespace tesslor {

/// Checks a field's text: not empty, at most width characters, a whole decimal
/// number (an optional "-" then digits only) and min <= value <= max. On
/// failure shows message and returns false; on success value holds the number.
/// A "+" sign or a blank is refused: the file keeps the text as entered, and
/// the unit would read such a value as 0.
bool CheckNumberText(const std::string& text, int width, int min, int max, const std::string& message,
                     Prompter& prompter, int& value);
/// The same rule without a message: true with value set when text passes.
bool NumberTextValue(const std::string& text, int width, int min, int max, int& value);

/// The text as entered with (width - length) characters in front: blanks when
/// it begins with "-", "0" otherwise ("7" -> "007", "-5" -> " -5", "007" stays).
/// A text already width long or longer is returned as it is.
std::string PadValue(const std::string& text, int width);

/// Reads at most n characters (or to the end): a digit adds itself
/// (value * 10 + digit), "-" makes the result negative wherever it stands, a
/// blank is skipped while the value is still 0, anything else (and a blank after
/// a non-zero digit) ends the number. Empty or non-numeric gives 0.
int ReadFixedNumber(std::string_view chars, int n);

}  // namespace tesslor
