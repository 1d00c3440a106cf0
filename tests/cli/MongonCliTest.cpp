// tesslor-cli make, show, convert and check on text message files (.mon).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

#include "CliRun.h"
#include "TextCommands.h"

namespace tesslor::test {
namespace {

constexpr std::size_t kTableBytes = 5560;

// Offset of row i's record, and of its text and font within the file.
std::size_t RowAt(int i) { return 20 + 552 * static_cast<std::size_t>(i); }
std::size_t TextAt(int i) { return RowAt(i) + 8; }
std::size_t FontAt(int i) { return RowAt(i) + 268; }

std::int32_t Int32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + k));
    return static_cast<std::int32_t>(v);
}

// The NUL-terminated text of an area.
std::string CStringAt(const std::string& bytes, std::size_t at, std::size_t size) {
    const std::string area = bytes.substr(at, size);
    return area.substr(0, area.find('\0'));
}

// The pixels of a 24-bit bottom-up BMP written by the tool, as 0xRRGGBB.
struct BmpPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // row-major from the top
    explicit BmpPixels(const std::string& bytes) {
        if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return;
        width = Int32At(bytes, 18);
        height = Int32At(bytes, 22);
        const std::size_t offset = static_cast<std::uint32_t>(Int32At(bytes, 10));
        const std::size_t rowSize = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        if (bytes.size() < offset + rowSize * height) return;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::size_t at = offset + (height - 1 - y) * rowSize + x * 3;
                pixels.push_back((std::uint32_t{static_cast<unsigned char>(bytes[at + 2])} << 16) |
                                 (std::uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8) |
                                 static_cast<unsigned char>(bytes[at]));
            }
    }
    std::uint32_t At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y) * width + x); }
};


class MongonCli : public ::testing::Test {
protected:
    CliRun Run(const std::vector<std::string>& args) { return RunCli(dir, args); }
    std::string Path(const std::string& name) const { return dir.Path(name); }
    // make text with the given sets into name; asserts that it worked.
    std::string Make(const std::string& name, const std::vector<std::string>& sets) {
        std::vector<std::string> args = {"make", "text"};
        for (const std::string& s : sets) {
            args.push_back("--set");
            args.push_back(s);
        }
        args.push_back(Path(name));
        const CliRun r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return ReadFileBytes(Path(name));
    }
    TempDir dir;
};

TEST_F(MongonCli, ANewTableIsTheEditorsFileAtCreation) {
    const CliRun r = Run({"make", "text", Path("new.mon")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "保存完了(" + Path("new.mon") + ")\n");
    const std::string bytes = ReadFileBytes(Path("new.mon"));
    ASSERT_EQ(bytes.size(), kTableBytes);
    EXPECT_EQ(bytes.substr(0, 20), std::string("MONGON TBL") + std::string(10, '\0'));
    EXPECT_EQ(bytes.substr(5540), std::string("MONGON TBL END") + std::string(6, '\0'));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Int32At(bytes, RowAt(i)), -100) << i;
        EXPECT_EQ(Int32At(bytes, RowAt(i) + 4), -100) << i;
        EXPECT_EQ(bytes[TextAt(i)], '\0') << i;
        // The window's font in red on a two-colour display, hidden rows too.
        EXPECT_EQ(Int32At(bytes, FontAt(i)), 0x0000FF) << i;
        EXPECT_EQ(Int32At(bytes, FontAt(i) + 4), 128) << i;
        EXPECT_EQ(Int32At(bytes, FontAt(i) + 8), -12) << i;
        EXPECT_EQ(CStringAt(bytes, FontAt(i) + 12, 256), "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e")
            << i;
        EXPECT_EQ(Int32At(bytes, FontAt(i) + 272), 96) << i;
        EXPECT_EQ(Int32At(bytes, FontAt(i) + 276), 9) << i;
    }
    // The XK series starts its rows in yellow.
    WriteFileBytes(Path("xk.ini"), "[Led]\r\nNanSyoku=-1\r\n");
    ASSERT_EQ(Run({"make", "--config", Path("xk.ini"), "text", Path("xk.mon")}).status, 0);
    EXPECT_EQ(Int32At(ReadFileBytes(Path("xk.mon")), FontAt(0)), 0x00FFFF);
}

