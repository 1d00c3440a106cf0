#include "makers/AnimationList.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <string_view>

#include "files/Framing.h"
#include "files/UnitFile.h"
#include "makers/ListEntries.h"
#include "platform/Paths.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

// ---- texts ----

const char* const kNoPicturesMessage = "ファイルが追加されていません";
const char* const kSuperCountMessage = "スパーアニメーションは、１～３０のファイルです";
const char* const kNormalCountMessage = "ノーマルアニメーションは、１～１５のファイルです";
const char* const kWriteNoMissingMessage = "書き込みＮｏを入力して下さい";
const char* const kSuperWriteNoMessage = "スーパーアニメーションの書き込みＮｏは、１～６です";
const char* const kNormalWriteNoMessage = "ノーマルアニメーションの書き込みＮｏは、１～２０です";
const char* const kTimeMissingMessage = "１枚の表示時間を入力して下さい";
const char* const kTimeRangeMessage = "１枚の表示時間は、１～９９９９です";
const char* const kOtherFolderMessage = "同一のフォルダー内のファイルしか指定できません";
const char* const kOpenErrorSuffix = "オープンエラー";
const char* const kWriteErrorSuffix = "書き込みエラー";
const char* const kReadErrorSuffix = "リードエラー";
const char* const kNotAListSuffix = "アニメーションリストファイルではありません";
const char* const kPictureOpenPrefix = "オープンエラー ";
const char* const kPictureErrorSuffix = " エラー";

const char* const kSuperLine = "ANIMATION_QUALITY_SUPER";
const char* const kNormalLine = "ANIMATION_QUALITY_NORMAL";

// ---- limits ----

struct TypeLimits {
    int maxPictures;
    int maxWriteNo;
};

TypeLimits LimitsOf(int type) { return type == kAnimationNormal ? TypeLimits{15, 20} : TypeLimits{30, 6}; }

constexpr int kMaxDisplayTime = 9999;
// The unit takes exactly this many data lines per colour of every picture.
constexpr int kDataLinesPerColour = 80;
// The list reader takes lines of at most this many characters.
constexpr std::size_t kListLineLength = 199;
// Lines of a picture are read in pieces of at most this many characters.
constexpr std::size_t kPictureLineLength = 49;

// ---- text helpers ----

bool IsBlankOrControl(unsigned char c) { return c <= 0x20 || c == 0x7F; }

// The entry as it is written and opened: without surrounding blanks and control characters.
std::string TrimEntry(const std::string& entry) {
    std::size_t b = 0, e = entry.size();
    while (b < e && IsBlankOrControl(static_cast<unsigned char>(entry[b]))) ++b;
    while (e > b && IsBlankOrControl(static_cast<unsigned char>(entry[e - 1]))) --e;
    return entry.substr(b, e - b);
}

std::string TrimBlanks(const std::string& text) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    std::size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

// A whole decimal number (optional sign, digits, nothing else); nothing for
// anything else, an empty text or a value beyond int.
std::optional<int> StrictInt(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

// The number of a list file's second or third line: the line end and then
// whatever follows the last blank are cut off first.
std::optional<int> ListNumber(std::string line) {
    std::size_t lf = line.find_last_of('\n');
    if (lf != std::string::npos) line.erase(lf);
    std::size_t blank = line.find_last_of(' ');
    if (blank != std::string::npos) line.erase(blank);
    return StrictInt(line);
}

// ---- the data file ----

std::string BlankDataLine(int n) { return "$" + ZeroPad(n, 3) + ":0000,0000,0000,0000,0000,"; }

// Adds a framed line (padded to 30 characters, CR LF) to a picture's bytes.
void AppendLine(std::string& out, std::string_view text) {
    out += PadFramed(text);
    out += "\r\n";
}

// Adds a piece of a picture's line as it stands; its line feed goes out as CR LF.
void AppendPiece(std::string& out, std::string_view text, bool lf) {
    out.append(text);
    if (lf) out.append("\r\n", 2);
}

// The bytes of a picture's two colour blocks as the data file takes them: the
// keyword lines and 80 data lines of each, framed lines of 30 characters and CR LF.
constexpr std::size_t kColourBlocksBytes = 2 * (kDataLinesPerColour + 2) * (kFramedLineWidth + 2);

// Skips to the block's keyword line, then copies at most 80 of its lines and
// fills the block up to 80 with blank data lines. False when the picture ends first.
bool CopyBlock(LineReader& in, std::string& out, const char* open, const char* close) {
    // Lines are looked at where they lie in the reader's bytes: animations on
    // a card are checked against their lists by copying every picture again.
    std::string spare;
    std::string_view line;
    bool lf = false;
    for (;;) {
        if (!in.ReadLineText(line, lf, spare, kPictureLineLength)) return false;
        if (IsKeywordLine(line, lf, open)) break;
    }
    AppendLine(out, open);
    int copied = 0;
    while (copied < kDataLinesPerColour) {
        if (!in.ReadLineText(line, lf, spare, kPictureLineLength)) return false;
        if (IsKeywordLine(line, lf, close)) break;
        AppendPiece(out, line, lf);
        ++copied;
    }
    for (int n = copied; n < kDataLinesPerColour; ++n) AppendLine(out, BlankDataLine(n));
    AppendLine(out, close);
    return true;
}

}  // namespace

