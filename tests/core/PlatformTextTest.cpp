// Shift-JIS, number reading, paths, text-mode line reading and atomic saves.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "text/WideNames.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cctype>
#include <climits>
#include <optional>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "TestSupport.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {
namespace {

TEST(ShiftJis, ConvertsBothWaysAndRefusesWhatItCannotHold) {
    EXPECT_EQ(ToShiftJis("abc"), std::string("abc"));
    EXPECT_EQ(ToShiftJis("あ"), std::string("\x82\xA0"));
    EXPECT_EQ(ToShiftJis("標準"), std::string("\x95\x57\x8F\x80"));
    EXPECT_EQ(ToShiftJis("～"), std::string("\x81\x60"));  // the full-width tilde of the messages
    EXPECT_EQ(ShiftJisLength("あいう.lee"), 10u);
    EXPECT_FALSE(ToShiftJis("\xF0\x9F\x98\x80"));  // an emoji has no Shift-JIS form
    EXPECT_FALSE(ToShiftJis("\xC3"));              // broken UTF-8
    EXPECT_EQ(FromShiftJis("\x95\x57\x8F\x80"), "標準");
    EXPECT_EQ(FromShiftJis(std::string("a\x82", 2)), "a\xEF\xBF\xBD");  // cut in the middle of a character
    EXPECT_EQ(ShiftJisOrLeadingAscii("12あ"), "12\x82\xA0");
    EXPECT_EQ(ShiftJisOrLeadingAscii("12x\xF0\x9F\x98\x80z"), "12x");
    EXPECT_EQ(CutShiftJis("ab\x82\xA0\x82\xA2", 5), "ab\x82\xA0");  // never half a character
    EXPECT_EQ(CutShiftJis("ab\x82\xA0\x82\xA2", 6), "ab\x82\xA0\x82\xA2");
    EXPECT_EQ(CutShiftJis("ab\xB1" "c", 3), "ab\xB1");  // half-width katakana is one byte
    EXPECT_EQ(CutShiftJis("a\x82", 5), "a");          // a lead byte without its trail
}

// Where the systems' own code page 932 tables differ, Linux and Windows
// still write and read the same bytes.
TEST(ShiftJis, TheEdgesOfTheCodePageAreTheSameOnEverySystem) {
    const struct {
        const char* text;
        std::optional<std::string> bytes;
    } encodings[] = {
        {"\u00A2", "\x81\x91"}, {"\u00A3", "\x81\x92"}, {"\u00A5", "\x5C"},       {"\u00AC", "\x81\xCA"},
        {"\u2014", "\x81\x5C"}, {"\u2016", "\x81\x61"}, {"\u203E", "\x7E"},       {"\u2212", "\x81\x7C"},
        {"\u301C", "\x81\x60"}, {"\uFF5E", "\x81\x60"}, {"a\u301Cb", "a\x81\x60" "b"}, {"\u2460", "\x87\x40"},
        {"\u9AD9", "\xFB\xFC"}, {"\u0080", std::nullopt}, {"\uF8F0", std::nullopt},   {"\uF8F3", std::nullopt},
        {"\u20AC", std::nullopt}, {"\uFFFD", std::nullopt},  {"x\u20ACy", std::nullopt},
    };
    for (const auto& e : encodings) EXPECT_EQ(ToShiftJis(e.text), e.bytes) << e.text;
    const struct {
        std::string bytes;
        const char* text;
    } decodings[] = {
        {"\x80", "\uFFFD"},         {"\xA0", "\uFFFD"},           {"\xFD", "\uFFFD"},   {"\xFF", "\uFFFD"},
        {"\x82\x80", "\uFFFD\uFFFD"}, {"\x81\x20", "\uFFFD "},       {"\xEF\x40", "\uFFFD@"},
        {"\x81\x60", "\uFF5E"},     {"\x81\x5F", "\uFF3C"},       {"\x87\x40", "\u2460"}, {"\xED\x40", "\u7E8A"},
        {"\xB1\x80x", "\uFF71\uFFFDx"},
    };
    for (const auto& d : decodings) EXPECT_EQ(FromShiftJis(d.bytes), d.text) << testing::PrintToString(d.bytes);
}

TEST(Numbers, LeadingIntegerReadsLikeTheCLibraryButSaturates) {
    EXPECT_EQ(LeadingInt("12abc"), 12);
    EXPECT_EQ(LeadingInt("  -7"), -7);
    EXPECT_EQ(LeadingInt("+3"), 3);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt("abc"), 0);
    EXPECT_EQ(LeadingInt("- 5"), 0);
    EXPECT_EQ(LeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInt("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(LeadingHex("8000,", 4), 0x8000u);
    EXPECT_EQ(LeadingHex("80,00", 4), 0x80u);
    EXPECT_EQ(LeadingHex("ffff", 4), 0xFFFFu);
    EXPECT_EQ(LeadingHex("12345", 4), 0x1234u);
    EXPECT_EQ(LeadingHex("", 4), 0u);
    EXPECT_EQ(LeadingHex("g1", 2), 0u);
    EXPECT_EQ(ZeroPad(7, 3), "007");
    EXPECT_EQ(ZeroPad(1234, 3), "1234");
}

// A data word of four digits is read without a loop: every byte at every
// place must stop it exactly where digit by digit would.
TEST(Numbers, FourDigitWordsReadAsDigitByDigit) {
    const auto digitByDigit = [](std::string_view text) {
        unsigned value = 0;
        for (std::size_t i = 0; i < 4 && i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i)
            value = value * 16 + static_cast<unsigned>(std::stoi(std::string(1, text[i]), nullptr, 16));
        return value;
    };
    for (const char* word : {"aF09", "0000"})
        for (std::size_t at = 0; at < 4; ++at)
            for (int byte = 0; byte < 256; ++byte) {
                std::string text = std::string(word) + " ";
                text[at] = static_cast<char>(byte);
                ASSERT_EQ(LeadingHex(text, 4), digitByDigit(text)) << word << ": byte " << byte << " at " << at;
            }
}

TEST(Paths, NamesFoldersAndExtensions) {
    EXPECT_EQ(FileNamePart("E:\\pics\\a.lee"), "a.lee");
    EXPECT_EQ(FileNamePart("E:a.lee"), "a.lee");
    EXPECT_EQ(FileNamePart("/home/x/b.lee"), "b.lee");
    EXPECT_EQ(FolderPart("/home/x/b.lee"), "/home/x");
    EXPECT_EQ(ReplaceExtension("C:\\x\\Tesslor.exe", ".INI"), "C:\\x\\Tesslor.INI");
    EXPECT_EQ(ReplaceExtension("C:\\x\\Tesslor.exe", "Drive.INI"), "C:\\x\\TesslorDrive.INI");
    EXPECT_EQ(ReplaceExtension("/opt/x.y/tesslor", ".INI"), "/opt/x.y/tesslor.INI");
    EXPECT_EQ(LowerExtension("/a/B.LEE"), "lee");
    EXPECT_EQ(LowerExtension("/a.b/c"), "");
}

TEST(LineReading, TextModeAndPiecesLikeFgets) {
    MemoryLineReader r("ab\r\ncd\nef\rg\r\n0123456789XYZ\n\nlast");
    std::string line;
    ASSERT_TRUE(r.ReadLine(line, 31));
    EXPECT_EQ(line, "ab\n");
    ASSERT_TRUE(r.ReadLine(line, 31));
    EXPECT_EQ(line, "cd\n");
    ASSERT_TRUE(r.ReadLine(line, 31));
    EXPECT_EQ(line, "ef\rg\n");  // a lone CR stays
    ASSERT_TRUE(r.ReadLine(line, 10));
    EXPECT_EQ(line, "0123456789");  // a longer line arrives in pieces
    ASSERT_TRUE(r.ReadLine(line, 10));
    EXPECT_EQ(line, "XYZ\n");
    ASSERT_TRUE(r.ReadLine(line, 10));
    EXPECT_EQ(line, "\n");
    ASSERT_TRUE(r.ReadLine(line, 10));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(r.ReadLine(line, 10));
    EXPECT_FALSE(r.ReadLine(line, 10));
}

TEST(LineReading, CrLfSplitAcrossAPieceBoundary) {
    MemoryLineReader r("abc\r\nd");
    std::string line;
    ASSERT_TRUE(r.ReadLine(line, 3));
    EXPECT_EQ(line, "abc");
    ASSERT_TRUE(r.ReadLine(line, 3));
    EXPECT_EQ(line, "\n");
    ASSERT_TRUE(r.ReadLine(line, 3));
    EXPECT_EQ(line, "d");
}

// Hands out its bytes one at a time, so every CR LF straddles a refill (or
// chunk bytes at a time).
class TrickleReader : public LineReader {
public:
    explicit TrickleReader(std::string bytes, std::size_t chunk = 1) : bytes_(std::move(bytes)), chunk_(chunk) {}

protected:
    std::size_t Fill(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({chunk_, capacity, bytes_.size() - pos_});
        bytes_.copy(buffer, n, pos_);
        pos_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
};

TEST(LineReading, RefillsInTheMiddleOfALineEndChangeNothing) {
    const std::string text = "#DEFINE\r\nab\rc\r\n\r\nlast\r";
    for (std::size_t max : {3u, 31u}) {
        TrickleReader trickle(text);
        MemoryLineReader whole(text);
        std::string a, b;
        for (;;) {
            const bool more = trickle.ReadLine(a, max);
            ASSERT_EQ(more, whole.ReadLine(b, max));
            if (!more) break;
            EXPECT_EQ(a, b);
        }
    }
    TrickleReader r("x\r\ny\r");
    std::string line;
    ASSERT_TRUE(r.ReadLine(line, 31));
    EXPECT_EQ(line, "x\n");
    ASSERT_TRUE(r.ReadLine(line, 31));
    EXPECT_EQ(line, "y\r");  // a CR at the very end stays
    EXPECT_FALSE(r.ReadLine(line, 31));
}

// Every text of up to 7 bytes from "a", CR and LF.
std::vector<std::string> ShortTexts() {
    const char alphabet[] = {'a', '\r', '\n'};
    std::vector<std::string> texts{""};
    for (std::size_t start = 0, length = 0; length < 7; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = start; i < end; ++i)
            for (char c : alphabet) texts.push_back(texts[i] + c);
        start = end;
    }
    return texts;
}

// Every short text, read in place at once and read a byte at a time, gives
// the same pieces at every line length.
TEST(LineReading, InPlaceReadingMatchesByteByByteForEveryShortText) {
    for (const std::string& text : ShortTexts()) {
        for (std::size_t max : {1u, 2u, 3u, 5u}) {
            TrickleReader trickle(text);
            MemoryLineReader whole(text);
            std::string a, b;
            for (;;) {
                const bool more = trickle.ReadLine(a, max);
                ASSERT_EQ(more, whole.ReadLine(b, max)) << testing::PrintToString(text) << " max " << max;
                if (!more) break;
                ASSERT_EQ(a, b) << testing::PrintToString(text) << " max " << max;
            }
        }
    }
}

// The line as text and line end, looked at where it lies, is the line
// ReadLine gives, in place and a byte at a time, at every line length.
TEST(LineReading, LineTextIsTheLineReadLineGives) {
    for (const std::string& text : ShortTexts()) {
        for (std::size_t max : {1u, 2u, 3u, 31u}) {
            MemoryLineReader whole(text), reference(text);
            TrickleReader trickle(text);
            std::string expected, spare, trickleSpare;
            std::string_view line, trickled;
            bool lf = false, trickleLf = false;
            for (;;) {
                const bool more = reference.ReadLine(expected, max);
                ASSERT_EQ(whole.ReadLineText(line, lf, spare, max), more) << testing::PrintToString(text);
                ASSERT_EQ(trickle.ReadLineText(trickled, trickleLf, trickleSpare, max), more);
                if (!more) break;
                EXPECT_EQ(std::string(line) + (lf ? "\n" : ""), expected) << testing::PrintToString(text) << " max " << max;
                EXPECT_EQ(std::string(trickled) + (trickleLf ? "\n" : ""), expected);
            }
        }
    }
}

// A framed line (30 characters, CR LF), as nearly every line of the unit's
// files is, and every near miss of one: a line feed, CR or other byte put in
// at each place, a byte too few or too many, at the end of the bytes or not.
// Read as text, in place or in chunks, it is the line ReadLine gives.
TEST(LineReading, FramedLinesAndTheirNearMissesReadAsReadLineGivesThem) {
    const std::string framed = "$000:0000,0000,0000,0000,0000,\r\n";
    std::vector<std::string> lines{framed};
    for (std::size_t p = 0; p < framed.size(); ++p) {
        for (char c : {'\n', '\r', '#'}) {
            std::string line = framed;
            line[p] = c;
            lines.push_back(line);
        }
        lines.push_back(std::string(framed).erase(p, 1));
        lines.push_back(std::string(framed).insert(p, 1, 'x'));
    }
    for (const std::string& line : lines) {
        for (const std::string& text : {line, line + framed + "#END", "ab\n" + line + line}) {
            for (std::size_t max : {30u, 31u, 32u, 49u}) {
                // Chunk 0: read in place.
                for (std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{33}, std::size_t{1} << 20}) {
                    MemoryLineReader reference(text);
                    std::unique_ptr<LineReader> in = chunk == 0 ? std::unique_ptr<LineReader>(new MemoryLineReader(text))
                                                                : std::make_unique<TrickleReader>(text, chunk);
                    LineReader& read = *in;
                    std::string expected, spare;
                    std::string_view got;
                    bool lf = false;
                    for (;;) {
                        const bool more = reference.ReadLine(expected, max);
                        ASSERT_EQ(read.ReadLineText(got, lf, spare, max), more) << testing::PrintToString(text);
                        if (!more) break;
                        ASSERT_EQ(std::string(got) + (lf ? "\n" : ""), expected)
                            << testing::PrintToString(text) << " max " << max << " chunk " << chunk;
                    }
                }
            }
        }
    }
}

TEST(RealFiles, CommitReplacesTheTargetOnlyWhenComplete) {
    test::TempDir dir;
    const std::string target = dir.Path("pic.lee");
    test::WriteFileBytes(target, "old contents");
    {
        auto out = RealFileSystem().Create(target);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write("new "));
        // Abandoned before Commit: the earlier file stays, no temporary remains.
    }
    EXPECT_EQ(test::ReadFileBytes(target), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 1);
    {
        auto out = RealFileSystem().Create(target);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write("new\r\n"));
        ASSERT_TRUE(out->Commit());
    }
    EXPECT_EQ(test::ReadFileBytes(target), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 1);

    auto reader = RealFileSystem().OpenText(target);
    ASSERT_TRUE(reader);
    std::string line;
    ASSERT_TRUE(reader->ReadLine(line, 31));
    EXPECT_EQ(line, "new\n");
}

