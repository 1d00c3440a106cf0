#include "platform/FileMessages.h"

namespace tesslor {

std::string CannotWriteMessage(const std::string& path) { return "ファイル " + path + " に書き込めませんでした"; }

std::string CannotReadMessage(const std::string& path) { return "ファイル " + path + " を読み込めませんでした"; }

}  // namespace tesslor