// ---- the window's state ----

AnimationList::AnimationList(FileSystem& files) : Form(files) {}

void AnimationList::OpenWindow() {
    Entries.clear();
    CurrentFile.clear();
    Modified = false;
    Status.clear();
}

void AnimationList::CloseWindow() { PictureFolder.clear(); }

bool AnimationList::AddPicture(const std::string& path, int insertBefore, Prompter& prompter) {
    const std::string folder = FolderOfFile(path);
    if (!PictureFolder.empty() && !SameFolder(folder, PictureFolder)) {
        prompter.Inform(kOtherFolderMessage);
        return false;
    }
    const std::string name = FileNamePart(path);
    // The list file holds names in Shift-JIS; one that has no such form could
    // never be written or found again.
    if (!ToShiftJis(name)) {
        prompter.Inform(kNameTooLongMessage);
        return false;
    }
    if (PictureFolder.empty()) PictureFolder = folder;
    if (insertBefore >= 0 && static_cast<std::size_t>(insertBefore) < Entries.size())
        Entries.insert(Entries.begin() + insertBefore, name);
    else
        Entries.push_back(name);
    Modified = true;
    return true;
}

int AnimationList::AddPictures(const std::vector<std::string>& paths, int insertBefore, Prompter& prompter) {
    int added = 0;
    for (const std::string& path : paths) {
        // Each picture goes in after the one before it, so a pick keeps its order.
        const int at = insertBefore < 0 ? -1 : insertBefore + added;
        if (!AddPicture(path, at, prompter)) break;
        ++added;
    }
    return added;
}

int AnimationList::AddWithDialog(FileDialog& dialog, const FormDialogs& dialogs, int insertBefore,
                                 Prompter& prompter) {
    Status.clear();
    dialog.InitialDir = DialogFolder(dialogs);
    dialog.FileName.clear();
    if (!dialog.ExecuteMany()) return 0;
    return AddPictures(dialog.FileNames, insertBefore, prompter);
}

void AnimationList::DeletePicture(int index) {
    Status.clear();
    if (index < 0 || static_cast<std::size_t>(index) >= Entries.size()) return;
    Entries.erase(Entries.begin() + index);
    Modified = true;
}

std::string AnimationList::Fault() const {
    const TypeLimits limits = LimitsOf(Type);
    const int count = static_cast<int>(std::min<std::size_t>(Entries.size(), INT_MAX));
    if (count == 0) return kNoPicturesMessage;
    if (count > limits.maxPictures) return Type == kAnimationNormal ? kNormalCountMessage : kSuperCountMessage;
    const std::string writeNo = TrimBlanks(WriteNoText);
    if (writeNo.empty() || LeadingInt(writeNo) < 1) return kWriteNoMissingMessage;
    if (LeadingInt(writeNo) > limits.maxWriteNo) return Type == kAnimationNormal ? kNormalWriteNoMessage : kSuperWriteNoMessage;
    if (TimeText.empty()) return kTimeMissingMessage;
    const int time = LeadingInt(TimeText);
    if (time < 1 || time > kMaxDisplayTime) return kTimeRangeMessage;
    return {};
}

bool AnimationList::LoadAnimationList(const std::string& path, Prompter& prompter) {
    std::string message;
    return ShowFailure(prompter, LoadAnimationList(path, message), message);
}

