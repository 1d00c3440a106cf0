// Runs the real tesslor-cli binary and checks what it writes, prints and returns.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "CliRun.h"
#include "PngImage.h"
#include "TestSupport.h"

namespace tesslor {
namespace {

using test::CliRun;
using test::CrLfLines;
using test::RunCli;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

void PutLe(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A 24-bit bottom-up BMP file of w x h pixels coloured by pixel(x, y) -> 0xRRGGBB.
std::string MakeBmp(int w, int h, const std::function<std::uint32_t(int, int)>& pixel) {
    int rowSize = (w * 3 + 3) / 4 * 4;
    std::string s = "BM";
    PutLe(s, 54 + rowSize * h, 4);
    PutLe(s, 0, 4);
    PutLe(s, 54, 4);
    PutLe(s, 40, 4);
    PutLe(s, w, 4);
    PutLe(s, h, 4);
    PutLe(s, 1, 2);
    PutLe(s, 24, 2);
    PutLe(s, 0, 4);
    PutLe(s, rowSize * h, 4);
    PutLe(s, 2835, 4);
    PutLe(s, 2835, 4);
    PutLe(s, 0, 4);
    PutLe(s, 0, 4);
    for (int y = h - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = pixel(x, y);
            row.push_back(static_cast<char>(c & 0xFF));
            row.push_back(static_cast<char>((c >> 8) & 0xFF));
            row.push_back(static_cast<char>((c >> 16) & 0xFF));
        }
        row.resize(rowSize, '\0');
        s += row;
    }
    return s;
}

// Reads back a 24-bit BMP written by the tool.
struct Bmp {
    int width = 0, height = 0, bits = 0;
    std::string bytes;
    std::uint32_t U(std::size_t at, int n) const {
        std::uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
        return v;
    }
    explicit Bmp(const std::string& path) : bytes(ReadFileBytes(path)) {
        if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return;
        width = static_cast<int>(U(18, 4));
        height = static_cast<int>(U(22, 4));
        bits = static_cast<int>(U(28, 2));
    }
    // 0xRRGGBB of pixel (x, y), counted from the top.
    std::uint32_t Pixel(int x, int y) const {
        std::size_t rowSize = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        std::size_t at =
            U(10, 4) + static_cast<std::size_t>(height - 1 - y) * rowSize + static_cast<std::size_t>(x) * 3;
        return (U(at + 2, 1) << 16) | (U(at + 1, 1) << 8) | U(at, 1);
    }
};

std::string DataLine(int n, const std::string& words) {
    std::string num = std::to_string(n);
    return "$" + std::string(3 - num.size(), '0') + num + ":" + words;
}

constexpr const char* kZeroWords = "0000,0000,0000,0000,0000,";

// The LED data file of a 16-column picture whose data lines are given by
// red(n) and green(n), with the $SETEI value and the write number.
std::string LeeFile(const std::string& setei, const std::string& reverse, const std::string& writeNo,
                    const std::function<std::string(int)>& red, const std::function<std::string(int)>& green) {
    std::vector<std::string> lines{"#LED_DATA_FILE",     "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE",
                                   "#DEFINE",            "$SETEI:" + setei, "$MAXIMUM_LINES=016",
                                   "$REVERSE_COLOR_" + reverse, "$WRITE_TABLE_NO=" + writeNo, "#END_OF_DEFINE",
                                   "#RED"};
    for (int n = 0; n < 16; ++n) lines.push_back(DataLine(n, red(n)));
    lines.push_back("#END_OF_RED");
    lines.push_back("#GREEN");
    for (int n = 0; n < 16; ++n) lines.push_back(DataLine(n, green(n)));
    lines.push_back("#END_OF_GREEN");
    lines.push_back("#END_OF_LED_DATA_FILE");
    return CrLfLines(lines, true);
}

// Red at (0, 0), green at (1, 1), white (yellow on the unit) at (2, 0).
std::string SmallPicture() {
    return MakeBmp(3, 2, [](int x, int y) -> std::uint32_t {
        if (x == 0 && y == 0) return 0xFF0000;
        if (x == 1 && y == 1) return 0x00FF00;
        if (x == 2 && y == 0) return 0xFFFFFF;
        return 0x000000;
    });
}

std::string SmallPictureRed(int n) { return n == 0 || n == 2 ? "8000,0000,0000,0000,0000," : kZeroWords; }
std::string SmallPictureGreen(int n) {
    if (n == 1) return "4000,0000,0000,0000,0000,";
    if (n == 2) return "8000,0000,0000,0000,0000,";
    return kZeroWords;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

bool Exists(const std::string& path) { return std::filesystem::exists(PathOfUtf8(path)); }

TEST(CliConvert, BitmapToLedDataFileToOldFile) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());

