#include "card/CardWrite.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "card/CardFiles.h"
#include "platform/Paths.h"

namespace tesslor {

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

const char* const kCardFull = "書き込みエラー（カードがいっぱいか、抜かれた可能性があります）";
const char* const kCardAsItWas = "。カードは元のままです";

// Reads a file of the source whole; "" when it could, else why not.
std::string ReadSource(FileSystem& files, const std::string& path, std::uintmax_t maxBytes, std::string& bytes) {
    if (!files.ReadPrefix(path, static_cast<std::size_t>(maxBytes) + 1, bytes)) return "元のファイルを読み込めません";
    if (bytes.size() > maxBytes) return "ファイルが大きすぎます";
    return "";
}

// The card's files of a plan, by the name the source gives them.
std::map<std::string, const FolderEntry*> CardFilesByFoldedName(const std::vector<FolderEntry>& onCard) {
    std::map<std::string, const FolderEntry*> byName;
    for (const FolderEntry& e : onCard)
        if (e.type == FolderEntry::Type::File && !IsCardWriteWorkFile(e.name)) byName.emplace(FoldedName(e.name), &e);
    return byName;
}

void MakePlan(FileSystem& files, const CardScan& source, const std::string& card, const std::vector<FolderEntry>& onCard,
              CardPlan& plan) {
    plan.entries.clear();
    std::map<std::string, const FolderEntry*> remaining = CardFilesByFoldedName(onCard);
    // An exact name on the card first: a Linux folder may hold names that differ only in case.
    std::map<std::string, const FolderEntry*> exact;
    for (const auto& [folded, e] : remaining) exact.emplace(e->name, e);
    for (const std::string& name : CardWriteOrder(source)) {
        CardPlanEntry entry;
        entry.name = name;
        const FolderEntry* there = nullptr;
        if (auto it = exact.find(name); it != exact.end()) there = it->second;
        else if (auto it2 = remaining.find(FoldedName(name)); it2 != remaining.end()) there = it2->second;
        if (there) {
            remaining.erase(FoldedName(there->name));
            entry.cardName = there->name;
            const std::string cardPath = PathInFolder(card, there->name);
            std::string mine, theirs;
            const CardFile* file = source.Find(name);
            const bool same = file && ReadSource(files, PathInFolder(source.folder, name), CardKindMaxBytes(file->kind), mine).empty() &&
                              files.ReadPrefix(cardPath, mine.size() + 1, theirs) && theirs == mine;
            entry.action = same ? CardPlanAction::Same : CardPlanAction::Replace;
            entry.readOnly = files.IsReadOnly(cardPath);
        }
        plan.entries.push_back(std::move(entry));
    }
    for (const auto& [folded, e] : remaining) {
        CardPlanEntry entry;
        entry.name = entry.cardName = e->name;
        entry.action = CardPlanAction::CardOnly;
        plan.entries.push_back(std::move(entry));
    }
    std::sort(plan.entries.begin(), plan.entries.end(),
              [](const CardPlanEntry& a, const CardPlanEntry& b) { return a.name < b.name; });
}

// One file on its way onto the card.
struct Staged {
    const CardPlanEntry* entry;
    std::string target;      // where it goes
    std::string temp;        // where it waits ("" once renamed or never made)
    std::string old;         // the bytes it replaces
    std::string bytes;       // its bytes, until read back from the card
    bool swapped = false;    // renamed over its target
    bool oldGone = false;    // a name differing only in case removed after it (case-sensitive folders)
};

// A write in progress: what it staged and how to leave the card as it was.
class CardTransaction {
public:
    CardTransaction(FileSystem& files, std::string card, bool journalBefore)
        : files_(files), card_(std::move(card)), journal_(PathInFolder(card_, kCardJournalName)),
          journalBefore_(journalBefore) {}

    bool WriteJournal(const std::vector<Staged>& staged) {
        if (journalBefore_) return true;
        // Read by people only: which write this is and what it changes.
        std::string bytes = "TESSLOR CARD WRITE\r\n";
        for (const Staged& s : staged) bytes += s.entry->name + "\r\n";
        std::unique_ptr<OutputFile> out = files_.Create(journal_);
        journalMade_ = out && out->Write(bytes) && out->Commit();
        return journalMade_;
    }