bool AnimationList::LoadAnimationList(const std::string& path, std::string& message) {
    if (!ReadListFile(path, message)) return false;
    Opened(path);
    return true;
}

bool AnimationList::ReadFile(const std::string& path, Prompter& prompter) {
    std::string message;
    return ShowFailure(prompter, ReadListFile(path, message), message);
}

bool AnimationList::ReadListFile(const std::string& path, std::string& message) {
    std::unique_ptr<LineReader> in = Files().OpenText(path);
    if (!in) {
        message = path + kOpenErrorSuffix;
        return false;
    }
    std::string lines[3];
    for (std::string& line : lines) {
        if (!in->ReadLine(line, kListLineLength)) {
            message = path + kReadErrorSuffix;
            return false;
        }
    }
    if (lines[0] == std::string(kSuperLine) + "\n") {
        Type = kAnimationSuper;
    } else if (lines[0] == std::string(kNormalLine) + "\n") {
        Type = kAnimationNormal;
    } else {
        message = path + kNotAListSuffix;
        return false;
    }
    const std::optional<int> writeNo = ListNumber(lines[1]);
    if (!writeNo) {
        message = path + kNotAListSuffix;
        return false;
    }
    WriteNoText = std::to_string(*writeNo);
    const std::optional<int> time = ListNumber(lines[2]);
    if (!time) {
        message = path + kNotAListSuffix;
        return false;
    }
    TimeText = std::to_string(*time);

    Entries.clear();
    PictureFolder = FolderOfFile(path);
    // A name is one whole line, however long; only its line end is dropped.
    std::string piece, name;
    bool open = false;
    while (in->ReadLine(piece, kListLineLength)) {
        name += piece;
        open = true;
        if (name.back() == '\n') {
            name.pop_back();
            Entries.push_back(FromShiftJis(name));
            name.clear();
            open = false;
        }
    }
    if (open) Entries.push_back(FromShiftJis(name));
    return true;
}

bool AnimationList::SaveAnimation(const std::string& path, Prompter& prompter) {
    return Validate(prompter) && WriteFile(path, prompter);
}

bool AnimationList::WriteFile(const std::string& path, Prompter& prompter) {
    std::string message;
    return ShowFailure(prompter, WriteFiles(path, message), message);
}

bool AnimationList::WriteFiles(const std::string& path, std::string& message) const {
    if (PictureFolder.empty() || !SameFolder(FolderOfFile(path), PictureFolder)) {
        message = kOtherFolderMessage;
        return false;
    }
    const std::string listPath = ListPathFor(path);
    if (!WriteListFile(listPath, message)) return false;
    return WriteDataFile(DataPathFor(listPath), message);
}

bool AnimationList::WriteListFile(const std::string& listPath, std::string& message) const {
    // The list file, whole or not at all.
    return WriteWholeFile(
        Files(), listPath,
        [this](OutputFile& out) {
            if (!out.Write(std::string(Type == kAnimationNormal ? kNormalLine : kSuperLine) + "\r\n")) return false;
            // The numbers go out without surrounding blanks: the list's reader
            // cuts a line at its last blank, so " 5" would make the list
            // unreadable while "5" reads back as the same number.
            if (!out.Write(ShiftJisOrLeadingAscii(TrimBlanks(WriteNoText)) + "\r\n")) return false;
            if (!out.Write(ShiftJisOrLeadingAscii(TrimBlanks(TimeText)) + "\r\n")) return false;
            for (const std::string& entry : Entries) {
                // A name without a Shift-JIS form cannot be written as it is;
                // writing part of it would name another file.
                std::optional<std::string> sjis = ToShiftJis(TrimEntry(entry));
                if (!sjis || !out.Write(*sjis + "\r\n")) return false;
            }
            return true;
        },
        message, listPath + kOpenErrorSuffix, listPath + kWriteErrorSuffix);
}

bool AnimationList::WriteDataFile(const std::string& dataPath, std::string& message) const {
    // The data file: written beside its target and put in place only when every
    // picture went in, so a bad picture never leaves a file the unit would
    // take for complete, nor costs the earlier one.
    std::unique_ptr<OutputFile> out = Files().Create(dataPath);
    if (!out) {
        message = CreateRefusal(Files(), dataPath, dataPath + kOpenErrorSuffix);
        return false;
    }
    message.clear();
    if (!WriteDataTo(*out, message) || !out->Commit()) {
        if (message.empty()) message = dataPath + kWriteErrorSuffix;
        return false;
    }
    return true;
}

