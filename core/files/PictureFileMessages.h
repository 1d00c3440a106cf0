#pragma once
// The messages of the picture files, each written once.
namespace tesslor {

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
/// A bitmap export of a picture with no lit dot: no file is made.
inline constexpr const char* kEmptyBitmapMessage = "点灯しているドットがない絵なので、ビットマップファイルは作りません";

}  // namespace tesslor
