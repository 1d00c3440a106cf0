// The findings across the files of a card: what the unit will not show as
// prepared (エラー) and what looks unintended (注意).
#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "card/CardFiles.h"
#include "files/UnitFile.h"
#include "makers/AnimationList.h"
#include "makers/PerformList.h"
#include "platform/Paths.h"

namespace tesslor {

namespace {

void Add(CardScan& scan, CardSeverity severity, std::string message, std::vector<std::string> files) {
    scan.findings.push_back({severity, std::move(message), std::move(files)});
}

bool NamedInPerform(CardKind kind) {
    switch (kind) {
        case CardKind::Picture:
        case CardKind::Animation:
        case CardKind::Settings1:
        case CardKind::Settings2:
        case CardKind::Settings3:
        case CardKind::Schedule:
        case CardKind::Co2:
            return true;
        default:
            return false;
    }
}

// Each line of Perform.txt: on the card, readable, a name the unit takes.
void CheckPerformLines(CardScan& scan, const CardFile& perform) {
    for (std::size_t i = 0; i < perform.entries.size(); ++i) {
        const std::string& name = perform.entries[i];
        const std::string where = perform.name + " の" + std::to_string(i + 1) + "行目 " + name;
        if (!NameFitsUnit(name)) {
            Add(scan, CardSeverity::Error,
                where + " は表示器が扱えない名前です（Shift-JISで30バイトまで）", {perform.name});
            continue;
        }
        const CardFile* file = scan.Find(name);
        if (!file) {
            Add(scan, CardSeverity::Error, where + " がカードにありません", {perform.name});
        } else if (!file->ok) {
            Add(scan, CardSeverity::Error, where + " が読めません: " + file->status, {perform.name, file->name});
        }
    }
}

// Pictures, or animations of one type, that the list names and that share a
// write number: the unit keeps only the later one in that table slot.
void CheckSharedWriteNumbers(CardScan& scan, const CardFile& perform) {
    std::map<std::pair<int, int>, std::vector<const CardFile*>> slots;  // (group, write number)
    std::vector<const CardFile*> seen;
    for (const std::string& name : perform.entries) {
        const CardFile* file = scan.Find(name);
        if (!file || !file->ok || file->writeNo < 0) continue;
        if (std::find(seen.begin(), seen.end(), file) != seen.end()) continue;
        seen.push_back(file);
        int group = -1;
        if (file->kind == CardKind::Picture) group = 0;
        else if (file->kind == CardKind::Animation) group = file->superAnimation ? 1 : 2;
        if (group >= 0) slots[{group, file->writeNo}].push_back(file);
    }
    for (const auto& [slot, files] : slots) {
        if (files.size() < 2) continue;
        std::string names;
        std::vector<std::string> involved;
        for (const CardFile* f : files) {
            names += (names.empty() ? "" : "、") + f->name;
            involved.push_back(f->name);
        }
        const std::string what = slot.first == 0   ? "絵"
                                 : slot.first == 1 ? "スーパーアニメーション"
                                                   : "ノーマルアニメーション";
        Add(scan, CardSeverity::Caution,
            names + " は同じ書き込みNo " + std::to_string(slot.second) + " の" + what +
                "です（表示器では後のものが前のものを置き換えます）",
            involved);
    }
}

// Every picture an animation list names must be on the card.
void CheckAnimationLists(CardScan& scan) {
    for (const CardFile& list : scan.files) {
        if (list.kind != CardKind::AnimationList || !list.ok) continue;
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            const std::string& name = list.entries[i];
            if (name.empty() || scan.Find(name)) continue;
            Add(scan, CardSeverity::Error,
                list.name + " の" + std::to_string(i + 1) + "番目の絵 " + name + " がカードにありません",
                {list.name});
        }
    }
}

// An animation data file in two parts: the define lines (type, display time,
// number of pictures, write number) through "#END_OF_DEFINE", then the
// pictures. A file without that line is all define part.
std::pair<std::string_view, std::string_view> SplitAtEndOfDefine(std::string_view bytes) {
    std::size_t end = bytes.find("#END_OF_DEFINE");
    if (end == std::string_view::npos) return {bytes, {}};
    end = bytes.find('\n', end);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    return {bytes.substr(0, end), bytes.substr(end)};
}

// The data file an animation list makes now, compared with the one on the card
// as it is written, define part and pictures apart: only the define part is
// kept, not the pictures (some 900 KB an animation).
class AnimationComparison : public OutputFile {
public:
    explicit AnimationComparison(std::string_view saved) : saved_(SplitAtEndOfDefine(saved)) {}
    bool Write(std::string_view bytes) override {
        if (defineEnd_ != std::string::npos) {
            ComparePictures(bytes);
            return true;
        }
        define_ += bytes;
        // The define part ends with the line feed after "#END_OF_DEFINE".
        const std::size_t marker = define_.find("#END_OF_DEFINE");
        const std::size_t lf = marker == std::string::npos ? marker : define_.find('\n', marker);
        if (lf == std::string::npos) return true;
        defineEnd_ = lf + 1;
        ComparePictures(std::string_view(define_).substr(defineEnd_));
        define_.resize(defineEnd_);
        return true;
    }
    bool Commit() override { return true; }
    bool SettingsChanged() const { return Now().first != saved_.first; }
    bool PicturesChanged() const {
        if (defineEnd_ == std::string::npos) return Now().second != saved_.second;
        return !picturesSame_ || pictureBytes_ != saved_.second.size();
    }

private:
    std::pair<std::string_view, std::string_view> Now() const { return SplitAtEndOfDefine(define_); }
    void ComparePictures(std::string_view bytes) {
        picturesSame_ = picturesSame_ && pictureBytes_ + bytes.size() <= saved_.second.size() &&
                        saved_.second.substr(pictureBytes_, bytes.size()) == bytes;
        pictureBytes_ += bytes.size();
    }
    std::pair<std::string_view, std::string_view> saved_;
    std::string define_;
    std::size_t defineEnd_ = std::string::npos;
    bool picturesSame_ = true;
    std::size_t pictureBytes_ = 0;
};

// What an animation that differs from its list's bytes now is told: which of
// the list's settings and its pictures changed since it was saved.
std::string StaleAnimationMessage(const std::string& ana, const std::string& list, bool settings, bool pictures) {
    std::string why;
    if (settings && pictures)
        why = " の今の設定とも今の絵とも違います（保存の後で表示時間などの設定が変わり、絵も変わったか、なくなっています）";
    else if (settings)
        why = " の今の設定と違います（保存の後で表示時間などの設定が変わっています）";
    else
        why = " の今の絵と違います（保存の後で絵が変わったか、なくなっています）";
    return ana + " は " + list + why + "。" + list + " を保存し直してください";
}

// An animation must hold what its list (same base name) gives now: a setting
// or a picture changed since it was saved leaves it showing the old ones.
void CheckAnimationsAgainstLists(CardScan& scan, CardFiles& files) {
    // Animations share pictures: each picture's blocks are copied once.
    std::map<std::string, std::string> blocks;
    for (const CardFile& ana : scan.files) {
        if (ana.kind != CardKind::Animation) continue;
        const std::string base = ana.name.substr(0, ana.name.find_last_of('.'));
        const CardFile* list = scan.Find(base + ".alt");
        if (!list || !list->ok || list->kind != CardKind::AnimationList) continue;
        AnimationList regenerated(files);
        regenerated.PictureBlocks = &blocks;
        const std::string listPath = files.PathOf(list->name);
        std::string message;
        if (!regenerated.LoadAnimationList(listPath, message)) continue;
        if (const std::string fault = regenerated.Fault(); !fault.empty()) {
            // Settings the maker would not save (a hand-edited list): saving
            // again cannot help until they are put right.
            Add(scan, CardSeverity::Caution,
                ana.name + " は " + list->name + " から作り直せません（" +
                    fault + "）。" + list->name +
                    " の設定を直して保存し直してください",
                {ana.name, list->name});
            continue;
        }
        bool settings = false, pictures = true;
        AnimationComparison now(files.Bytes(files.PathOf(ana.name)));
        if (regenerated.WriteDataTo(now, message)) {
            settings = now.SettingsChanged();
            pictures = now.PicturesChanged();
        }
        // A picture that is gone or cannot be read stops the save: the pictures changed.
        if (!settings && !pictures) continue;
        Add(scan, CardSeverity::Caution, StaleAnimationMessage(ana.name, list->name, settings, pictures),
            {ana.name, list->name});
    }
}

// Each picture an animation list on the card names: the unit takes it with
// its animation, so Perform.txt need not name it.
std::set<const CardFile*> PicturesOfAnimationLists(const CardScan& scan) {
    std::set<const CardFile*> pictures;
    for (const CardFile& list : scan.files) {
        if (list.kind != CardKind::AnimationList || !list.ok) continue;
        for (const std::string& name : list.entries)
            if (const CardFile* f = scan.Find(name); f && f->kind == CardKind::Picture) pictures.insert(f);
    }
    return pictures;
}

// The files and folders computers leave on a card, told once: nobody need
// act on them, but an operator who sees them on the card may wonder.
void NoteLeftByComputers(CardScan& scan, const std::vector<FolderEntry>& entries) {
    if (entries.empty()) return;
    std::string names;
    std::vector<std::string> involved;
    bool files = false, folders = false;
    for (const FolderEntry& e : entries) {
        names += (names.empty() ? "" : "、") + e.name;
        involved.push_back(e.name);
        (e.type == FolderEntry::Type::Folder ? folders : files) = true;
    }
    const char* what = files && folders ? "ファイルとフォルダー" : folders ? "フォルダー" : "ファイル";
    Add(scan, CardSeverity::Caution,
        names + " はパソコンが作った" + what + "です（表示器は読みません。消してもかまいません）", involved);
}

}  // namespace

