#pragma once
// The texts shown to the operator that more than one place says, each written
// once. Messages of a single reader or check stay beside their rule.
#include <string>

namespace tesslor {

/// The discard question before anything that would lose unsaved work.
inline constexpr const char* kDiscardQuestion = "作成したデータが失われてもいいですか？";
/// A file chosen for reading that cannot be opened.
inline constexpr const char* kFileOpenErrorMessage = "ファイル　オープン　エラー";
/// A file for the unit that cannot be created, or not written whole.
inline constexpr const char* kCreateErrorMessage = "ファイルオープンエラー";
inline constexpr const char* kWriteErrorMessage = "ファイルライトエラー";
/// An overwrite-save with no file name yet.
inline constexpr const char* kNoFileNameMessage = "ファイルなし";
/// A name longer than the unit's 30 bytes.
inline constexpr const char* kNameTooLongMessage = "ファイル名が長すぎます";
/// A bitmap that cannot be imported.
inline constexpr const char* kBitmapFileError = "ビットマップファイルエラー";
/// An exception that escaped without a text of its own.
inline constexpr const char* kUnexpectedErrorMessage = "予期しないエラーが発生しました";

/// "ファイル <path> に書き込めませんでした".
std::string CannotWriteMessage(const std::string& path);
/// "ファイル <path> を読み込めませんでした".
std::string CannotReadMessage(const std::string& path);

}  // namespace tesslor
