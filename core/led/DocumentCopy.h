#pragma once
// Taking over what another document holds: how a file is opened without
// risking the picture on screen. The file is read into a scratch document,
// and only a file read completely replaces the editor's picture.
#include <functional>

#include "led/Ledhyoujiki.h"
#include "led/PictureColumns.h"

namespace tesslor {

/// Makes to's dots and display settings (write number, display mode,
/// insertion, position, reverse colour) those of from. FileName is not
/// touched; Modified follows the setters' rules. Both documents must have the
/// same configuration.
void CopyPictureAndSettings(const LedHyoujikiClass& from, LedHyoujikiClass& to);
/// The same for the display settings alone; to's dots stay.
void CopySettings(const LedHyoujikiClass& from, LedHyoujikiClass& to);

/// Runs use with a document of the shape that nobody sees, as a new one holds
/// it (no dots, the default settings), and returns its result: the document
/// kept on this thread for the next call, or a fresh one for a call made
/// while another is running.
bool WithScratchDocument(const DisplayShape& shape, const std::function<bool(LedHyoujikiClass& scratch)>& use);

/// Reads into a scratch document of doc's configuration with read(scratch);
/// only when read returns true does doc take over its picture and settings.
/// Returns read's result; on false doc is exactly as it was.
bool ReadThroughScratch(LedHyoujikiClass& doc, const std::function<bool(LedHyoujikiClass& scratch)>& read);

/// The same for a reader that keeps a picture's dots apart from its settings:
/// read(settings, dots) gets a scratch document with the default settings
/// (whose dots it must leave alone) and empty columns. Only when read returns
/// true does doc take over the settings and exactly those dots; on false doc
/// is exactly as it was.
bool ReadColumnsThroughScratch(LedHyoujikiClass& doc,
                               const std::function<bool(LedHyoujikiClass& settings, PictureColumns& dots)>& read);

}  // namespace tesslor
