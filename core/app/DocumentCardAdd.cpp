// カードに追加 of the main window: the picture saved onto the card's root and
// listed in its Perform.txt in one command.
#include "app/DocumentCommands.h"
#include "card/CardAdd.h"
#include "led/DocumentStep.h"
#include "platform/Paths.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {
constexpr const char* kPictureExtension = ".lee";
}  // namespace

bool DocumentCommands::AddToCard(const std::string& text) {
    const DocumentStep step(doc_);
    FileSystem& files = files_.Files();
    const std::string root = files_.DriveRoot();
    CardScanOptions options;
    options.shape = doc_.Shape();
    options.checkWriteNo = [this](const std::string& t, int& n) { return files_.CheckWriteNo(t, n); };
    CardScan card;
    std::string message;
    if (root.empty() || !ScanCard(files, root, options, card, message)) {
        prompter_.Inform(message.empty() ? CardFolderMissingMessage(root) : message);
        return false;
    }
    FileSaveDialog.InitialDir = root;
    FileSaveDialog.FileName = PathInFolder(root, ProposedCardName(card, doc_.FileName, text, kPictureExtension));
    if (!FileSaveDialog.Execute()) return false;
    const std::string chosen = FileSaveDialog.FileName;
    if (!SameFolder(FolderPart(chosen), root)) {
        prompter_.Inform("表示器が読むのはカードの一番上のフォルダー（" + root + "）だけです。そこに保存してください");
        return false;
    }
    // A number another picture of the card uses would replace that one on the
    // unit: the free one is offered, Yes being the answer Enter gives.
    const int writeNo = LeadingInt(doc_.WriteNoText());
    if (const CardFile* user = PictureWithWriteNo(card, writeNo, FileNamePart(chosen))) {
        const int free = FreeWriteNo(PictureWriteNos(card, FileNamePart(chosen)), options.checkWriteNo);
        if (free > 0 && prompter_.Ask(FreeWriteNoQuestion(writeNo, user->name, free))) {
            doc_.SetWriteNo(free);
            ShowSettingsInBar();
        }
    }
    if (!files_.SaveToFile(chosen, FileSaveDialog)) return false;
    Remember(doc_.FileName);
    if (!SameFolder(FolderPart(doc_.FileName), root)) return false;
    CardAddOptions add;
    add.scan = options;
    const CardAddResult added = tesslor::AddToCard(files, root, {doc_.FileName}, add);
    if (!added.Succeeded()) {
        prompter_.Inform(added.failure);
        return false;
    }
    const std::string done = CardAddedMessage(FileNamePart(doc_.FileName));
    if (onCardAdded) onCardAdded(done);
    else prompter_.Inform(done);
    return true;
}

}  // namespace tesslor