bool AnimationList::WriteDataTo(OutputFile& out, std::string& message) const {
    if (!WriteDataHead(out)) return false;
    std::string block;
    std::string_view kept;
    for (std::size_t j = 0; j < Entries.size(); ++j) {
        if (!PictureBlock(j, block, kept, message)) return false;
        if (!out.Write(block) || (!kept.empty() && !out.Write(kept))) return false;
    }
    return WriteFrameTail(out);
}

bool AnimationList::WriteDataHead(OutputFile& out) const {
    const bool normal = Type == kAnimationNormal;
    return WriteFrameHead(out, "$ANIMATION") &&
           WriteLine(out, normal ? "$ANIMATION_QUALITY_NORMAL" : "$ANIMATION_QUALITY_SUPER") &&
           WriteLine(out, "$ANIMATION_DISPLAY_TIME=" + ZeroPad(LeadingInt(TimeText), 4)) &&
           WriteLine(out, "$ANIMATION_PICTURES=" + ZeroPad(static_cast<int>(Entries.size()), 2)) &&
           WriteLine(out, "$WRITE_TABLE_NO=" + ZeroPad(LeadingInt(TrimBlanks(WriteNoText)), 2)) &&
           WriteLine(out, "#END_OF_DEFINE");
}

bool AnimationList::PictureBlock(std::size_t j, std::string& block, std::string_view& kept,
                                 std::string& message) const {
    const std::string name = TrimEntry(Entries[j]);
    const std::string picture = PicturePath(Entries[j]);
    block.clear();
    kept = {};
    AppendLine(block, "#PICTURE_NO=" + ZeroPad(static_cast<int>(j), 2));
    if (PictureBlocks && !picture.empty()) {
        if (auto it = PictureBlocks->find(picture); it != PictureBlocks->end()) {
            kept = it->second;
            return true;
        }
    }
    std::unique_ptr<LineReader> in = picture.empty() ? nullptr : Files().OpenText(picture);
    if (!in) {
        message = kPictureOpenPrefix + name;
        return false;
    }
    // A picture's lines go out in one write: a line at a time costs the
    // card a write for every one of its 165 lines. Blocks to be kept are
    // copied straight into their own bytes.
    std::string colours;
    std::string& into = PictureBlocks ? colours : block;
    into.reserve(into.size() + kColourBlocksBytes);
    if (!CopyBlock(*in, into, "#RED", "#END_OF_RED") || !CopyBlock(*in, into, "#GREEN", "#END_OF_GREEN")) {
        message = name + kPictureErrorSuffix;
        return false;
    }
    if (PictureBlocks) kept = PictureBlocks->emplace(picture, std::move(colours)).first->second;
    return true;
}

std::string AnimationList::ListPathFor(const std::string& path) {
    // Only the file name's extension counts: a "." in a folder name must not
    // send the files into another folder.
    return ReplaceExtension(path, ".alt");
}

std::string AnimationList::ProposedListName() const {
    std::vector<FolderEntry> entries;
    if (!PictureFolder.empty()) Files().ListFolder(PictureFolder, entries);
    std::set<std::string> taken;
    for (const FolderEntry& e : entries) taken.insert(FoldedName(e.name));
    for (int n = 1;; ++n) {
        const std::string name = "動画" + ZeroPad(n, 2);
        if (!taken.count(FoldedName(name + ".alt")) && !taken.count(FoldedName(name + ".ana"))) return name + ".alt";
    }
}

std::string AnimationList::DataPathFor(const std::string& listPath) { return ReplaceExtension(listPath, ".ana"); }

std::string AnimationList::PicturePath(const std::string& entry) const {
    const std::string name = TrimEntry(entry);
    // An entry names a file in the list's own folder and nothing else: a
    // hand-edited list must not reach files elsewhere.
    if (!IsBareName(name)) return "";
    return PathInFolder(PictureFolder, name);
}

std::string AnimationList::DialogFolder(const FormDialogs& dialogs) const {
    return PictureFolder.empty() ? dialogs.DriveRoot : PictureFolder;
}

void AnimationList::Saved(const std::string& path, bool, Prompter&) {
    Modified = false;
    SavedList = ListPathFor(path);
    Status = std::string(kAnimationSavedMessage) + "　" + SavedList;
}