    // Puts the card back as it was; false when some of it could not be.
    bool RollBack(std::vector<Staged>& staged) {
        bool ok = true;
        for (auto s = staged.rbegin(); s != staged.rend(); ++s) {
            if (!s->temp.empty()) {
                ok = files_.Remove(s->temp) && ok;
                s->temp.clear();
            }
            if (!s->swapped) continue;
            if (s->entry->action == CardPlanAction::Replace) {
                ok = PutBackFile(files_, PathInFolder(card_, s->entry->cardName), &s->old) && ok;
                if (s->oldGone) ok = files_.Remove(s->target) && ok;
            } else {
                ok = files_.Remove(s->target) && ok;
            }
            s->swapped = false;
        }
        ok = files_.FlushFolder(card_) && ok;
        if (ok && journalMade_) {
            ok = files_.Remove(journal_) && files_.FlushFolder(card_);
            journalMade_ = !ok;
        }
        return ok;
    }

    // The card is whole: the journal goes. A flush that fails here leaves at
    // worst a journal of a complete card, which the next write clears.
    void Finish() {
        if (!journalMade_ && !journalBefore_) return;
        if (files_.Remove(journal_)) files_.FlushFolder(card_);
    }

private:
    FileSystem& files_;
    std::string card_;
    std::string journal_;
    bool journalBefore_;
    bool journalMade_ = false;
};

}  // namespace

const char* CardPlanWord(CardPlanAction action) {
    switch (action) {
        case CardPlanAction::New: return "新規";
        case CardPlanAction::Replace: return "置き換え";
        case CardPlanAction::Same: return "同じ";
        case CardPlanAction::CardOnly: return "カードのみ";
    }
    return "";
}

std::vector<const CardPlanEntry*> CardPlan::Of(CardPlanAction action) const {
    std::vector<const CardPlanEntry*> of;
    for (const CardPlanEntry& e : entries)
        if (e.action == action) of.push_back(&e);
    return of;
}

bool IsCardWriteWorkFile(const std::string& name) {
    return name == kCardJournalName || StartsWith(name, kSavePrefix);
}

std::string CardWriteStoppedMessage() {
    return "前回のカードへの書き出しが途中で止まっています（一部のファイルが古いままか、まだありません）。"
           "もう一度カードへ書き出してください";
}

void AddCardWriteFindings(CardScan& scan, const std::vector<FolderEntry>& entries) {
    std::vector<CardFinding> found;
    std::vector<std::string> leftovers;
    for (const FolderEntry& e : entries) {
        if (e.type != FolderEntry::Type::File) continue;
        if (e.name == kCardJournalName) found.push_back({CardSeverity::Error, CardWriteStoppedMessage(), {}});
        else if (StartsWith(e.name, kSavePrefix)) leftovers.push_back(e.name);
    }
    if (!leftovers.empty()) {
        std::sort(leftovers.begin(), leftovers.end());
        std::string names;
        for (const std::string& n : leftovers) names += (names.empty() ? "" : "、") + n;
        found.push_back({CardSeverity::Caution,
                         names + " は途中で止まった保存の一時ファイルです（表示器は読みません。次のカードへの書き出しで消えます）",
                         {}});
    }
    // The stopped write first: it is why the other findings may look wrong.
    scan.findings.insert(scan.findings.begin(), found.begin(), found.end());
    std::stable_partition(scan.findings.begin(), scan.findings.end(),
                          [](const CardFinding& f) { return f.severity == CardSeverity::Error; });
}

std::string CardWriteOutcome(const CardWriteResult& result) {
    if (result.cancelled)
        return result.cardUnchanged ? "書き出しを中止しました（カードは元のままです）"
                                    : "書き出しを中止しました（カードが書き出しの途中のままです。もう一度書き出してください）";
    if (!result.failure.empty()) return "書き出しエラー: " + result.failure;
    return "書き出し完了（" + std::to_string(result.written.size()) + "ファイル）";
}

