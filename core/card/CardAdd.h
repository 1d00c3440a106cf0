#pragma once
// Adding work to the card in one step: each file copied onto the card's
// root and its name put at the end of Perform.txt (made when missing, never
// listed twice), the whole written as one change of the card. A picture
// whose write number another picture on the card already uses may take, in
// the card's copy only, the lowest number the customer mode offers that no
// picture on the card uses.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "card/Card.h"
#include "card/CardWrite.h"
#include "platform/Files.h"

namespace tesslor {

struct CardAddOptions {
    /// How the files and the card are read; its write-number rule (of the
    /// customer mode) also says which numbers a renumbered picture may take.
    CardScanOptions scan;
    bool autoWriteNo = false;  ///< renumber a picture whose number another picture uses
};

/// A picture whose copy on the card took another write number.
struct CardRenumbering {
    std::string name;
    int from = 0;
    int to = 0;
    std::string sharedWith;  ///< the picture on the card that uses from
};

/// What adding did, or why it did nothing.
struct CardAddResult {
    /// The names copied, in the order given, each as it is on the card now.
    std::vector<std::string> added;
    std::vector<CardRenumbering> renumbered;
    /// Why nothing was added (naming the file), "" on success.
    std::string failure;
    /// After a failure: the card is as it was.
    bool cardUnchanged = true;
    bool Succeeded() const { return failure.empty(); }
};

/// Copies the files at paths onto the card folder and lists their names at
/// the end of its Perform.txt, as one change of the card. A file that is
/// missing, that its reader refuses, of a kind the unit does not read, or
/// whose name is over the unit's 30 bytes refuses the whole addition before
/// anything is written.
CardAddResult AddToCard(FileSystem& files, const std::string& card, const std::vector<std::string>& paths,
                        const CardAddOptions& options);

/// The lowest write number from 1 to 99 that rule accepts (every one when
/// it is empty) and that is not in used; 0 when every number is taken.
int FreeWriteNo(const std::vector<int>& used, const WriteNoCheck& rule);

/// The bytes of an LED data file with its write number set to the unit's two
/// digits of n; nothing when the file has no write-number line.
std::optional<std::string> WithWriteNo(const std::string& bytes, int n);

/// The name カードに追加 proposes for work going onto the card (extension
/// ".lee" for a picture): the work's own file name when it has one; else one
/// made from text (the rendered message, characters no file name may hold
/// left out, cut to the unit's 30 bytes); else 絵01, 絵02, ... the first the
/// card has no file of (whatever the case of its letters).
std::string ProposedCardName(const CardScan& card, const std::string& ownFile, const std::string& text,
                             const std::string& extension);

/// The picture on the card (not named name) whose write number is writeNo; nullptr when none.
const CardFile* PictureWithWriteNo(const CardScan& card, int writeNo, const std::string& name);
/// The write numbers of the card's pictures, but that of the one named name.
std::vector<int> PictureWriteNos(const CardScan& card, const std::string& name);

/// The question カードに追加 asks when the picture's number is taken:
/// "書き込みNo 01 は waku.lee が使っています。空いている 03 にしますか？".
std::string FreeWriteNoQuestion(int writeNo, const std::string& user, int free);

/// 空いている番号にする: the picture name of the card (scanned as card) takes
/// the lowest write number rule offers that no other picture of the card
/// uses, its file rewritten whole or not at all. The number given, or 0 with
/// message set (naming the file) when there is none or the write failed.
int GiveFreeWriteNo(FileSystem& files, const CardScan& card, const std::string& name, const WriteNoCheck& rule,
                    std::string& message);

/// "kion.lee をカードに追加しました（Perform.txt に載せました）".
std::string CardAddedMessage(const std::string& name);

/// "kion.lee: 書き込みNo 01 は waku.lee が使っているため、カードでは 04 にしました".
std::string CardRenumberedLine(const CardRenumbering& r);

}  // namespace tesslor