    // A bitmap carries no settings: the editor's state after start-up applies.
    CliRun r = RunCli(dir, {"convert", dir.Path("pic.bmp"), dir.Path("pic.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadFileBytes(dir.Path("pic.lee")),
              LeeFile("A, , ,000", "RED", "1", SmallPictureRed, SmallPictureGreen));

    // The old file keeps only the red plane; the write number read from the
    // data file is held with two digits.
    r = RunCli(dir, {"convert", dir.Path("pic.lee"), dir.Path("PIC.LED")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines{"A0,00," + Repeat("00,00,", 29)};
    for (int y = 1; y < 80; ++y) lines.push_back(Repeat("00,00,", 30));
    for (const char* tail : {"END", "01", "A", " ", " ", "000"}) lines.push_back(tail);
    EXPECT_EQ(ReadFileBytes(dir.Path("PIC.LED")), CrLfLines(lines, false));

    // And back: the old file reads into the same red picture.
    r = RunCli(dir, {"convert", dir.Path("PIC.LED"), dir.Path("back.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("back.lee")),
              LeeFile("A, , ,000", "RED", "01", SmallPictureRed, [](int) { return kZeroWords; }));
}

TEST(CliConvert, SettingsGivenReplaceThoseOfTheInput) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    CliRun r = RunCli(dir, {"convert", "--write-no", "7", "--mode", "S", "--insert", "A", "--position", "c", "--nini",
                         "12", "--reverse", "green", dir.Path("pic.bmp"), dir.Path("set.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected = LeeFile("S,A,c,012", "GREEN", "7", SmallPictureRed, SmallPictureGreen);
    EXPECT_EQ(ReadFileBytes(dir.Path("set.lee")), expected);

    // Settings not given keep what the input carried (mode, insertion, colour);
    // the text of the write number is taken as typed.
    r = RunCli(dir, {"convert", "--write-no", "5x", "--position", "none", "--nini", "479", dir.Path("set.lee"),
                     dir.Path("set2.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("set2.lee")),
              LeeFile("S,A, ,479", "GREEN", "5x", SmallPictureRed, SmallPictureGreen));

    // The XK series starts with yellow as its reverse colour.
    WriteFileBytes(dir.Path("xk.INI"), "[Led]\nNanSyoku=-1\n");
    r = RunCli(dir, {"convert", "--config", dir.Path("xk.INI"), dir.Path("pic.bmp"), dir.Path("xk.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("xk.lee")),
              LeeFile("A, , ,000", "YELLOW", "1", SmallPictureRed, SmallPictureGreen));
}

TEST(CliConvert, RefusedSettingsShowTheEditorsMessageAndWriteNothing) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    WriteFileBytes(dir.Path("c5160.INI"), "[User]\nUser=customer51_60\n");
    WriteFileBytes(dir.Path("root.INI"), "[user]\nuser=root\n");
    const std::string in = dir.Path("pic.bmp"), out = dir.Path("out.lee");

    CliRun r = RunCli(dir, {"convert", "--write-no", "0", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "書込みNoは、1～10の数字を入力して下さい\n");
    EXPECT_FALSE(Exists(out));

    r = RunCli(dir, {"convert", "--write-no", "55", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "書込みNoは、1～10の数字を入力して下さい\n");
    EXPECT_FALSE(Exists(out));

    r = RunCli(dir, {"convert", "--config", dir.Path("c5160.INI"), "--write-no", "11", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "書込みNoは、1～10 51～60の数字を入力して下さい\n");

    r = RunCli(dir, {"convert", "--config", dir.Path("root.INI"), "--write-no", "0", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "書込みNoは、1～99の数字を入力して下さい\n");
    EXPECT_FALSE(Exists(out));

    r = RunCli(dir, {"convert", "--config", dir.Path("c5160.INI"), "--write-no", "55", in, out});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(ReadFileBytes(out).find("$WRITE_TABLE_NO=55            \r\n"), std::string::npos);
    std::filesystem::remove(out);

    r = RunCli(dir, {"convert", "--nini", "480", in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "480より小さい値を入力して下さい\n");
    EXPECT_FALSE(Exists(out));
}

TEST(CliConvert, NamesTooLongForTheUnitAreRefused) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    // 27 + ".lee" = 31 bytes: one too many.
    std::string tooLong = dir.Path(std::string(27, 'n') + ".lee");
    CliRun r = RunCli(dir, {"convert", dir.Path("pic.bmp"), tooLong});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル名が長すぎます\n");
    EXPECT_FALSE(Exists(tooLong));

    // Full-width letters count two bytes each: 13 x 2 + 4 = 30 fits, 14 x 2 + 4 does not.
    std::string fits = dir.Path(Repeat("あ", 13) + ".lee");
    r = RunCli(dir, {"convert", dir.Path("pic.bmp"), fits});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(fits));
    std::string oldTooLong = dir.Path(Repeat("あ", 14) + ".led");
    r = RunCli(dir, {"convert", dir.Path("pic.bmp"), oldTooLong});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル名が長すぎます\n");
    EXPECT_FALSE(Exists(oldTooLong));
}

TEST(CliConvert, ReadAndExportFailuresAreReported) {
    TempDir dir;
    CliRun r = RunCli(dir, {"convert", dir.Path("missing.lee"), dir.Path("out.led")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイル　オープン　エラー\n");
    EXPECT_FALSE(Exists(dir.Path("out.led")));

    // A picture without a lit dot exports no bitmap, and the tool says so.
    WriteFileBytes(dir.Path("black.bmp"), MakeBmp(4, 4, [](int, int) { return 0u; }));
    r = RunCli(dir, {"convert", dir.Path("black.bmp"), dir.Path("out.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("点灯しているドットがない絵"), std::string::npos) << r.err;
    EXPECT_FALSE(Exists(dir.Path("out.bmp")));

    // The bitmap written for a picture reads back as the same picture.
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    r = RunCli(dir, {"convert", dir.Path("pic.bmp"), dir.Path("out.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    Bmp out(dir.Path("out.bmp"));
    EXPECT_EQ(out.width, 16);
    EXPECT_EQ(out.height, 80);
    EXPECT_EQ(out.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(out.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(out.Pixel(2, 0), 0xFFFF00u);
    EXPECT_EQ(out.Pixel(1, 0), 0x000000u);

    // A file that cannot be created fails with the writer's own message.
    const std::string nowhere = dir.Path("no-such-folder");
    r = RunCli(dir, {"convert", dir.Path("pic.bmp"), nowhere + "/out.lee"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルオープンエラー\n");
    for (const char* name : {"/out.bmp", "/out.png"}) {
        r = RunCli(dir, {"convert", dir.Path("pic.bmp"), nowhere + name});
        EXPECT_EQ(r.status, 1) << name;
#ifdef TESSLOR_NO_QT
        // The Windows tool has no PNG at all, and says that first.
        if (std::string(name) == "/out.png") {
            EXPECT_EQ(r.err, std::string(cli::kNoPngMessage) + "\n");
            continue;
        }
#endif
        EXPECT_EQ(r.err, "ファイル " + nowhere + name + " に書き込めませんでした\n");
    }
    EXPECT_FALSE(Exists(nowhere));
}

// Width and height from a PNG file's header; 0 x 0 when it is not one.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto be = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be(16), be(20)};
}

TEST(CliConvert, PngPicturesGoBothWaysLikeBitmaps) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
#ifdef TESSLOR_NO_QT
    {
        // The Windows tool refuses PNG both ways, in words, and writes nothing.
        const CliRun out = RunCli(dir, {"convert", dir.Path("pic.bmp"), dir.Path("pic.png")});
        EXPECT_EQ(out.status, 1);
        EXPECT_EQ(out.err, std::string(cli::kNoPngMessage) + "\n");
        EXPECT_FALSE(Exists(dir.Path("pic.png")));
        WriteFileBytes(dir.Path("in.png"), "\x89PNG\r\n\x1a\n");
        const CliRun in = RunCli(dir, {"convert", dir.Path("in.png"), dir.Path("a.lee")});
        EXPECT_EQ(in.status, 1);
        EXPECT_NE(in.err.find(cli::kNoPngMessage), std::string::npos) << in.err;
        EXPECT_FALSE(Exists(dir.Path("a.lee")));
        return;
    }
#endif
    CliRun r = RunCli(dir, {"convert", dir.Path("pic.bmp"), dir.Path("pic.png")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PngSize(ReadFileBytes(dir.Path("pic.png"))), (std::pair<std::uint32_t, std::uint32_t>{16, 80}));
    // The PNG reads into the very picture the bitmap gave.
    r = RunCli(dir, {"convert", dir.Path("pic.png"), dir.Path("a.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    r = RunCli(dir, {"convert", dir.Path("pic.bmp"), dir.Path("b.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.Path("a.lee")), ReadFileBytes(dir.Path("b.lee")));
    EXPECT_EQ(ReadFileBytes(dir.Path("a.lee")).size(), 47u * 32u);

    r = RunCli(dir, {"render", "--view", "strip", dir.Path("pic.png"), dir.Path("strip.png")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PngSize(ReadFileBytes(dir.Path("strip.png"))), (std::pair<std::uint32_t, std::uint32_t>{1056, 480}));

    WriteFileBytes(dir.Path("broken.png"), "\x89PNG\r\n\x1a\nnot really");
    r = RunCli(dir, {"convert", dir.Path("broken.png"), dir.Path("c.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ビットマップファイルエラー\n");
    EXPECT_FALSE(Exists(dir.Path("c.lee")));
}

// Japanese names go through the command line and come back on standard
// output as they were typed; on Windows that output is text with CR LF.
TEST(CliConvert, JapaneseNamesPassThroughTheCommandLine) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    CliRun r = RunCli(dir, {"convert", "--write-no", "3", dir.Path("pic.bmp"), dir.Path("気温.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(Exists(dir.Path("気温.lee")));
    r = RunCli(dir, {"check", dir.Path("気温.lee")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, dir.Path("気温.lee") + ": OK\n");
#ifdef _WIN32
    EXPECT_EQ(r.rawOut, dir.Path("気温.lee") + ": OK\r\n");
#else
    EXPECT_EQ(r.rawOut, r.out);
#endif
}

TEST(CliCheck, PrintsOneLinePerFileAndFailsWhenAnyFails) {
    TempDir dir;
    WriteFileBytes(dir.Path("good.lee"), LeeFile("A, , ,000", "RED", "01", SmallPictureRed, SmallPictureGreen));
    std::vector<std::string> lines;
    for (int y = 0; y < 79; ++y) lines.push_back(Repeat("00,00,", 30));
    WriteFileBytes(dir.Path("short.led"), CrLfLines(lines, false));
    // "#DEFINE" padded to 29 characters instead of 30.
    WriteFileBytes(dir.Path("bad.lee"), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE"},
                                                  true) +
                                           "#DEFINE" + std::string(22, ' ') + "\r\n");
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());

    CliRun r = RunCli(dir, {"check", dir.Path("good.lee"), dir.Path("short.led"), dir.Path("bad.lee"),
                         dir.Path("notes.txt"), dir.Path("pic.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, dir.Path("good.lee") + ": OK\n" + dir.Path("short.led") + ": ファイルリードエラー\n" +
                         dir.Path("bad.lee") + ": エラー　#DEFINE\n" + dir.Path("notes.txt") +
                         ": 種類の分からないファイルです（.lee, .led, .bmp, .png のほか設定、文言、アニメーション、Perform.txt を確かめられます）\n" + dir.Path("pic.bmp") + ": OK\n");

    r = RunCli(dir, {"check", dir.Path("good.lee"), dir.Path("pic.bmp")});
    EXPECT_EQ(r.status, 0) << r.out << r.err;

    // The write number 55 is valid only where the configuration allows it.
    WriteFileBytes(dir.Path("w55.lee"), LeeFile("A, , ,000", "RED", "55", SmallPictureRed, SmallPictureGreen));
    WriteFileBytes(dir.Path("c.INI"), "[User]\nUser=customer51_60\n");
    r = RunCli(dir, {"check", dir.Path("w55.lee")});
    EXPECT_EQ(r.out, dir.Path("w55.lee") + ": エラー　$WRITE_TABLE_NO\n");
    r = RunCli(dir, {"check", "--config", dir.Path("c.INI"), dir.Path("w55.lee")});
    EXPECT_EQ(r.out, dir.Path("w55.lee") + ": OK\n");
    EXPECT_EQ(r.status, 0);
}

TEST(CliShow, APictureShowsItsSettingsInConvertsWordsAndABrokenOneItsReadersMessage) {
    TempDir dir;
    WriteFileBytes(dir.Path("set.lee"), LeeFile("S,A,c,012", "GREEN", "07", SmallPictureRed, SmallPictureGreen));
    CliRun r = RunCli(dir, {"show", dir.Path("set.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "kind=picture\nwriteno=07\nmode=S\ninsert=A\nposition=c\nnini=012\nreverse=green\n");
    WriteFileBytes(dir.Path("plain.LEE"), LeeFile("A, , ,000", "YELLOW", "1", SmallPictureRed, SmallPictureGreen));
    r = RunCli(dir, {"show", dir.Path("plain.LEE")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "kind=picture\nwriteno=01\nmode=A\ninsert=none\nposition=none\nnini=000\nreverse=yellow\n");

    // A broken or missing picture, or one whose write number the configuration
    // does not offer, says what check says.
    WriteFileBytes(dir.Path("bad.lee"), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$NORMAL", "#END_OF_DATA_TYPE"},
                                                  true) +
                                           "#DEFINE" + std::string(22, ' ') + "\r\n");
    WriteFileBytes(dir.Path("w55.lee"), LeeFile("A, , ,000", "RED", "55", SmallPictureRed, SmallPictureGreen));
    for (const char* name : {"bad.lee", "w55.lee", "none.lee"}) {
        const CliRun checked = RunCli(dir, {"check", dir.Path(name)});
        const std::string message = checked.out.substr(dir.Path(name).size() + 2);
        r = RunCli(dir, {"show", dir.Path(name)});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(r.err, message) << name;
        EXPECT_NE(message.find("エラー"), std::string::npos) << message;
    }

    // A settings file is told by its content, whatever its name.
    ASSERT_EQ(RunCli(dir, {"make", "settings3", "--standard", dir.Path("setei.lee")}).status, 0);
    r = RunCli(dir, {"show", dir.Path("setei.lee")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("kind=settings3\n", 0), 0u) << r.out;
}

TEST(CliShow, FilesWithoutSettingsToShowAreRefusedWithWhatTheyAre) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    struct Case {
        const char* name;
        const char* what;
    } cases[] = {
        {"old.led", "旧形式の絵（old-picture）な"},
        {"anim.alt", "アニメーションリスト（animation-list）な"},
        {"files.txt", "アニメーションリスト（animation-list）な"},
        {"pic.bmp", "ビットマップ（bitmap）な"},
        {"pic.PNG", "ビットマップ（bitmap）な"},
        {"memo.doc", "表示器のファイルではない"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Path(c.name);
        if (!std::filesystem::exists(path)) WriteFileBytes(path, "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n");
        const CliRun r = RunCli(dir, {"show", path});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.rfind("tesslor-cli: " + path + " は" + c.what + "ので表示できません（", 0), 0u) << r.err;
    }
    const CliRun r = RunCli(dir, {"show", dir.Path("none.doc")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("none.doc") + "オープンエラー\n");
}

TEST(CliRender, RendersTheDemoViewsAsBitmaps) {
    TempDir dir;
    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    const std::string in = dir.Path("pic.bmp");

    CliRun r = RunCli(dir, {"render", "--view", "normal", in, dir.Path("normal.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    Bmp normal(dir.Path("normal.bmp"));
    EXPECT_EQ(normal.width, 480);
    EXPECT_EQ(normal.height, 480);
    // Six pixels per dot: the red dot at the top-left, dark beside it.
    EXPECT_EQ(normal.Pixel(3, 3), 0xFF0000u);
    EXPECT_NE(normal.Pixel(9, 3), 0xFF0000u);

    r = RunCli(dir, {"render", "--view", "reversed", in, dir.Path("rev.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    Bmp rev(dir.Path("rev.bmp"));
    EXPECT_EQ(rev.width, 480);
    EXPECT_EQ(rev.height, 480);
    EXPECT_EQ(rev.Pixel(3, 3), 0x000000u);
    EXPECT_EQ(rev.Pixel(9, 3), 0xFF0000u) << "dark dots take the reverse colour";

    // 480 black, one panel of picture (96), then 480 black.
    r = RunCli(dir, {"render", "--view", "strip", in, dir.Path("strip.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    Bmp strip(dir.Path("strip.bmp"));
    EXPECT_EQ(strip.width, 1056);
    EXPECT_EQ(strip.height, 480);
    EXPECT_EQ(strip.Pixel(480 + 3, 3), 0xFF0000u);

    // The unit's window follows the configured panel counts.
    WriteFileBytes(dir.Path("small.INI"), "[Led]\nYokoMaisuu=3\nTateMaisuu=2\n");
    r = RunCli(dir, {"render", "--config", dir.Path("small.INI"), "--view", "normal", in, dir.Path("small.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    Bmp small(dir.Path("small.bmp"));
    EXPECT_EQ(small.width, 288);
    EXPECT_EQ(small.height, 192);

    // A display without panels has nothing to show.
    WriteFileBytes(dir.Path("none.INI"), "[Led]\nYokoMaisuu=0\n");
    r = RunCli(dir, {"render", "--config", dir.Path("none.INI"), "--view", "normal", in, dir.Path("none.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(Exists(dir.Path("none.bmp")));
}

TEST(CliUsage, HelpVersionAndUsageErrors) {
    TempDir dir;
    CliRun r = RunCli(dir, {"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "tesslor-cli 2.0.0\n");
    r = RunCli(dir, {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("convert"), std::string::npos);
    r = RunCli(dir, {"convert", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--write-no"), std::string::npos);

    WriteFileBytes(dir.Path("pic.bmp"), SmallPicture());
    const std::string in = dir.Path("pic.bmp"), out = dir.Path("out.lee");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"convert", in},
             {"convert", "--mode", "X", in, out},
             {"convert", "--position", "d", in, out},
             {"convert", "--reverse", "blue", in, out},
             {"convert", "--nini", "abc", in, out},
             {"convert", "--config", dir.Path("missing.INI"), in, out},
             {"convert", in, dir.Path("out.gif")},
             {"convert", dir.Path("pic.gif"), out},
             {"render", in, dir.Path("r.bmp")},
             {"render", "--view", "normal", in, dir.Path("r.gif")},
         }) {
        r = RunCli(dir, args);
        std::string joined;
        for (const std::string& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined << "\n" << r.err;
        EXPECT_NE(r.err, "") << joined;
        EXPECT_FALSE(Exists(out)) << joined;
    }
}

}  // namespace
}  // namespace tesslor
