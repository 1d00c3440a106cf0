#pragma once
// Writing a prepared folder onto the card as one change: the card that
// results is either the whole new card or the card as it was.
//  1. Plan: each file is new, replaces a different one, is the same, or is
//     on the card only.
//  2. Stage: every file that differs goes onto the card under a temporary
//     name, flushed and read back; a journal file marks the card unfinished.
//     A full card here removes the staged files: nothing else was touched.
//  3. Swap: each staged file is renamed over its target, Perform.txt last, so
//     the unit never finds a list naming a file not yet written; the folder
//     is flushed, then the journal removed.
// A write cut off at any instant leaves every file whole (its old bytes or
// its new ones) and the journal on the card, which the next check reports
// and the next write clears.
#include <functional>
#include <string>
#include <vector>

#include "card/Card.h"

namespace tesslor {

/// What a write does to one file of the card.
enum class CardPlanAction {
    New,       ///< "新規": not on the card yet
    Replace,   ///< "置き換え": on the card with other bytes
    Same,      ///< "同じ": on the card with the same bytes, not written again
    CardOnly,  ///< "カードのみ": on the card, not in the source in that spelling; left byte for byte
};
/// "新規", "置き換え", "同じ" or "カードのみ".
const char* CardPlanWord(CardPlanAction action);

struct CardPlanEntry {
    std::string name;      ///< the name the file has after the write
    /// Its name on the card now ("" when new). Another spelling only where the
    /// card's folder does not tell case apart (FAT, exFAT: one file), and for
    /// Perform.txt; elsewhere every other spelling is a CardOnly file of its own.
    std::string cardName;
    CardPlanAction action = CardPlanAction::New;
    bool readOnly = false;  ///< the card's file is read-only: a replace is refused
};

struct CardPlan {
    std::vector<CardPlanEntry> entries;  ///< in byte order of the names
    /// The entries of an action.
    std::vector<const CardPlanEntry*> Of(CardPlanAction action) const;
};

/// The journal a write keeps on the card from before its first staged file
/// until after its last rename. The unit reads only the files its lists name.
inline constexpr const char* kCardJournalName = ".tesslor-card-write";

/// Whether a name is one of a write's own files (the journal or a temporary
/// file of a save), never part of the card.
bool IsCardWriteWorkFile(const std::string& name);

/// The エラー a check reports for a card whose journal is still there.
std::string CardWriteStoppedMessage();

/// The findings of what writes and saves left in a folder's entries: a
/// journal (エラー, first) and temporary files (注意), put before the others.
void AddCardWriteFindings(CardScan& scan, const std::vector<FolderEntry>& entries);

/// Compares the files source would write (CardWriteOrder) with the folder
/// card. False, with failure set, when the card folder cannot be read.
bool PlanCardWrite(FileSystem& files, const CardScan& source, const std::string& card, CardPlan& plan,
                   std::string& failure);

struct CardWriteResult {
    std::vector<std::string> written;     ///< names on the card as the source has them, in order
    std::size_t same = 0;                 ///< how many of written were the same on the card already (not written again)
    std::string failedName;               ///< the file the write stopped at ("" when none)
    std::string failure;                  ///< why, in Japanese ("" when none)
    bool cancelled = false;               ///< stopped on request before the swap: the card is as it was
    bool cardUnchanged = true;            ///< after a failure: the card is as it was (else it is unfinished)
    std::vector<CardFinding> leftAlone;   ///< files on the card the source lacks (注意)
    bool Succeeded() const { return failure.empty() && !cancelled; }
};

/// Before each file staged: its index (from 0), the number of files to stage
/// and its name. Returning false stops before that file, leaving the card as
/// it was.
using CardWriteProgress = std::function<bool(std::size_t index, std::size_t count, const std::string& name)>;

/// The files of source, in the order they are written: every file of a known
/// kind in name order, Perform.txt last.
std::vector<std::string> CardWriteOrder(const CardScan& source);

/// Writes the files of source (scanned before) into the folder card as one
/// change. written is told of each file of CardWriteOrder once the whole card
/// is in place. A card folder that does not exist, or is the source folder
/// itself, or a read-only file to replace, fails before anything is written.
CardWriteResult WriteCard(FileSystem& files, const CardScan& source, const std::string& card,
                          const CardWriteProgress& progress = {},
                          const std::function<void(const std::string& name)>& written = {});

/// What a write came to, in one line: "書き出し完了（Nファイル）" with the
/// files already the same counted apart ("書き出し完了（3ファイル・同じ 4ファイル）"),
/// that it was stopped, or "書き出しエラー: " and why.
std::string CardWriteOutcome(const CardWriteResult& result);

/// The question asked before writing a source whose check found errors;
/// "" when it found none.
std::string CardSourceErrorQuestion(const CardScan& source);

/// The question asked before a write replaces files of the card with other
/// bytes; "" when the plan replaces none.
std::string CardReplaceQuestion(const CardPlan& plan);

/// "NAME: 書き込み完了", the line reported for each file written.
std::string CardWrittenLine(const std::string& name);

}  // namespace tesslor