// ---- named fields ----

std::vector<std::string> AnimationList::FieldNames() const {
    std::vector<std::string> names{kTypeField, kWriteNoField, kTimeField};
    for (std::size_t i = 0; i < Entries.size(); ++i) names.push_back(EntryFieldName(i));
    return names;
}

std::optional<std::string> AnimationList::Value(const std::string& name) const {
    if (name == kTypeField) return std::string(kTypeItems[Type == kAnimationNormal ? 1 : 0]);
    if (name == kWriteNoField) return WriteNoText;
    if (name == kTimeField) return TimeText;
    const std::optional<std::size_t> entry = EntryFieldIndex(name);
    if (entry && *entry < Entries.size()) return Entries[*entry];
    return std::nullopt;
}

bool AnimationList::SetValue(const std::string& name, const std::string& value, std::string& problem) {
    if (name == kTypeField) {
        for (int i = 0; i < 2; ++i) {
            if (value == kTypeItems[i] || value == std::to_string(i)) {
                Type = i;
                return true;
            }
        }
        problem = name + " takes " + kTypeItems[0] + " (0) or " + kTypeItems[1] + " (1), not \"" + value + "\"";
        return false;
    }
    if (name == kWriteNoField || name == kTimeField) {
        const std::size_t digits = name == kWriteNoField ? kWriteNoDigits : kTimeDigits;
        if (!FitsDigitsBox(value, digits)) {
            problem = name + " takes at most " + std::to_string(digits) + " digits, not \"" + value + "\"";
            return false;
        }
        (name == kWriteNoField ? WriteNoText : TimeText) = value;
        return true;
    }
    return SetEntryField(Entries, name, value, problem, "the animation window has no control named \"" + name + "\"");
}

// ---- checking a data file ----

namespace {

// Reads a data file line by line, numbering the lines for the messages.
class DataChecker {
public:
    DataChecker(LineReader& in, std::string& message) : in_(in), message_(message) {}

    // The next line, or a message naming what was expected there.
    bool Next(const std::string& expected) {
        ++number_;
        if (in_.ReadLine(line_, kFramedReadLength)) return true;
        return Fail(expected + " がリード出来ませんでした");
    }

    bool Keyword(const char* keyword) {
        if (!Next(keyword)) return false;
        return IsKeywordLine(line_, keyword) || Fail(std::string(keyword) + " ではありません");
    }

    // A setting line: key, exactly `digits` digits, blanks to 30 characters.
    bool Setting(const std::string& key, int digits, int low, int high, int& value) {
        if (!Next(key)) return false;
        const bool framed = line_.size() == kFramedReadLength && line_.back() == '\n' && StartsWith(line_, key);
        bool ok = framed;
        for (std::size_t i = key.size(); ok && i < kFramedLineWidth; ++i) {
            const bool digit = line_[i] >= '0' && line_[i] <= '9';
            ok = i < key.size() + static_cast<std::size_t>(digits) ? digit : line_[i] == ' ';
        }
        if (!ok) return Fail(key + " ではありません");
        value = LeadingInt(TextFrom(line_, key.size()));
        if (value < low || value > high)
            return Fail(key + " の値は、" + std::to_string(low) + "～" + std::to_string(high) + "です");
        return true;
    }

    // One data line numbered n: "$", three digits, ":", at most 30 characters.
    // An animation has 960 of them a picture: the messages are made only for a fault.
    bool DataLine(int n) {
        const char prefix[] = {'$', static_cast<char>('0' + n / 100 % 10), static_cast<char>('0' + n / 10 % 10),
                               static_cast<char>('0' + n % 10), ':'};
        const std::string_view expected(prefix, sizeof prefix);
        ++number_;
        std::string_view text;
        bool lf = false;
        if (!in_.ReadLineText(text, lf, spare_, kFramedReadLength))
            return Fail("データ行 " + std::string(expected) + " がリード出来ませんでした");
        const bool ok = lf && text.size() < kFramedReadLength && StartsWith(text, expected);
        return ok || Fail("データ行 " + std::string(expected) + " ではありません");
    }

    bool Block(const char* open, const char* close) {
        if (!Keyword(open)) return false;
        for (int n = 0; n < kDataLinesPerColour; ++n)
            if (!DataLine(n)) return false;
        return Keyword(close);
    }

