#pragma once
// tesslor-cli card: checks a whole card and writes a prepared folder onto one.
#include <ostream>
#include <string>
#include <vector>

#include "app/StartupConfig.h"
#include "card/Card.h"

namespace tesslor::cli {

/// The scan options of a configuration: its display, its write-number rule
/// and PNG bitmaps read through Qt.
CardScanOptions CardOptionsOf(const StartupConfig& config);

/// The check's lines: one per file, NAME<TAB>KIND<TAB>STATUS<TAB>SUMMARY, then
/// one per finding, エラー<TAB>MESSAGE or 注意<TAB>MESSAGE.
void PrintCardScan(const CardScan& scan, std::ostream& out);

/// `card check FOLDER`: 0 when the card passes, 1 otherwise or when the
/// folder cannot be read (its message on err).
int RunCardCheck(const StartupConfig& config, const std::string& folder, std::ostream& out, std::ostream& err);

/// `card write [--force] SOURCE CARD`: refuses a source with an エラー unless
/// force (its findings printed, nothing written, 1); otherwise, once the whole
/// card is in place, one line "NAME: 書き込み完了" per file, then the card's
/// files the source lacks as 注意 lines. 1 when the write fails (its name and
/// reason on err; the card is then as it was, or the reason says it is not).
int RunCardWrite(const StartupConfig& config, const std::string& source, const std::string& card, bool force,
                 std::ostream& out, std::ostream& err);

/// `card write --dry-run SOURCE CARD`: one line per file, NAME<TAB>新規,
/// 置き換え, 同じ or カードのみ, in byte order of the names; writes nothing.
/// 0, or 1 when a folder cannot be read (its message on err).
int RunCardPlan(const StartupConfig& config, const std::string& source, const std::string& card, std::ostream& out,
                std::ostream& err);

/// `card add [--write-no keep|auto] CARD FILE...`: each file copied onto
/// CARD and listed at the end of its Perform.txt, as one change; with
/// autoWriteNo a picture whose write number another picture on the card uses
/// takes a free one in its card copy (said on err). Then "NAME: 書き込み完了"
/// per file and "Perform.txt: 書き込み完了". 1, the card as it was, when a
/// file is missing, refused or named too long (its message on err).
int RunCardAdd(const StartupConfig& config, const std::string& card, const std::vector<std::string>& files,
               bool autoWriteNo, std::ostream& out, std::ostream& err);

}  // namespace tesslor::cli