std::string CardSourceErrorQuestion(const CardScan& source) {
    const int errors = source.ErrorCount();
    if (errors == 0) return "";
    return source.folder + " にエラーが" + std::to_string(errors) + "件あります。それでもカードへ書き出しますか？";
}

std::string CardReplaceQuestion(const CardPlan& plan) {
    const std::vector<const CardPlanEntry*> replaced = plan.Of(CardPlanAction::Replace);
    if (replaced.empty()) return "";
    std::string names;
    constexpr std::size_t kNamesShown = 5;
    for (std::size_t i = 0; i < replaced.size() && i < kNamesShown; ++i)
        names += (i ? "、" : "") + replaced[i]->cardName;
    if (replaced.size() > kNamesShown) names += " ほか";
    return "カードの " + std::to_string(replaced.size()) + "ファイル（" + names +
           "）を書き出し元の内容で置き換えます。よろしいですか？";
}

std::string CardWrittenLine(const std::string& name) { return name + ": 書き込み完了"; }

std::vector<std::string> CardWriteOrder(const CardScan& source) {
    std::vector<std::string> names;
    std::vector<std::string> performs;
    for (const CardFile& f : source.files) {
        if (f.kind == CardKind::Other || f.size > CardKindMaxBytes(f.kind)) continue;
        (f.kind == CardKind::Perform ? performs : names).push_back(f.name);
    }
    names.insert(names.end(), performs.begin(), performs.end());
    return names;
}

bool PlanCardWrite(FileSystem& files, const CardScan& source, const std::string& card, CardPlan& plan,
                   std::string& failure) {
    plan.entries.clear();
    std::vector<FolderEntry> onCard;
    if (!files.FolderExists(card)) {
        failure = CardFolderMissingMessage(card);
        return false;
    }
    if (!files.ListFolder(card, onCard)) {
        failure = "フォルダー " + card + " を読み込めません";
        return false;
    }
    MakePlan(files, source, card, onCard, plan);
    return true;
}

