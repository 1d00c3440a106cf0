#include "card/CardAdd.h"

#include <algorithm>
#include <map>
#include <memory>

#include "files/Framing.h"
#include "files/UnitFile.h"
#include "makers/PerformList.h"
#include "platform/Paths.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {

constexpr const char* kPerformName = "Perform.txt";
constexpr const char* kWriteNoKey = "$WRITE_TABLE_NO=";
// A folder no disk has: the prepared files are served from memory under it.
constexpr const char* kStagedFolder = "<tesslor-card-add>";

// The card as the write sees the prepared files: from memory in the staged
// folder, everything else from the disk.
class StagedFiles : public FileSystem {
public:
    StagedFiles(FileSystem& disk, std::map<std::string, std::string> bytes) : disk_(disk), bytes_(std::move(bytes)) {}

    std::unique_ptr<OutputFile> Create(const std::string& path) override { return disk_.Create(path); }
    std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& temp) override {
        return disk_.CreateTemporary(target, temp);
    }
    bool Rename(const std::string& from, const std::string& to) override { return disk_.Rename(from, to); }
    bool Remove(const std::string& path) override { return disk_.Remove(path); }
    bool FlushFolder(const std::string& folder) override { return disk_.FlushFolder(folder); }
    bool FlushAll(const std::string& folder) override { return disk_.FlushAll(folder); }
    bool IsReadOnly(const std::string& path) override { return disk_.IsReadOnly(path); }
    std::unique_ptr<LineReader> OpenText(const std::string& path) override {
        if (const std::string* b = Staged(path)) return std::make_unique<MemoryLineReader>(*b);
        return disk_.OpenText(path);
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        if (const std::string* b = Staged(path)) {
            bytes = *b;
            return true;
        }
        return disk_.ReadAll(path, bytes);
    }
    bool ReadPrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        if (const std::string* b = Staged(path)) {
            bytes = b->substr(0, maxBytes);
            return true;
        }
        return disk_.ReadPrefix(path, maxBytes, bytes);
    }
    bool Exists(const std::string& path) override { return Staged(path) || disk_.Exists(path); }
    bool FolderExists(const std::string& path) override { return disk_.FolderExists(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return disk_.ListFolder(folder, entries);
    }

private:
    const std::string* Staged(const std::string& path) const {
        if (FolderPart(path) != kStagedFolder) return nullptr;
        const auto it = bytes_.find(FileNamePart(path));
        return it == bytes_.end() ? nullptr : &it->second;
    }
    FileSystem& disk_;
    std::map<std::string, std::string> bytes_;
};

// The write numbers of the pictures on the card, by the card's name (folded).
std::map<std::string, std::pair<std::string, int>> PictureNumbers(const CardScan& card) {
    std::map<std::string, std::pair<std::string, int>> numbers;
    for (const CardFile& f : card.files)
        if (f.kind == CardKind::Picture && f.ok && f.writeNo > 0) numbers[FoldedName(f.name)] = {f.name, f.writeNo};
    return numbers;
}

// Checks one file to add and reads its bytes; "" when it may go onto the card.
std::string Prepare(FileSystem& files, const std::string& path, const CardScanOptions& options, CardFile& file,
                    std::string& bytes) {
    const std::string name = FileNamePart(path);
    if (!NameFitsUnit(name)) return name + ": ファイル名が長すぎます（表示器が読めるのは 30 バイトまでです）";
    if (!ScanCardFile(files, path, options, file)) {
        std::string why = file.status;
        if (!files.ReadPrefix(path, 1, bytes)) why = "ファイルがないか、読み込めません";
        return path + ": " + why;
    }
    if (file.kind == CardKind::Perform) return path + ": Perform.txt そのものは追加できません";
    if (!UnitReadsKind(file.kind))
        return path + ": 表示器が読むファイル（絵、動画、設定、スケジュール、CO2）ではありません";
    if (!files.ReadAll(path, bytes)) return path + ": ファイルを読み込めません";
    return "";
}

// Perform.txt with the names not yet listed (entries, trimmed) added at its
// end, its lines as they were.
std::string PerformWith(const std::string& earlier, const std::vector<std::string>& entries,
                        const std::vector<std::string>& names, std::string& failure) {
    std::string bytes = earlier;
    if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
    std::vector<std::string> listed;
    for (const std::string& entry : entries) listed.push_back(FoldedName(entry));
    for (const std::string& name : names) {
        if (std::find(listed.begin(), listed.end(), FoldedName(name)) != listed.end()) continue;
        std::string line;
        if (!PerformLine(name, line)) {
            failure = name + ": Perform.txt に書けない名前です";
            return {};
        }
        bytes += line;
        listed.push_back(FoldedName(name));
    }
    return bytes;
}