TEST_F(MongonCli, SetsLandInTheirRowsAndSizeAndHeightFollowEachOther) {
    const std::string bytes = Make("a.mon", {"X_Edit1=12", "Y_Edit1=-5", "MojiEdit1=温度 OK", "Font1.Color=0x00FF00",
                                             "Font1.Name=Unifont", "Font1.Size=12", "Font1.Pitch=2", "Font1.Style=9",
                                             "Font2.Height=-8", "Font3.Color=65535", "Font4.PixelsPerInch=72",
                                             "Font4.Size=16", "X_Edit9=0", "Font9.Charset=0"});
    ASSERT_EQ(bytes.size(), kTableBytes);
    EXPECT_EQ(Int32At(bytes, RowAt(1)), 12);
    EXPECT_EQ(Int32At(bytes, RowAt(1) + 4), -5);
    EXPECT_EQ(CStringAt(bytes, TextAt(1), 260), "\x89\xb7\x93\x78 OK");
    EXPECT_EQ(Int32At(bytes, FontAt(1)), 0x00FF00);
    EXPECT_EQ(CStringAt(bytes, FontAt(1) + 12, 256), "Unifont");
    EXPECT_EQ(Int32At(bytes, FontAt(1) + 8), -16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(Int32At(bytes, FontAt(1) + 276), 12);
    EXPECT_EQ(static_cast<unsigned char>(bytes[FontAt(1) + 268]), 2);
    EXPECT_EQ(static_cast<unsigned char>(bytes[FontAt(1) + 280]), 9);
    EXPECT_EQ(Int32At(bytes, FontAt(2) + 8), -8);
    EXPECT_EQ(Int32At(bytes, FontAt(2) + 276), 6);  // the size follows the height
    EXPECT_EQ(Int32At(bytes, FontAt(3)), 0x00FFFF);
    EXPECT_EQ(Int32At(bytes, FontAt(4) + 8), -16);  // 16 points at 72 pixels per inch
    EXPECT_EQ(Int32At(bytes, RowAt(9)), 0);
    EXPECT_EQ(Int32At(bytes, RowAt(9) + 4), -100);
    EXPECT_EQ(Int32At(bytes, FontAt(9) + 4), 0);
    // Rows not set keep what they had.
    EXPECT_EQ(Int32At(bytes, RowAt(0)), -100);
    EXPECT_EQ(bytes[TextAt(0)], '\0');

    // Later sets win, the sets of a file in their place.
    WriteFileBytes(Path("later.set"), "X_Edit0=7\r\n\r\nMojiEdit0=from file\n");
    const CliRun r = Run({"make", "text", "--set", "X_Edit0=1", "--set-file", Path("later.set"), "--set",
                          "MojiEdit0=last", Path("b.mon")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string b = ReadFileBytes(Path("b.mon"));
    EXPECT_EQ(Int32At(b, RowAt(0)), 7);
    EXPECT_EQ(CStringAt(b, TextAt(0), 260), "last");
}

TEST_F(MongonCli, ValuesTheEditorCannotHoldAreRefusedAndNothingIsWritten) {
    WriteFileBytes(Path("keep.mon"), "earlier");
    WriteFileBytes(Path("kinds.set"), "kind=settings1\n");
    const std::vector<std::vector<std::string>> cases = {
        {"--set", "MojiEdit0=晴れ😀"},
        {"--set", "NoSuchEdit=1"},
        {"--set", "Font10.Size=9"},
        {"--set", "X_Edit0=1000"},
        {"--set", "Y_Edit3=1a"},
        {"--set", "Font0.Charset=256"},
        {"--set", "Font0.Color=red"},
        {"--set", "MojiEdit0=" + std::string(81, 'a')},
        {"--set", "MojiEdit0=two\nlines"},
        {"--set", "MojiEdit0"},
        {"--set-file", Path("kinds.set")},
        {"--standard"},
        {"--wind-only"},
        // A good set does not save a bad one after it.
        {"--set", "X_Edit0=5", "--set", "Font0.Pitch=-1"},
    };
    for (const auto& opts : cases) {
        std::vector<std::string> args = {"make", "text"};
        args.insert(args.end(), opts.begin(), opts.end());
        args.push_back(Path("keep.mon"));
        const CliRun r = Run(args);
        EXPECT_EQ(r.status, 2) << opts.back() << r.err;
        EXPECT_NE(r.err.find("tesslor-cli: "), std::string::npos) << opts.back() << r.err;
        EXPECT_EQ(ReadFileBytes(Path("keep.mon")), "earlier") << opts.back();
    }
    const CliRun r = Run({"make", "text", "--set", "MojiEdit2=😀", Path("new.mon")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "tesslor-cli: MojiEdit2: シフトJISで表せない文字があります\n");
    EXPECT_FALSE(std::filesystem::exists(Path("new.mon")));
}

TEST_F(MongonCli, FromOpensAsTheEditorDoesAndAFailedOpenWritesNothing) {
    Make("base.mon", {"X_Edit0=3", "Y_Edit0=4", "MojiEdit0=基", "Font0.Size=6"});
    CliRun r = Run({"make", "text", "--from", Path("base.mon"), "--set", "X_Edit1=9", Path("more.mon")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string expected = Make("direct.mon", {"X_Edit0=3", "Y_Edit0=4", "MojiEdit0=基", "Font0.Size=6", "X_Edit1=9"});
    EXPECT_EQ(ReadFileBytes(Path("more.mon")), expected);

    std::string broken = ReadFileBytes(Path("base.mon"));
    broken[10] = 'X';  // "MONGON TBLX": one character more before the NUL
    WriteFileBytes(Path("broken.mon"), broken);
    r = Run({"make", "text", "--from", Path("broken.mon"), Path("out.mon")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "文言ファイルのデータエラー(" + Path("broken.mon") + ")\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out.mon")));

    // A short file whose marks are whole loads after its message, as in the
    // editor, and the tool goes on with it.
    WriteFileBytes(Path("short.mon"), ReadFileBytes(Path("base.mon")).substr(0, kTableBytes - 1));
    r = Run({"make", "text", "--from", Path("short.mon"), "--set", "X_Edit1=9", Path("out.mon")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "read エラー  (" + Path("short.mon") + ")\n保存完了(" + Path("out.mon") + ")\n");
    EXPECT_EQ(ReadFileBytes(Path("out.mon")), expected);

    // A short file without its trailer says both and stops.
    WriteFileBytes(Path("shorter.mon"), ReadFileBytes(Path("base.mon")).substr(0, kTableBytes - 20));
    r = Run({"make", "text", "--from", Path("shorter.mon"), Path("out2.mon")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "read エラー  (" + Path("shorter.mon") + ")\n文言ファイルのデータエラー(" + Path("shorter.mon") + ")\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out2.mon")));

    // A missing file gives what 開く gives, and nothing is written.
    cli::MakeOptions options;
    options.kind = "text";
    options.from = Path("missing.mon");
    options.output = Path("out3.mon");
    std::ostringstream err;
    EXPECT_EQ(cli::RunMakeText(StartupConfig{}, options, err), 1);
    EXPECT_EQ(err.str(), "open エラー (" + Path("missing.mon") + ")\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out3.mon")));

    // Refusals of the tool itself are in Japanese as well.
    options.from.clear();
    options.standard = true;
    err.str("");
    EXPECT_EQ(cli::RunMakeText(StartupConfig{}, options, err), 2);
    EXPECT_EQ(err.str(), "tesslor-cli: 文言編集には標準設定がないため、--standard は使えません\n");
}

TEST_F(MongonCli, ShowFeedsBackIntoMakeByteForByte) {
    const std::string first =
        Make("first.mon", {"X_Edit0=0", "Y_Edit0=0", "MojiEdit0=温度 28℃ = 暑い", "Font0.Name=Unifont",
                           "Font0.Height=-16", "Font0.Color=0x00FF00", "X_Edit1=-99", "Y_Edit1=16", "MojiEdit1=Misaki",
                           "Font1.Name=MisakiGothic", "Font1.Size=6", "Font1.Style=3", "Font1.Pitch=2",
                           "Font2.Charset=0", "MojiEdit9=hidden row"});
    CliRun r = Run({"show", Path("first.mon")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("kind=text\nX_Edit0=0\nX_Edit1=-99\nX_Edit2=\n", 0), 0u) << r.out;
    for (const char* line : {"\nMojiEdit0=温度 28℃ = 暑い\n", "\nY_Edit9=\n", "\nFont0.Color=0x00FF00\n",
                             "\nFont0.Name=Unifont\n", "\nFont0.Height=-16\n", "\nFont0.Size=12\n",
                             "\nFont1.Height=-8\n", "\nFont2.Name=ＭＳ Ｐゴシック\n", "\nFont9.Style=0\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 30 + 80);
    WriteFileBytes(Path("state.set"), r.out);
    r = Run({"make", "text", "--set-file", Path("state.set"), Path("second.mon")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(Path("second.mon")), first);

    // A file with a broken mark is still taken as a text message file by its name.
    std::string broken = first;
    broken[5545] = 'x';
    WriteFileBytes(Path("broken.mon"), broken);
    r = Run({"show", Path("broken.mon")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "文言ファイルのデータエラー(" + Path("broken.mon") + ")\n");
}

TEST_F(MongonCli, ConvertLightsTheDotsOfTheTextOnlyWithoutADisplay) {
#ifdef TESSLOR_NO_QT
    {
        // Without Qt's fonts the tool reads the file and says what it lacks.
        Make("draw.mon", {"MojiEdit0=AB"});
        const CliRun lacking = Run({"convert", Path("draw.mon"), Path("draw.lee")});
        EXPECT_EQ(lacking.status, 1);
        EXPECT_NE(lacking.err.find("文言ファイルから絵を作れません"), std::string::npos) << lacking.err;
        EXPECT_FALSE(std::filesystem::exists(PathOfUtf8(Path("draw.lee"))));
        return;
    }
#endif
    ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    Make("red.mon", {"X_Edit0=0", "Y_Edit0=0", "MojiEdit0=HI", "Font0.Name=Unifont", "Font0.Height=-16",
                     "X_Edit1=500", "Y_Edit1=0", "MojiEdit1=far right", "Font1.Name=Unifont", "Font1.Height=-16"});
    for (const char* out : {"red.bmp", "red.png", "red.lee"}) {
        const CliRun r = Run({"convert", Path("red.mon"), Path(out)});
        ASSERT_EQ(r.status, 0) << out << r.err;
        EXPECT_EQ(r.err, "") << out;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("tmp.bmp")));
    const BmpPixels direct(ReadFileBytes(Path("red.bmp")));
    ASSERT_EQ(direct.height, 80);
    // Two Unifont letters of 8 dots: the picture ends with the first panel.
    EXPECT_EQ(direct.width, 16);
    int lit = 0;
    for (int y = 0; y < direct.height; ++y)
        for (int x = 0; x < direct.width; ++x) {
            const std::uint32_t c = direct.At(x, y);
            EXPECT_TRUE(c == 0 || c == 0xFF0000) << x << "," << y << " " << std::hex << c;
            if (c != 0) {
                ++lit;
                EXPECT_LT(y, 16) << x;
            }
        }
    EXPECT_GT(lit, 20);
    // "H": both of its uprights are lit in some rows, the gap between them not.
    bool uprights = false;
    for (int y = 0; y < 16; ++y)
        if (direct.At(1, y) && direct.At(6, y) && !direct.At(3, y)) uprights = true;
    EXPECT_TRUE(uprights);

    // The .png and the .lee hold the same dots.
    for (const char* back : {"red.png", "red.lee"}) {
        const CliRun r = Run({"convert", Path(back), Path("back.bmp")});
        ASSERT_EQ(r.status, 0) << back << r.err;
        EXPECT_EQ(ReadFileBytes(Path("back.bmp")), ReadFileBytes(Path("red.bmp"))) << back;
    }

    // Yellow lights both elements of the same dots.
    Make("yellow.mon", {"X_Edit0=0", "Y_Edit0=0", "MojiEdit0=HI", "Font0.Name=Unifont", "Font0.Height=-16",
                        "Font0.Color=0x00FFFF"});
    ASSERT_EQ(Run({"convert", Path("yellow.mon"), Path("yellow.bmp")}).status, 0);
    const BmpPixels yellow(ReadFileBytes(Path("yellow.bmp")));
    ASSERT_EQ(yellow.pixels.size(), direct.pixels.size());
    for (std::size_t i = 0; i < yellow.pixels.size(); ++i)
        EXPECT_EQ(yellow.pixels[i], direct.pixels[i] ? 0xFFFF00u : 0u) << i;

    // A row beyond the document's 480 columns lights nothing.
    Make("far.mon", {"X_Edit0=500", "Y_Edit0=0", "MojiEdit0=far right", "Font0.Name=Unifont", "Font0.Height=-16"});
    ASSERT_EQ(Run({"convert", Path("far.mon"), Path("far.lee")}).status, 0);
    CliRun r = Run({"convert", Path("far.lee"), Path("far.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("点灯しているドットがない絵"), std::string::npos) << r.err;

    // Picture options apply as for a bitmap; a broken file converts to nothing.
    r = Run({"convert", "--write-no", "3", "--mode", "S", Path("red.mon"), Path("opts.lee")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"convert", Path("opts.lee"), Path("opts.bmp")});
    EXPECT_EQ(ReadFileBytes(Path("opts.bmp")), ReadFileBytes(Path("red.bmp")));
    std::string broken = ReadFileBytes(Path("red.mon"));
    broken[0] = 'm';
    WriteFileBytes(Path("broken.mon"), broken);
    r = Run({"convert", Path("broken.mon"), Path("broken.lee")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "文言ファイルのデータエラー(" + Path("broken.mon") + ")\n");
    EXPECT_FALSE(std::filesystem::exists(Path("broken.lee")));
    r = Run({"convert", Path("red.lee"), Path("red.mon")});
    EXPECT_EQ(r.status, 2);  // a text message file is not written from a picture
}

TEST_F(MongonCli, CheckReadsTheSizeAndTheMarks) {
    const std::string good = Make("good.mon", {"X_Edit0=1", "MojiEdit0=文言"});
    WriteFileBytes(Path("short.mon"), good.substr(0, kTableBytes - 1));  // the marks are still whole
    std::string header = good;
    header[10] = 'S';
    WriteFileBytes(Path("header.mon"), header);
    std::string trailer = good;
    trailer[5540 + 13] = 'X';
    WriteFileBytes(Path("trailer.mon"), trailer);
    WriteFileBytes(Path("longer.mon"), good + "anything after the table");
    WriteFileBytes(Path("table.dat"), good);  // told by its mark
    WriteFileBytes(Path("tiny.mon"), "MONGON");

    const CliRun r = Run({"check", Path("good.mon"), Path("short.mon"), Path("header.mon"), Path("trailer.mon"),
                          Path("longer.mon"), Path("table.dat"), Path("missing.mon"), Path("tiny.mon")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, Path("good.mon") + ": OK\n" +                                                 //
                         Path("short.mon") + ": read エラー  (" + Path("short.mon") + ")\n" +      //
                         Path("header.mon") + ": 文言ファイルのデータエラー(" + Path("header.mon") + ")\n" +
                         Path("trailer.mon") + ": 文言ファイルのデータエラー(" + Path("trailer.mon") + ")\n" +
                         Path("longer.mon") + ": OK\n" + Path("table.dat") + ": OK\n" +  //
                         Path("missing.mon") + ": open エラー (" + Path("missing.mon") + ")\n" +
                         Path("tiny.mon") + ": read エラー  (" + Path("tiny.mon") + ")\n");
    // The short file whose marks are gone says both.
    EXPECT_EQ(r.err, "文言ファイルのデータエラー(" + Path("tiny.mon") + ")\n");
    EXPECT_EQ(Run({"check", Path("good.mon"), Path("longer.mon")}).status, 0);
}

TEST_F(MongonCli, AShortWriteLeavesTheEarlierFileAsItWas) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits are a POSIX matter";
#else
    const std::string earlier = Make("keep.mon", {"MojiEdit0=earlier"});
    // Files beyond 4 KiB cannot be written; the write fails instead of stopping the tool.
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct sigaction ignore = {}, savedAction = {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &savedAction), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const CliRun r = Run({"make", "text", "--set", "MojiEdit0=later", Path("keep.mon")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &savedAction, nullptr);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "エラー write\n");
    EXPECT_EQ(ReadFileBytes(Path("keep.mon")), earlier);
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Dir())) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"keep.mon"}));
#endif
}

}  // namespace
}  // namespace tesslor::test
