#include "card/CardWrite.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

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

// Perform.txt is found on the card in any spelling, as the unit finds it,
// and the source's replaces it.
bool IsPerformName(const std::string& name) { return FoldedName(name) == "perform.txt"; }

// The card's file that the source's name writes over: the one of that very
// spelling; else, on a folder that does not tell case apart (where the name
// opens a file listed in another spelling), that one file. A folder that
// tells case apart keeps every other spelling as a file of its own, which
// the write leaves alone. nullptr when the name is new to the card.
const FolderEntry* CardFileFor(FileSystem& files, const std::string& card, const std::string& name,
                               const std::map<std::string, const FolderEntry*>& byName,
                               const std::multimap<std::string, const FolderEntry*>& byFolded,
                               const std::set<std::string>& listed, const std::set<std::string>& taken) {
    if (auto it = byName.find(name); it != byName.end()) return it->second;
    // Something listed in this very spelling (a folder) is not another spelling's file.
    if (listed.count(name)) return nullptr;
    const auto [first, last] = byFolded.equal_range(FoldedName(name));
    for (auto it = first; it != last; ++it) {
        if (taken.count(it->second->name)) continue;
        if (IsPerformName(name) || files.Exists(PathInFolder(card, name))) return it->second;
    }
    return nullptr;
}

// Same or Replace for a source file found on the card.
void CompareWithCard(FileSystem& files, const CardScan& source, const std::string& card, CardPlanEntry& entry) {
    const std::string cardPath = PathInFolder(card, entry.cardName);
    std::string mine, theirs;
    const CardFile* file = source.Find(entry.name);
    const bool same =
        file && ReadSource(files, PathInFolder(source.folder, entry.name), CardKindMaxBytes(file->kind), mine).empty() &&
        files.ReadPrefix(cardPath, mine.size() + 1, theirs) && theirs == mine;
    entry.action = same ? CardPlanAction::Same : CardPlanAction::Replace;
    entry.readOnly = files.IsReadOnly(cardPath);
}

