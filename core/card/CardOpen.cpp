#include "card/CardOpen.h"

#include "makers/AnimationList.h"
#include "platform/Paths.h"

namespace tesslor {

CardOpening CardOpeningOf(FileSystem& files, CardKind kind, const std::string& path) {
    const auto in = [&path](CardEditor editor) { return CardOpening{editor, path, ""}; };
    const auto refused = [](std::string why) { return CardOpening{CardEditor::None, "", std::move(why)}; };
    switch (kind) {
        case CardKind::Picture:
        case CardKind::OldPicture:
        case CardKind::Bitmap:
            return in(CardEditor::Picture);
        case CardKind::Settings1: return in(CardEditor::Settings1);
        case CardKind::Settings2: return in(CardEditor::Settings2);
        case CardKind::Settings3: return in(CardEditor::Settings3);
        case CardKind::Schedule: return in(CardEditor::Schedule);
        case CardKind::Text: return in(CardEditor::Text);
        case CardKind::AnimationList: return in(CardEditor::AnimationList);
        case CardKind::Perform: return in(CardEditor::Perform);
        case CardKind::Animation: {
            const std::string list = AnimationList::ListPathFor(path);
            std::string probe;
            if (!files.ReadPrefix(list, 0, probe))
                return refused(FileNamePart(path) + " はリスト " + FileNamePart(list) +
                               " がないため開けません（動画ファイルの作成で作り直せます）");
            return CardOpening{CardEditor::AnimationList, list, ""};
        }
        case CardKind::Co2:
            // Its window only makes new files; saying so beats a double-click that does nothing.
            return refused(FileNamePart(path) + " を開く画面はありません（CO2削減量設定ファイル作成で作り直せます）");
        case CardKind::Other:
            break;
    }
    return refused(FileNamePart(path) + " は表示器のファイルではないため開けません");
}

}  // namespace tesslor
