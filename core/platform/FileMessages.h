#pragma once
// What the platform says when a file cannot be read or written.
#include <string>

namespace tesslor {

/// "ファイル <path> に書き込めませんでした".
std::string CannotWriteMessage(const std::string& path);
/// "ファイル <path> を読み込めませんでした".
std::string CannotReadMessage(const std::string& path);

}  // namespace tesslor