// What an addition puts onto the card: the files' bytes by name, served from
// the staged folder, and the scan the write takes them from.
struct Addition {
    std::map<std::string, std::string> staged;
    CardScan source;
    std::map<std::string, std::pair<std::string, int>> numbers;  // the card's pictures' write numbers, as they will be
};

// A picture sharing its write number with another on the card takes the
// lowest free one when asked to. False, with result.failure set, when none is free.
bool Renumber(const std::string& path, CardFile& file, std::string& bytes, Addition& add, const CardAddOptions& options,
              CardAddResult& result) {
    // Another picture (not the one this file replaces) holding the number.
    add.numbers.erase(FoldedName(file.name));
    const auto shared = std::find_if(add.numbers.begin(), add.numbers.end(),
                                     [&](const auto& e) { return e.second.second == file.writeNo; });
    if (options.autoWriteNo && shared != add.numbers.end()) {
        std::vector<int> used;
        for (const auto& e : add.numbers) used.push_back(e.second.second);
        const int free = FreeWriteNo(used, options.scan.checkWriteNo);
        const std::optional<std::string> renumbered = free ? WithWriteNo(bytes, free) : std::nullopt;
        if (!renumbered) {
            result.failure = path + ": 空いている書き込みNoがありません";
            return false;
        }
        result.renumbered.push_back({file.name, file.writeNo, free, shared->second.first});
        bytes = *renumbered;
        file.writeNo = free;
    }
    add.numbers[FoldedName(file.name)] = {file.name, file.writeNo};
    return true;
}

// One file to add, checked and staged. False, with result.failure set, when it may not go onto the card.
bool StageFile(FileSystem& files, const std::string& path, const CardAddOptions& options, Addition& add,
               CardAddResult& result) {
    CardFile file;
    std::string bytes;
    result.failure = Prepare(files, path, options.scan, file, bytes);
    if (!result.failure.empty()) return false;
    // The unit's card is blind to ASCII case: KION.LEE and kion.lee are one file.
    if (std::any_of(add.source.files.begin(), add.source.files.end(),
                    [&](const CardFile& f) { return FoldedName(f.name) == FoldedName(file.name); })) {
        result.failure = path + ": 同じ名前のファイルが二つあります";
        return false;
    }
    if (file.kind == CardKind::Picture && file.writeNo > 0 && !Renumber(path, file, bytes, add, options, result))
        return false;
    file.size = bytes.size();
    add.staged[file.name] = std::move(bytes);
    result.added.push_back(file.name);
    add.source.files.push_back(std::move(file));
    return true;
}

// Perform.txt: the card's own (whatever case its name has), with the new
// names at its end. False, with result.failure set, when it cannot be made.
bool StagePerform(FileSystem& files, const CardScan& onCard, Addition& add, CardAddResult& result) {
    const CardFile* performOnCard = onCard.Find(kPerformName);
    std::string earlier;
    if (performOnCard && !files.ReadAll(PathInFolder(onCard.folder, performOnCard->name), earlier)) {
        result.failure = std::string(kPerformName) + ": カードのファイルを読み込めません";
        return false;
    }
    std::string perform = PerformWith(earlier, performOnCard ? performOnCard->entries : std::vector<std::string>{},
                                      result.added, result.failure);
    if (!result.failure.empty()) return false;
    CardFile performFile;
    performFile.name = kPerformName;
    performFile.kind = CardKind::Perform;
    performFile.size = perform.size();
    add.staged[kPerformName] = std::move(perform);
    add.source.files.push_back(std::move(performFile));
    return true;
}

CardAddResult AddAll(FileSystem& files, const std::string& card, const std::vector<std::string>& paths,
                     const CardAddOptions& options) {
    CardAddResult result;
    CardScan onCard;
    if (!ScanCard(files, card, options.scan, onCard, result.failure)) return result;
    Addition add;
    add.numbers = PictureNumbers(onCard);
    add.source.folder = kStagedFolder;
    for (const std::string& path : paths)
        if (!StageFile(files, path, options, add, result)) return result;
    if (!StagePerform(files, onCard, add, result)) return result;
    std::sort(add.source.files.begin(), add.source.files.end(),
              [](const CardFile& a, const CardFile& b) { return a.name < b.name; });
    add.source.Index();

    StagedFiles view(files, std::move(add.staged));
    const CardWriteResult written = WriteCard(view, add.source, onCard.folder);
    if (!written.Succeeded()) {
        result.failure = written.failure;
        result.cardUnchanged = written.cardUnchanged;
    }
    return result;
}

}  // namespace

