#include "card/Card.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "card/CardFiles.h"
#include "card/CardWrite.h"
#include "files/LedDataFile.h"
#include "files/OldLedFile.h"
#include "led/DocumentCopy.h"
#include "led/PictureColumns.h"
#include "makers/AnimationList.h"
#include "makers/MongonTable.h"
#include "makers/PerformList.h"
#include "platform/NullSurface.h"
#include "platform/Paths.h"
#include "settings/SettingsKinds.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

struct KindInfo {
    CardKind kind;
    const char* word;
    const char* caption;
    bool unitReads;
    std::uintmax_t maxBytes;
};

constexpr std::uintmax_t kKiB = 1024;
constexpr std::uintmax_t kMiB = 1024 * kKiB;

// A picture is at most 480 columns of two colours, about 31 KB; an animation
// 30 of them. The limits leave room for any file the editor or the unit
// writes and refuse what cannot be one before it is read whole.
constexpr KindInfo kKinds[] = {
    {CardKind::Picture, "picture", "絵", true, 1 * kMiB},
    {CardKind::OldPicture, "old-picture", "旧形式の絵", false, 1 * kMiB},
    {CardKind::Animation, "animation", "アニメーション", true, 8 * kMiB},
    {CardKind::AnimationList, "animation-list", "アニメーションリスト", false, 1 * kMiB},
    {CardKind::Text, "text", "文言ファイル", false, 1 * kMiB},
    {CardKind::Settings1, "settings1", "設定１", true, 1 * kMiB},
    {CardKind::Settings2, "settings2", "設定２", true, 1 * kMiB},
    {CardKind::Settings3, "settings3", "設定３", true, 1 * kMiB},
    {CardKind::Schedule, "schedule", "表示スケジュール", true, 1 * kMiB},
    {CardKind::Perform, "perform", "表示順リスト", true, 1 * kMiB},
    {CardKind::Co2, "co2", "CO2設定", true, 1 * kMiB},
    {CardKind::Bitmap, "bitmap", "ビットマップ", false, 64 * kMiB},
    {CardKind::Other, "other", "その他", false, 0},
};

const KindInfo& InfoOf(CardKind kind) {
    for (const KindInfo& k : kKinds)
        if (k.kind == kind) return k;
    return kKinds[std::size(kKinds) - 1];
}

// Enough of a file to tell its kind by content.
constexpr std::size_t kProbeBytes = 64 * 1024;

std::string TrimBlanks(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ') ++start;
    return s.substr(start);
}

// The kinds a file's name alone decides, whatever it holds: such a file is
// read whole at once, without first reading its start to tell its kind.
std::optional<CardKind> KindOfName(const std::string& name) {
    const std::string lower = FoldedName(name);
    const std::string ext = LowerExtension(name);
    if (lower == "perform.txt") return CardKind::Perform;
    if (ext == "alt" || lower == "files.txt") return CardKind::AnimationList;
    if (ext == "ana") return CardKind::Animation;
    return std::nullopt;
}

// The kind of a file from its name and the start of its content, in the
// order `check` tells them apart.
CardKind KindOf(const std::string& name, const std::string& start) {
    if (const std::optional<CardKind> named = KindOfName(name)) return *named;
    const std::string ext = LowerExtension(name);
    static const std::string kMongonMark("MONGON TBL\0", 11);
    if (ext == "mon" || start.compare(0, kMongonMark.size(), kMongonMark) == 0) return CardKind::Text;
    ViewLineReader probe(start);
    if (const std::optional<std::string> settings = SettingsKindOfContent(probe)) {
        for (const KindInfo& k : kKinds)
            if (*settings == k.word) return k.kind;
    }
    if (ext == "lee") return CardKind::Picture;
    if (ext == "led") return CardKind::OldPicture;
    if (ext == "bmp" || ext == "png") return CardKind::Bitmap;
    return CardKind::Other;
}

void SetStatus(CardFile& file, bool ok, const std::string& message) {
    file.ok = ok;
    file.status = ok ? "OK" : (message.empty() ? "読み込めません" : message);
}

std::string First(const std::vector<std::string>& said) { return said.empty() ? std::string() : said.front(); }

