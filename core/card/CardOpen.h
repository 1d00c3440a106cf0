#pragma once
// Which window a file of the card is edited in, and what it opens there: the
// one rule the card window follows when a row is opened.
#include <string>

#include "card/Card.h"

namespace tesslor {

/// The window a card file is edited in.
enum class CardEditor {
    Picture,        ///< the main window (pictures, old pictures, bitmaps)
    Settings1,      ///< 設定作成1
    Settings2,      ///< 設定作成2 (the settings 1 and 2 window in its second variant)
    Settings3,      ///< 設定作成3
    Schedule,       ///< 表示スケジュール作成
    Text,           ///< 文言ファイル作成
    AnimationList,  ///< 動画ファイルの作成
    Perform,        ///< Performファイルの作成
    None,           ///< no window edits it: refusal says why
};

struct CardOpening {
    CardEditor editor = CardEditor::None;
    std::string path;     ///< what the window opens (an animation opens through its list)
    std::string refusal;  ///< for CardEditor::None, the sentence shown
};

/// Where the file at path, of the given kind, is opened. An animation is
/// edited through the list of the same name; without one it is refused.
CardOpening CardOpeningOf(FileSystem& files, CardKind kind, const std::string& path);

}  // namespace tesslor