void MakePlan(FileSystem& files, const CardScan& source, const std::string& card, const std::vector<FolderEntry>& onCard,
              CardPlan& plan) {
    plan.entries.clear();
    std::map<std::string, const FolderEntry*> byName;
    std::multimap<std::string, const FolderEntry*> byFolded;
    std::set<std::string> listed;
    for (const FolderEntry& e : onCard) {
        listed.insert(e.name);
        if (e.type != FolderEntry::Type::File || IsCardWriteWorkFile(e.name)) continue;
        byName.emplace(e.name, &e);
        byFolded.emplace(FoldedName(e.name), &e);
    }
    const std::vector<std::string> order = CardWriteOrder(source);
    // A card file the source names exactly is that name's, never another spelling's.
    std::set<std::string> taken(order.begin(), order.end());
    std::set<std::string> claimed;
    for (const std::string& name : order) {
        CardPlanEntry entry;
        entry.name = name;
        if (const FolderEntry* there = CardFileFor(files, card, name, byName, byFolded, listed, taken)) {
            taken.insert(there->name);
            claimed.insert(there->name);
            entry.cardName = there->name;
            CompareWithCard(files, source, card, entry);
        }
        plan.entries.push_back(std::move(entry));
    }
    for (const auto& [name, e] : byName) {
        if (claimed.count(name)) continue;
        CardPlanEntry entry;
        entry.name = entry.cardName = name;
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
    // A file already the same on the card was not written: it is counted apart.
    const std::size_t same = std::min(result.same, result.written.size());
    return "書き出し完了（" + std::to_string(result.written.size() - same) + "ファイル" +
           (same ? "・同じ " + std::to_string(same) + "ファイル" : std::string()) + "）";
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

namespace {

const char* const kCardHalfWritten = "。カードが書き出しの途中のままです。もう一度カードへ書き出してください";

// One write, phase by phase: check (nothing touched), stage (every file that
// differs beside its target, flushed at once), verify (each read back), swap
// (renamed over their targets, Perform.txt last, the folder flushed), finish.
class CardWriter {
public:
    CardWriter(FileSystem& files, const CardScan& source, const std::string& card, const CardWriteProgress& progress)
        : files_(files), source_(source), card_(card), progress_(progress) {}

    CardWriteResult Run(const std::function<void(const std::string&)>& written) {
        if (!Check()) return result_;
        CardTransaction transaction(files_, card_, ClearLeftovers());
        transaction_ = &transaction;
        if (!Stage() || !Verify() || !Swap()) return result_;
        transaction.Finish();
        for (const CardPlanEntry& e : plan_.entries) result_.same += e.action == CardPlanAction::Same;
        for (const std::string& name : CardWriteOrder(source_)) {
            result_.written.push_back(name);
            if (written) written(name);
        }
        return result_;
    }

private:
    bool Fail(const std::string& name, const std::string& why) {
        result_.failedName = name;
        result_.failure = name.empty() ? why : name + ": " + why;
        return false;
    }
    // Puts the card back as it was, and says whether it could.
    bool Undo(const std::string& name, const std::string& why) {
        result_.cardUnchanged = transaction_->RollBack(staged_);
        return Fail(name, why + (result_.cardUnchanged ? kCardAsItWas : kCardHalfWritten));
    }

    // Everything that stops a write before anything on the card changes.
    bool Check() {
        if (!files_.FolderExists(card_)) return Fail("", CardFolderMissingMessage(card_));
        if (SameFolder(card_, source_.folder)) return Fail("", "書き出し元とカードが同じフォルダーです");
        if (!files_.ListFolder(card_, onCard_)) return Fail("", "フォルダー " + card_ + " を読み込めません");
        std::sort(onCard_.begin(), onCard_.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        MakePlan(files_, source_, card_, onCard_, plan_);
        for (const CardPlanEntry& e : plan_.entries) {
            // What computers leave on a card is the check's to mention, not each write's.
            if (e.action == CardPlanAction::CardOnly && !IsLeftByComputer(e.name))
                result_.leftAlone.push_back({CardSeverity::Caution,
                                             e.name + " は書き出し元にありません（カードにそのまま残します）", {e.name}});
            if (e.action == CardPlanAction::Replace && e.readOnly)
                return Fail(e.name, "カードのファイルが読み取り専用のため書き換えません" + std::string(kCardAsItWas));
        }
        // A folder the unit would take for the file stands in its place.
        for (const std::string& name : CardWriteOrder(source_))
            for (const FolderEntry& e : onCard_)
                if (e.type != FolderEntry::Type::File && FoldedName(e.name) == FoldedName(name))
                    return Fail(name, "カードに同じ名前のフォルダーがあるため書き込めません" + std::string(kCardAsItWas));
        return true;
    }

    // What a stopped write or save left: its temporary files go now; its
    // journal stays until this write has made the card whole. True when
    // there is such a journal.
    bool ClearLeftovers() {
        bool journalBefore = false;
        for (const FolderEntry& e : onCard_) {
            if (e.type != FolderEntry::Type::File) continue;
            if (e.name == kCardJournalName) journalBefore = true;
            else if (StartsWith(e.name, kSavePrefix)) files_.Remove(PathInFolder(card_, e.name));
        }
        std::map<std::string, const CardPlanEntry*> planOf;
        for (const CardPlanEntry& e : plan_.entries)
            if (e.action != CardPlanAction::CardOnly) planOf.emplace(e.name, &e);
        for (const std::string& name : CardWriteOrder(source_)) {
            const CardPlanEntry* e = planOf.at(name);
            if (e->action == CardPlanAction::New || e->action == CardPlanAction::Replace)
                staged_.push_back({e, PathInFolder(card_, name), "", "", "", false, false});
        }
        return journalBefore;
    }

    // Every file that differs, beside its target; then all of them flushed
    // onto the card at once.
    bool Stage() {
        if (staged_.empty()) return true;
        if (!transaction_->WriteJournal(staged_)) {
            result_.cardUnchanged = transaction_->RollBack(staged_);
            return Fail("", std::string("カードに書き込めません（書き込み禁止か、カードがいっぱいか、抜かれています）") +
                                (result_.cardUnchanged ? kCardAsItWas : ""));
        }
        for (std::size_t i = 0; i < staged_.size(); ++i) {
            Staged& s = staged_[i];
            const std::string& name = s.entry->name;
            if (progress_ && !progress_(i, staged_.size(), name)) {
                result_.cancelled = true;
                result_.cardUnchanged = transaction_->RollBack(staged_);
                return false;
            }
            const std::string why = ReadSource(files_, PathInFolder(source_.folder, name),
                                               CardKindMaxBytes(source_.Find(name)->kind), s.bytes);
            if (!why.empty()) return Undo(name, why);
            if (s.entry->action == CardPlanAction::Replace &&
                !files_.ReadAll(PathInFolder(card_, s.entry->cardName), s.old))
                return Undo(name, "カードのファイルを読み込めません");
            std::unique_ptr<NewFile> file = files_.CreateTemporary(s.target, s.temp);
            if (!file) return Undo(name, "カードにファイルを作れません（書き込み禁止か、カードが抜かれています）");
            const bool written = file->Write(s.bytes) && file->Close();
            file.reset();
            if (!written) return Undo(name, kCardFull);
        }
        return files_.FlushAll(card_) || Undo("", kCardFull);
    }

    // Each staged file read back from the card: what a failing card gives back is never swapped in.
    bool Verify() {
        for (Staged& s : staged_) {
            std::string back;
            if (!files_.ReadAll(s.temp, back)) return Undo(s.entry->name, "書き込んだファイルを読み直せません");
            if (back != s.bytes) return Undo(s.entry->name, "書き込んだ内容を読み直すと元と違います");
            s.bytes = std::string();
        }
        return true;
    }

    // Each in the place of the one it replaces, Perform.txt last; then the folder flushed.
    bool Swap() {
        for (Staged& s : staged_) {
            const CardPlanEntry& e = *s.entry;
            if (!files_.Rename(s.temp, s.target)) return Undo(e.name, kCardFull);
            s.temp.clear();
            s.swapped = true;
            if (e.action == CardPlanAction::Replace && e.cardName != e.name && !DropOldSpelling(s))
                return Undo(e.name, kCardFull);
        }
        return staged_.empty() || files_.FlushFolder(card_) || Undo("", kCardFull);
    }

    // Perform.txt written over another spelling on a folder that tells case
    // apart: the old spelling goes, so that one list is left. (On a card that
    // does not, both spellings were one file all along.) False when it cannot.
    bool DropOldSpelling(Staged& s) {
        const std::string oldPath = PathInFolder(card_, s.entry->cardName);
        std::vector<FolderEntry> now;
        if (!files_.Exists(oldPath) || !files_.ListFolder(card_, now)) return true;
        int spellings = 0;
        for (const FolderEntry& f : now) spellings += f.name == s.entry->cardName || f.name == s.entry->name;
        if (spellings < 2) return true;
        if (!files_.Remove(oldPath)) return false;
        s.oldGone = true;
        return true;
    }

    FileSystem& files_;
    const CardScan& source_;
    const std::string& card_;
    const CardWriteProgress& progress_;
    CardWriteResult result_;
    std::vector<FolderEntry> onCard_;
    CardPlan plan_;
    std::vector<Staged> staged_;
    CardTransaction* transaction_ = nullptr;
};

}  // namespace

CardWriteResult WriteCard(FileSystem& files, const CardScan& source, const std::string& card,
                          const CardWriteProgress& progress, const std::function<void(const std::string&)>& written) {
    return CardWriter(files, source, card, progress).Run(written);
}

}  // namespace tesslor
