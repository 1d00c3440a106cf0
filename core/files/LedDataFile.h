#pragma once
// The LED data file (.lee, file kind "$NORMAL"): one picture with its display
// settings, in the unit's fixed-width framing. The document's Save, SaveAs,
// SaveToFile, OpenWithDialog and OpenFile are built on these two functions.
#include "led/Ledhyoujiki.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor {

/// Writes the whole file for the picture and its settings, one Write() per line.
/// Returns false at the first failed line; the caller then drops the file
/// without committing it. Shows nothing.
bool WriteLedData(const LedHyoujikiClass& doc, OutputFile& out);

/// Reads a file's framing, settings and data blocks into doc. Dots are OR-ed in,
/// so the caller clears the picture first. Settings are applied as each one
/// passes its check. On the first fault shows its one message through prompter
/// and returns false, leaving what was already taken in the document.
bool ReadLedData(LedHyoujikiClass& doc, LineReader& in, Prompter& prompter);

}  // namespace tesslor