// A card's files may have Japanese names: written, listed and read back by
// the name the operator typed, and replaced whole.
TEST(RealFiles, JapaneseNamesAreWrittenListedAndReadBack) {
    test::TempDir dir;
    const std::string name = "気温.lee";
    const std::string path = dir.Path(name);
    for (const char* bytes : {"first\r\n", "second\r\n"}) {
        auto out = RealFileSystem().Create(path);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write(bytes));
        ASSERT_TRUE(out->Commit()) << "a second save replaces the first";
    }
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(RealFileSystem().ListFolder(dir.Dir().string(), entries));
    ASSERT_EQ(entries.size(), 1u) << "no temporary file is left";
    EXPECT_EQ(entries[0].name, name);
    EXPECT_EQ(entries[0].type, FolderEntry::Type::File);
    EXPECT_EQ(entries[0].size, 8u);
    std::string bytes;
    ASSERT_TRUE(RealFileSystem().ReadAll(path, bytes));
    EXPECT_EQ(bytes, "second\r\n");
    auto in = RealFileSystem().OpenText(path);
    ASSERT_TRUE(in);
    std::string line;
    ASSERT_TRUE(in->ReadLine(line, 31));
    EXPECT_EQ(line, "second\n");
    // A folder with a Japanese name holds files like any other.
    std::filesystem::create_directory(PathOfUtf8(dir.Path("現場")));
    EXPECT_TRUE(RealFileSystem().FolderExists(dir.Path("現場")));
    EXPECT_TRUE(SameFolder(dir.Path("現場"), dir.Path("現場/.")));
    auto inner = RealFileSystem().Create(PathInFolder(dir.Path("現場"), "騒音.lee"));
    ASSERT_TRUE(inner);
    ASSERT_TRUE(inner->Write("x"));
    ASSERT_TRUE(inner->Commit());
    EXPECT_EQ(test::ReadFileBytes(PathInFolder(dir.Path("現場"), "騒音.lee")), "x");
}