int FreeWriteNo(const std::vector<int>& used, const WriteNoCheck& rule) {
    for (int n = 1; n <= 99; ++n) {
        int value = 0;
        if ((!rule || (rule(ZeroPad(n, 2), value) && value == n)) &&
            std::find(used.begin(), used.end(), n) == used.end())
            return n;
    }
    return 0;
}

std::optional<std::string> WithWriteNo(const std::string& bytes, int n) {
    // The line starts the file's seventh line; it is found by its key at a line's start.
    std::size_t at = bytes.rfind(std::string("\n") + kWriteNoKey);
    if (at == std::string::npos) return std::nullopt;
    ++at;
    const std::size_t end = bytes.find_first_of("\r\n", at);
    if (end == std::string::npos) return std::nullopt;
    std::string result = bytes;
    result.replace(at, end - at, PadFramed(kWriteNoKey + ZeroPad(n, 2)));
    return result;
}

std::string ProposedCardName(const CardScan& card, const std::string& ownFile, const std::string& text,
                             const std::string& extension) {
    if (!ownFile.empty()) return ReplaceExtension(FileNamePart(ownFile), extension);
    std::string base;
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && std::string("\\/:*?\"<>|").find(c) == std::string::npos)
            base += c;
    // Blanks at either end would make a name that looks like another.
    base.erase(0, base.find_first_not_of(' '));
    base.erase(base.find_last_not_of(' ') + 1);
    // The name, extension and all, within the unit's 30 bytes, never half a character.
    while (!base.empty() && !NameFitsUnit(base + extension)) {
        // One whole UTF-8 character off the end: its continuation bytes, then its first.
        while (!base.empty() && (static_cast<unsigned char>(base.back()) & 0xC0) == 0x80) base.pop_back();
        if (!base.empty()) base.pop_back();
    }
    if (!base.empty() && !card.Find(base + extension)) return base + extension;
    for (int n = 1;; ++n) {
        const std::string name = "絵" + ZeroPad(n, 2) + extension;
        if (!card.Find(name)) return name;
    }
}

const CardFile* PictureWithWriteNo(const CardScan& card, int writeNo, const std::string& name) {
    for (const CardFile& f : card.files)
        if (f.kind == CardKind::Picture && f.ok && f.writeNo == writeNo && FoldedName(f.name) != FoldedName(name)) return &f;
    return nullptr;
}

std::vector<int> PictureWriteNos(const CardScan& card, const std::string& name) {
    std::vector<int> used;
    for (const CardFile& f : card.files)
        if (f.kind == CardKind::Picture && f.ok && f.writeNo > 0 && FoldedName(f.name) != FoldedName(name))
            used.push_back(f.writeNo);
    return used;
}

std::string FreeWriteNoQuestion(int writeNo, const std::string& user, int free) {
    return "書き込みNo " + ZeroPad(writeNo, 2) + " は " + user + " が使っています。空いている " + ZeroPad(free, 2) +
           " にしますか？";
}

int GiveFreeWriteNo(FileSystem& files, const CardScan& card, const std::string& name, const WriteNoCheck& rule,
                    std::string& message) {
    const CardFile* picture = card.Find(name);
    if (!picture || picture->kind != CardKind::Picture || !picture->ok) {
        message = name + ": 書き込みNoを変えられる絵ではありません";
        return 0;
    }
    const int free = FreeWriteNo(PictureWriteNos(card, picture->name), rule);
    const std::string path = PathInFolder(card.folder, picture->name);
    std::string bytes;
    if (free == 0) {
        message = picture->name + ": 空いている書き込みNoがありません";
        return 0;
    }
    if (!files.ReadAll(path, bytes)) {
        message = picture->name + ": ファイルを読み込めません";
        return 0;
    }
    const std::optional<std::string> renumbered = WithWriteNo(bytes, free);
    std::string why;
    if (!renumbered ||
        !WriteWholeFile(files, path, [&](OutputFile& out) { return out.Write(*renumbered); }, why)) {
        message = picture->name + ": " + (why.empty() ? std::string("書き込みNoの行がありません") : why);
        return 0;
    }
    return free;
}

std::string CardAddedMessage(const std::string& name) {
    return name + " をカードに追加しました（Perform.txt に載せました）";
}

std::string CardRenumberedLine(const CardRenumbering& r) {
    return r.name + ": 書き込みNo " + ZeroPad(r.from, 2) + " は " + r.sharedWith + " が使っているため、カードでは " +
           ZeroPad(r.to, 2) + " にしました";
}

CardAddResult AddToCard(FileSystem& files, const std::string& card, const std::vector<std::string>& paths,
                        const CardAddOptions& options) {
    CardAddResult result = AddAll(files, card, paths, options);
    // A refused addition added nothing.
    if (!result.Succeeded()) {
        result.added.clear();
        result.renumbered.clear();
    }
    return result;
}

}  // namespace tesslor