// One scratch document takes the settings of every picture of a scan (laying
// one out costs more than reading a picture), and the dots go into plain columns.
struct PictureReader {
    explicit PictureReader(LedHyoujikiClass& scratch) : doc(scratch) {}
    LedHyoujikiClass& Fresh() {
        doc.ResetSettings();
        dots.Clear();
        return doc;
    }
    LedHyoujikiClass& doc;
    PictureColumns dots;
};

void ReadPicture(CardFile& file, CardFiles& files, const std::string& path, const CardScanOptions& options,
                 PictureReader& reader) {
    LedHyoujikiClass& doc = reader.Fresh();
    std::string message;
    bool ok = false;
    const WriteNoCheck check = options.checkWriteNo ? options.checkWriteNo : [](const std::string& text, int& n) {
        n = std::atoi(text.c_str());
        return true;
    };
    int lastColumn = -1;
    if (std::unique_ptr<LineReader> in = files.OpenText(path)) {
        if (file.kind == CardKind::Picture) {
            ok = ReadLedData(doc, reader.dots, *in, check, message);
            lastColumn = reader.dots.LastUsedPanelColumn(doc.Shape().TateMaisuu);
        } else {
            // Old pictures are rare: they go through the document's own dots.
            doc.ClearAll();
            ok = ReadOldLed(doc, *in, check, message);
            lastColumn = doc.LastUsedColumn();
        }
    }
    SetStatus(file, ok, message);
    if (!ok) return;
    file.writeNo = std::atoi(doc.WriteNoText().c_str());
    file.summary = {{"writeno", doc.WriteNoText()},
                    {"mode", std::string(1, doc.DisplayModeCode())},
                    {"width", std::to_string(16 * (lastColumn + 1))}};
}

// The define lines of an animation data file that its summary shows.
void SummariseAnimation(CardFile& file, const std::string& bytes) {
    ViewLineReader in(bytes);
    std::string line;
    int time = -1, pictures = -1;
    bool quality = false;
    while (in.ReadLine(line, 200)) {
        line = TrimBlanks(line);
        auto valueOf = [&line](const char* key, int& value) {
            const std::string k(key);
            if (line.compare(0, k.size(), k) != 0) return false;
            value = std::atoi(line.c_str() + k.size());
            return true;
        };
        if (line == "$ANIMATION_QUALITY_SUPER" || line == "$ANIMATION_QUALITY_NORMAL") {
            file.superAnimation = line == "$ANIMATION_QUALITY_SUPER";
            quality = true;
        } else if (valueOf("$ANIMATION_DISPLAY_TIME=", time) || valueOf("$ANIMATION_PICTURES=", pictures) ||
                   valueOf("$WRITE_TABLE_NO=", file.writeNo)) {
        } else if (line == "#END_OF_DEFINE") {
            break;
        }
    }
    if (!quality) return;
    file.summary = {{"type", file.superAnimation ? "super" : "normal"},
                    {"writeno", std::to_string(file.writeNo)},
                    {"pictures", std::to_string(pictures)},
                    {"time", std::to_string(time)}};
}

void ReadAnimationListFile(CardFile& file, CardFiles& files, const std::string& path) {
    AnimationList list(files);
    std::string message;
    SetStatus(file, list.LoadAnimationList(path, message), message);
    for (const std::string& e : list.Entries) file.entries.push_back(TrimBlanks(e));
    if (file.ok) file.summary = {{"entries", std::to_string(file.entries.size())}};
}

void ReadSettingsFile(CardFile& file, CardFiles& files, const std::string& path) {
    std::unique_ptr<SettingsForm> form = NewSettingsForm(CardKindWord(file.kind));
    std::vector<std::string> said;
    const bool ok = form && OpenSettingsFile(*form, files, path, said);
    // A good read may still say "読み込み完了"; only a failure's message is a status.
    SetStatus(file, ok, First(said));
    if (ok && file.kind == CardKind::Schedule) {
        int used = 0;
        for (const std::string& name : form->FieldNames()) used += !form->Value(name).value_or("").empty();
        file.summary = {{"entries", std::to_string(used)}};
    }
}