void AddCardFindings(CardScan& scan, CardFiles& files, const std::vector<FolderEntry>& leftByComputers) {
    CheckAnimationLists(scan);
    CheckAnimationsAgainstLists(scan, files);
    const CardFile* perform = nullptr;
    for (const CardFile& f : scan.files)
        if (f.kind == CardKind::Perform) perform = &f;
    if (!perform) {
        Add(scan, CardSeverity::Caution, "Perform.txt がありません（表示器は何を表示するか分かりません）", {});
    } else {
        CheckPerformLines(scan, *perform);
        CheckSharedWriteNumbers(scan, *perform);
        const std::set<const CardFile*> animated = PicturesOfAnimationLists(scan);
        for (const CardFile& f : scan.files) {
            if (!NamedInPerform(f.kind) || scan.PerformPosition(f.name) > 0 || animated.count(&f)) continue;
            Add(scan, CardSeverity::Caution, f.name + " は " + perform->name + " に載っていません", {f.name});
        }
    }
    NoteLeftByComputers(scan, leftByComputers);
    // What stops the unit first, each group in the order it was found.
    std::stable_partition(scan.findings.begin(), scan.findings.end(),
                          [](const CardFinding& f) { return f.severity == CardSeverity::Error; });
}

}  // namespace tesslor