CardWriteResult WriteCard(FileSystem& files, const CardScan& source, const std::string& card,
                          const CardWriteProgress& progress, const std::function<void(const std::string&)>& written) {
    CardWriteResult result;
    const auto fail = [&result](const std::string& name, const std::string& why) {
        result.failedName = name;
        result.failure = name.empty() ? why : name + ": " + why;
        return result;
    };
    if (!files.FolderExists(card)) return fail("", CardFolderMissingMessage(card));
    if (SameFolder(card, source.folder)) return fail("", "書き出し元とカードが同じフォルダーです");
    std::vector<FolderEntry> onCard;
    if (!files.ListFolder(card, onCard)) return fail("", "フォルダー " + card + " を読み込めません");
    std::sort(onCard.begin(), onCard.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    for (const FolderEntry& e : onCard) {
        // What computers leave on a card is the check's to mention, not each write's.
        if (e.type != FolderEntry::Type::File || IsCardWriteWorkFile(e.name) || IsLeftByComputer(e.name) ||
            source.Find(e.name))
            continue;
        result.leftAlone.push_back({CardSeverity::Caution,
                                    e.name + " は書き出し元にありません（カードにそのまま残します）", {e.name}});
    }
    CardPlan plan;
    MakePlan(files, source, card, onCard, plan);
    for (const CardPlanEntry& e : plan.entries)
        if (e.action == CardPlanAction::Replace && e.readOnly)
            return fail(e.name, "カードのファイルが読み取り専用のため書き換えません" + std::string(kCardAsItWas));
    // A folder the unit would take for the file stands in its place.
    for (const std::string& name : CardWriteOrder(source))
        for (const FolderEntry& e : onCard)
            if (e.type != FolderEntry::Type::File && FoldedName(e.name) == FoldedName(name))
                return fail(name, "カードに同じ名前のフォルダーがあるため書き込めません" + std::string(kCardAsItWas));

    // What a stopped write or save left: its temporary files go now; its
    // journal stays until this write has made the card whole.
    bool journalBefore = false;
    for (const FolderEntry& e : onCard) {
        if (e.type != FolderEntry::Type::File) continue;
        if (e.name == kCardJournalName) journalBefore = true;
        else if (StartsWith(e.name, kSavePrefix)) files.Remove(PathInFolder(card, e.name));
    }

    const std::vector<std::string> order = CardWriteOrder(source);
    std::map<std::string, const CardPlanEntry*> planOf;
    for (const CardPlanEntry& e : plan.entries) planOf.emplace(e.name, &e);
    std::vector<Staged> staged;
    for (const std::string& name : order) {
        const CardPlanEntry* e = planOf.at(name);
        if (e->action == CardPlanAction::New || e->action == CardPlanAction::Replace)
            staged.push_back({e, PathInFolder(card, name), "", "", "", false, false});
    }

    CardTransaction transaction(files, card, journalBefore);
    const auto undo = [&](const std::string& name, const std::string& why) {
        result.cardUnchanged = transaction.RollBack(staged);
        return fail(name, why + (result.cardUnchanged ? kCardAsItWas : "。カードが書き出しの途中のままです。もう一度カードへ書き出してください"));
    };
    if (!staged.empty() && !transaction.WriteJournal(staged)) {
        result.cardUnchanged = transaction.RollBack(staged);
        return fail("", std::string("カードに書き込めません（書き込み禁止か、カードがいっぱいか、抜かれています）") +
                            (result.cardUnchanged ? kCardAsItWas : ""));
    }

    // Stage: every file that differs, beside its target; then all of them
    // flushed onto the card at once and read back.
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Staged& s = staged[i];
        const std::string& name = s.entry->name;
        if (progress && !progress(i, staged.size(), name)) {
            result.cancelled = true;
            result.cardUnchanged = transaction.RollBack(staged);
            return result;
        }
        const std::string why =
            ReadSource(files, PathInFolder(source.folder, name), CardKindMaxBytes(source.Find(name)->kind), s.bytes);
        if (!why.empty()) return undo(name, why);
        if (s.entry->action == CardPlanAction::Replace &&
            !files.ReadAll(PathInFolder(card, s.entry->cardName), s.old))
            return undo(name, "カードのファイルを読み込めません");
        std::unique_ptr<NewFile> file = files.CreateTemporary(s.target, s.temp);
        if (!file) return undo(name, "カードにファイルを作れません（書き込み禁止か、カードが抜かれています）");
        const bool written = file->Write(s.bytes) && file->Close();
        file.reset();
        if (!written) return undo(name, kCardFull);
    }
    if (!staged.empty() && !files.FlushAll(card)) return undo("", kCardFull);
    for (Staged& s : staged) {
        std::string back;
        if (!files.ReadAll(s.temp, back)) return undo(s.entry->name, "書き込んだファイルを読み直せません");
        if (back != s.bytes) return undo(s.entry->name, "書き込んだ内容を読み直すと元と違います");
        s.bytes = std::string();
    }

    // Swap: each in the place of the one it replaces, Perform.txt last.
    for (Staged& s : staged) {
        const CardPlanEntry& e = *s.entry;
        if (!files.Rename(s.temp, s.target)) return undo(e.name, kCardFull);
        s.temp.clear();
        s.swapped = true;
        // A folder that tells case apart kept the old spelling beside the new one.
        if (e.action == CardPlanAction::Replace && e.cardName != e.name) {
            std::string probe;
            const std::string oldPath = PathInFolder(card, e.cardName);
            if (files.ReadPrefix(oldPath, 0, probe) && files.ReadPrefix(s.target, 0, probe)) {
                std::vector<FolderEntry> now;
                bool both = false;
                if (files.ListFolder(card, now)) {
                    int spellings = 0;
                    for (const FolderEntry& f : now) spellings += f.name == e.cardName || f.name == e.name;
                    both = spellings == 2;
                }
                if (both) {
                    if (!files.Remove(oldPath)) return undo(e.name, kCardFull);
                    s.oldGone = true;
                }
            }
        }
    }
    if (!staged.empty() && !files.FlushFolder(card)) return undo("", kCardFull);
    transaction.Finish();

    for (const std::string& name : order) {
        result.written.push_back(name);
        if (written) written(name);
    }
    return result;
}

}  // namespace tesslor