void ReadFileOfKind(CardFile& file, CardFiles& files, const std::string& path, const CardScanOptions& options,
                    PictureReader& pictures) {
    const std::string& bytes = files.Bytes(path);
    std::string message;
    switch (file.kind) {
        case CardKind::Picture:
        case CardKind::OldPicture:
            ReadPicture(file, files, path, options, pictures);
            return;
        case CardKind::Animation: {
            ViewLineReader in(bytes);
            SetStatus(file, CheckAnimationData(in, message), message);
            SummariseAnimation(file, bytes);
            return;
        }
        case CardKind::AnimationList:
            ReadAnimationListFile(file, files, path);
            return;
        case CardKind::Text: {
            MongonTable table;
            bool shortRead = false;
            std::vector<std::string> said;
            const bool ok = ReadMongonFile(files, path, table, said, &shortRead) == MongonReadResult::kRead;
            SetStatus(file, ok && !shortRead, First(said));
            return;
        }
        case CardKind::Settings1:
        case CardKind::Settings2:
        case CardKind::Settings3:
        case CardKind::Schedule:
            ReadSettingsFile(file, files, path);
            return;
        case CardKind::Co2: {
            ViewLineReader in(bytes);
            SetStatus(file, CheckCo2File(in, message), message);
            return;
        }
        case CardKind::Perform: {
            const std::string fault = CheckPerformBytes(bytes);
            SetStatus(file, fault.empty(), fault);
            for (const std::string& line : PerformLinesOf(bytes)) file.entries.push_back(TrimBlanks(line));
            file.summary = {{"entries", std::to_string(file.entries.size())}};
            return;
        }
        case CardKind::Bitmap: {
            std::unique_ptr<RgbImage> image =
                options.newImage ? options.newImage(files) : std::make_unique<MemoryImage>(files);
            const bool ok = image->LoadFromFile(path);
            SetStatus(file, ok, ok ? "" : image->ErrorText());
            return;
        }
        case CardKind::Other:
            SetStatus(file, true, "");
            return;
    }
}

std::string SizeRefusal(std::uintmax_t size, std::uintmax_t max) {
    return "ファイルが大きすぎます（" + std::to_string(size) + "バイト、この種類は" + std::to_string(max) +
           "バイトまで）";
}

}  // namespace

const char* CardKindWord(CardKind kind) { return InfoOf(kind).word; }
const char* CardKindCaption(CardKind kind) { return InfoOf(kind).caption; }
bool UnitReadsKind(CardKind kind) { return InfoOf(kind).unitReads; }
std::uintmax_t CardKindMaxBytes(CardKind kind) { return InfoOf(kind).maxBytes; }

const char* CardSeverityWord(CardSeverity severity) { return severity == CardSeverity::Error ? "エラー" : "注意"; }

std::string CardFile::Summary(const std::string& key) const {
    for (const auto& [k, v] : summary)
        if (k == key) return v;
    return "";
}

const CardFile* CardScan::Find(const std::string& name) const {
    // An exact match first: a Linux folder may hold names that differ only in case.
    if (auto it = exact_.find(name); it != exact_.end()) return &files[it->second];
    if (auto it = folded_.find(FoldedName(name)); it != folded_.end()) return &files[it->second];
    return nullptr;
}

int CardScan::PerformPosition(const std::string& name) const {
    auto it = performLines_.find(name);
    return it == performLines_.end() ? 0 : it->second;
}

void CardScan::Index() {
    exact_.clear();
    folded_.clear();
    performLines_.clear();
    for (std::size_t i = 0; i < files.size(); ++i) {
        exact_.emplace(files[i].name, i);
        folded_.emplace(FoldedName(files[i].name), i);
    }
    const CardFile* perform = nullptr;
    for (const CardFile& f : files)
        if (f.kind == CardKind::Perform) perform = &f;
    if (!perform) return;
    for (std::size_t i = 0; i < perform->entries.size(); ++i)
        if (const CardFile* f = Find(perform->entries[i])) performLines_.emplace(f->name, static_cast<int>(i) + 1);
}

int CardScan::ErrorCount() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [](const CardFinding& f) { return f.severity == CardSeverity::Error; }));
}

bool CardScan::Passed() const {
    for (const CardFile& f : files)
        if (!f.ok && UnitReadsKind(f.kind)) return false;
    for (const CardFinding& f : findings)
        if (f.severity == CardSeverity::Error) return false;
    return true;
}

std::string CardFolderMissingMessage(const std::string& folder) { return "フォルダー " + folder + " が見つかりません"; }

