#pragma once
// The texts shown to the operator that more than one place says, each written
// once. Messages of a single reader or check stay beside their rule; those of
// the picture files and of the platform are theirs.
#include "files/PictureFileMessages.h"
#include "platform/DialogFlows.h"
#include "platform/FileMessages.h"

namespace tesslor {

/// An exception that escaped without a text of its own.
inline constexpr const char* kUnexpectedErrorMessage = "予期しないエラーが発生しました";

}  // namespace tesslor