// A save that cannot complete leaves the earlier file as it was.
TEST(RealFiles, AnAbandonedOrImpossibleSaveKeepsTheEarlierFile) {
    test::TempDir dir;
    const std::string path = dir.Path("気温.lee");
    test::WriteFileBytes(path, "earlier");
    {
        auto out = RealFileSystem().Create(path);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write("half a pict"));
        // The card is pulled: no commit.
    }
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    // A folder of the target's name cannot be replaced by a file.
    std::filesystem::create_directory(PathOfUtf8(dir.Path("sub")));
    test::WriteFileBytes(dir.Path("sub/keep.lee"), "kept");
    EXPECT_FALSE(RealFileSystem().Create(dir.Path("sub")));
    EXPECT_EQ(test::ReadFileBytes(dir.Path("sub/keep.lee")), "kept");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(RealFileSystem().ListFolder(dir.Dir().string(), entries));
    EXPECT_EQ(entries.size(), 2u) << "no temporary file is left";
}

// A card that fills up during a save: the earlier file stays whole and no
// part of the new one is left. Runs where TESSLOR_FULL_FOLDER names a small
// file system (the Windows test run under Wine mounts one).
TEST(RealFiles, AFullCardKeepsTheEarlierFile) {
    const char* folder = std::getenv("TESSLOR_FULL_FOLDER");
    if (!folder || !*folder) GTEST_SKIP() << "TESSLOR_FULL_FOLDER names no small file system";
    const std::string path = PathInFolder(folder, "気温.lee");
    const std::string earlier(1000, 'e');
    {
        auto out = RealFileSystem().Create(path);
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->Write(earlier));
        ASSERT_TRUE(out->Commit());
    }
    auto out = RealFileSystem().Create(path);
    ASSERT_TRUE(out);
    const std::string chunk(64 * 1024, 'n');
    bool written = true;
    for (int i = 0; i < 64 && written; ++i) written = out->Write(chunk);  // 4 MiB, more than the card holds
    EXPECT_FALSE(written && out->Commit()) << "a save that did not fit is reported";
    out.reset();
    EXPECT_EQ(test::ReadFileBytes(path), earlier);
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(RealFileSystem().ListFolder(folder, entries));
    ASSERT_EQ(entries.size(), 1u) << "no temporary file is left";
    EXPECT_EQ(entries[0].name, "気温.lee");
}