    bool AtEnd() {
        ++number_;
        if (!in_.ReadLine(line_, kFramedReadLength)) return true;
        return Fail("#END_OF_LED_DATA_FILE の後に行があります");
    }

    const std::string& Line() const { return line_; }

    // The message for the current line; false.
    bool Fail(const std::string& what) {
        message_ = "エラー　" + std::to_string(number_) + "行目　" + what;
        return false;
    }

private:
    LineReader& in_;
    std::string& message_;
    std::string line_;
    std::string spare_;  // a data line read in pieces
    long long number_ = 0;
};

}  // namespace

bool CheckAnimationData(LineReader& in, std::string& message) {
    AnimationDataSettings settings;
    return ReadAnimationData(in, settings, message);
}

bool ReadAnimationData(LineReader& in, AnimationDataSettings& settings, std::string& message) {
    DataChecker c(in, message);
    for (const char* keyword : {"#LED_DATA_FILE", "#DATA_TYPE", "$ANIMATION", "#END_OF_DATA_TYPE", "#DEFINE"})
        if (!c.Keyword(keyword)) return false;

    if (!c.Next("$ANIMATION_QUALITY_")) return false;
    int type;
    if (IsKeywordLine(c.Line(), "$ANIMATION_QUALITY_SUPER")) {
        type = kAnimationSuper;
    } else if (IsKeywordLine(c.Line(), "$ANIMATION_QUALITY_NORMAL")) {
        type = kAnimationNormal;
    } else {
        return c.Fail("$ANIMATION_QUALITY_SUPER または $ANIMATION_QUALITY_NORMAL ではありません");
    }
    const TypeLimits limits = LimitsOf(type);
    int time = 0, pictures = 0, writeNo = 0;
    if (!c.Setting("$ANIMATION_DISPLAY_TIME=", 4, 1, kMaxDisplayTime, time)) return false;
    if (!c.Setting("$ANIMATION_PICTURES=", 2, 1, limits.maxPictures, pictures)) return false;
    if (!c.Setting("$WRITE_TABLE_NO=", 2, 1, limits.maxWriteNo, writeNo)) return false;
    if (!c.Keyword("#END_OF_DEFINE")) return false;

    for (int j = 0; j < pictures; ++j) {
        const std::string number = "#PICTURE_NO=" + ZeroPad(j, 2);
        if (!c.Keyword(number.c_str())) return false;
        if (!c.Block("#RED", "#END_OF_RED") || !c.Block("#GREEN", "#END_OF_GREEN")) return false;
    }
    if (!c.Keyword("#END_OF_LED_DATA_FILE") || !c.AtEnd()) return false;
    settings = {type, time, pictures, writeNo};
    return true;
}

// ---- the demo ----

bool CheckDemoList(const AnimationList& list, Prompter& prompter) {
    if (list.Entries.empty()) {
        prompter.Inform(kNoPicturesMessage);
        return false;
    }
    if (list.Entries.size() > static_cast<std::size_t>(kMaxDemoFrames)) prompter.Inform(kDemoOverlongListMessage);
    return true;
}

std::vector<MemoryImage> CaptureAnimationFrames(LedHyoujikiClass& doc, const AnimationList& list,
                                                const std::function<void(const std::string& path)>& open,
                                                DrawingSurface& layout, Prompter& prompter) {
    std::vector<MemoryImage> frames;
    const std::size_t count = std::min(list.Entries.size(), static_cast<std::size_t>(kMaxDemoFrames));
    frames.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = list.PicturePath(list.Entries[i]);
        // An entry that names no file of the list's folder is told by its
        // name, as the maker's save tells it; the frame shows the picture as it was.
        if (path.empty() || !list.Files().OpenText(path))
            prompter.Inform(kPictureOpenPrefix + TrimEntry(list.Entries[i]));
        else
            open(path);
        // The demo's dots: 6 pixels each at magnification 80.
        doc.Relayout(layout, 80);
        frames.emplace_back();
        doc.RenderNormal(frames.back());
    }
    return frames;
}

void AnimaDemoSequence::Show(int count) {
    FrameCount = count;
    CurrentFrame = 0;
}

void AnimaDemoSequence::Tick() {
    if (CurrentFrame < FrameCount - 1)
        ++CurrentFrame;
    else
        CurrentFrame = 0;
}

}  // namespace tesslor