bool ScanCardFile(FileSystem& files, const std::string& path, const CardScanOptions& options, CardFile& file) {
    file = CardFile{};
    file.name = FileNamePart(path);
    std::string start;
    if (!files.ReadPrefix(path, kProbeBytes, start)) {
        SetStatus(file, false, CardFileUnreadableMessage(file.name));
        return false;
    }
    const std::string folder = FolderPart(path);
    CardFiles memory(files, !folder.empty() ? folder : path.rfind('/', 0) == 0 ? std::string("/") : std::string("."));
    file.kind = KindOf(file.name, start);
    const bool whole = start.size() < kProbeBytes;
    file.size = start.size();
    if (file.kind == CardKind::Other) {
        SetStatus(file, true, "");
    } else if (!memory.Load(file.name, std::move(start), whole, CardKindMaxBytes(file.kind))) {
        SetStatus(file, false, CardFileUnreadableMessage(file.name));
    } else {
        file.size = memory.Bytes(memory.PathOf(file.name)).size();
        WithScratchDocument(options.shape, [&](LedHyoujikiClass& scratch) {
            PictureReader pictures(scratch);
            ReadFileOfKind(file, memory, memory.PathOf(file.name), options, pictures);
            return true;
        });
    }
    return file.ok;
}

namespace {
// The entry of a card's folder as its CardFile: read and checked when the
// unit or the editor would read it.
CardFile ScanEntry(FileSystem& files, CardFiles& memory, const FolderEntry& e, const CardScanOptions& options,
                   PictureReader& pictures) {
    CardFile file;
    file.name = e.name;
    file.size = e.size;
    if (e.type != FolderEntry::Type::File) {
        SetStatus(file, false, e.type == FolderEntry::Type::OutsideLink ? "フォルダーの外を指すリンクです（読みません）"
                                                                         : "普通のファイルではありません（読みません）");
        return file;
    }
    if (IsLeftByComputer(e.name)) {
        // A Mac's "._kion.lee" holds no picture, whatever its name ends with.
        SetStatus(file, true, "");
        return file;
    }
    const std::string path = memory.PathOf(e.name);
    const std::optional<CardKind> named = KindOfName(e.name);
    std::string start;
    if (!named && !files.ReadPrefix(path, kProbeBytes, start)) {
        SetStatus(file, false, CardFileUnreadableMessage(e.name));
        return file;
    }
    file.kind = KindOf(e.name, start);
    if (file.kind == CardKind::Other) {
        SetStatus(file, true, "");
    } else if (e.size > CardKindMaxBytes(file.kind)) {
        SetStatus(file, false, SizeRefusal(e.size, CardKindMaxBytes(file.kind)));
    } else if (const bool whole = !named && start.size() < kProbeBytes;
               !memory.Load(e.name, std::move(start), whole, CardKindMaxBytes(file.kind))) {
        SetStatus(file, false, CardFileUnreadableMessage(e.name));
    } else {
        ReadFileOfKind(file, memory, path, options, pictures);
    }
    return file;
}
}  // namespace

bool ScanCard(FileSystem& files, const std::string& folder, const CardScanOptions& options, CardScan& scan,
              std::string& message) {
    scan = CardScan{};
    std::string root = folder;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    scan.folder = root;
    if (!files.FolderExists(root)) {
        message = CardFolderMissingMessage(root);
        return false;
    }
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(root, entries)) {
        message = "フォルダー " + root + " を読み込めません";
        return false;
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });

    CardFiles memory(files, root);
    std::vector<FolderEntry> leftByComputers;
    WithScratchDocument(options.shape, [&](LedHyoujikiClass& scratch) {
        PictureReader pictures(scratch);
        for (const FolderEntry& e : entries) {
            if (IsLeftByComputer(e.name) && (e.type == FolderEntry::Type::File || e.type == FolderEntry::Type::Folder))
                leftByComputers.push_back(e);
            if (e.type == FolderEntry::Type::Folder || IsCardWriteWorkFile(e.name)) continue;
            scan.files.push_back(ScanEntry(files, memory, e, options, pictures));
        }
        return true;
    });
    scan.Index();
    AddCardFindings(scan, memory, leftByComputers);
    AddCardWriteFindings(scan, entries);
    return true;
}

}  // namespace tesslor