// A file the operator made read-only is never replaced, on any system: no
// save of it even starts.
TEST(RealFiles, AReadOnlyFileIsNeverReplaced) {
    test::TempDir dir;
    const std::string path = dir.Path("気温.lee");
    test::WriteFileBytes(path, "earlier");
    std::filesystem::permissions(PathOfUtf8(path), std::filesystem::perms::owner_read);
    EXPECT_TRUE(RealFileSystem().IsReadOnly(path));
    EXPECT_FALSE(RealFileSystem().Create(path));
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(RealFileSystem().ListFolder(dir.Dir().string(), entries));
    EXPECT_EQ(entries.size(), 1u) << "no temporary file";
    std::filesystem::permissions(PathOfUtf8(path), std::filesystem::perms::owner_all);
    EXPECT_FALSE(RealFileSystem().IsReadOnly(path));
}

TEST(RealFiles, FailuresAreReportedNotHidden) {
    test::TempDir dir;
    EXPECT_FALSE(RealFileSystem().Create(dir.Path("no/such/folder/x.lee")));
    EXPECT_FALSE(RealFileSystem().Create(dir.Dir().string()));  // a folder is not a file
    EXPECT_FALSE(RealFileSystem().OpenText(dir.Path("missing.lee")));
    EXPECT_FALSE(RealFileSystem().OpenText(dir.Dir().string()));
    std::string bytes;
    EXPECT_FALSE(RealFileSystem().ReadAll(dir.Path("missing.bmp"), bytes));
#ifndef _WIN32
    if (::geteuid() != 0) {  // root writes anywhere
        std::filesystem::create_directory(dir.Path("ro"));
        ::chmod(dir.Path("ro").c_str(), 0555);
        EXPECT_FALSE(RealFileSystem().Create(dir.Path("ro/x.lee")));
    }
#endif
}

#ifndef _WIN32
TEST(RealFiles, ReplacedFileKeepsItsPermissions) {
    test::TempDir dir;
    const std::string target = dir.Path("keep.led");
    test::WriteFileBytes(target, "x");
    ::chmod(target.c_str(), 0640);
    auto out = RealFileSystem().Create(target);
    ASSERT_TRUE(out);
    ASSERT_TRUE(out->Write("y"));
    ASSERT_TRUE(out->Commit());
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
#endif

}  // namespace
}  // namespace tesslor
