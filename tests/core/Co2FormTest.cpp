// The CO2 reduction setting file: the amount check with its messages, the
// bytes written, and the check of a written file.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/MemoryOutputFile.h"
#include "settings/Co2Form.h"
#include "settings/SettingsKinds.h"

namespace tesslor::test {
namespace {

const char* const kRange = "0.0～999,999.9の範囲で入力下さい";
const char* const kDigits = "半角数字で入力して下さい";

TEST(Co2Form, AmountCheckInOrder) {
    struct Case {
        const char *thousands, *units, *tenths;
        const char* message;  // nullptr: passes
        const char* line;     // the setting line when it passes
    } cases[] = {
        {"0", "0", "0", nullptr, "CO2SAKUGENSETEI=00"},  // the thousands "0" is emptied
        {"1", "234", "5", nullptr, "CO2SAKUGENSETEI=12345"},
        {"", "5", "0", nullptr, "CO2SAKUGENSETEI=50"},
        {"", "", "", nullptr, "CO2SAKUGENSETEI="},
        {"999", "999", "9", nullptr, "CO2SAKUGENSETEI=9999999"},
        {"12", "5", "0", kRange, nullptr},    // units need three digits after thousands
        {"1000", "000", "0", kRange, nullptr},
        {"1a", "000", "0", kDigits, nullptr},  // digits before length
        {"１", "000", "0", kDigits, nullptr},  // full-width digits are not half-width
        {"", "1234", "0", kRange, nullptr},
        {"", "12x", "0", kDigits, nullptr},
        {"", "1", "12", kRange, nullptr},
        {"", "1", "-", kDigits, nullptr},
    };
    for (const Case& c : cases) {
        Co2Form form;
        form.SetText("Edit0", c.thousands);
        form.SetText("Edit1", c.units);
        form.SetText("Edit2", c.tenths);
        ScriptedPrompter prompter;
        EXPECT_EQ(form.Check(prompter), c.message == nullptr) << c.thousands << "," << c.units << "," << c.tenths;
        if (c.message) {
            EXPECT_EQ(prompter.shown, std::vector<std::string>{c.message}) << c.thousands << "," << c.units;
            continue;
        }
        MemoryOutputFile out;
        ASSERT_TRUE(form.WriteLines(out, test::Said(prompter)));
        EXPECT_EQ(out.Bytes(), CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$CO2SAKUGENSETEI", "#END_OF_DATA_TYPE",
                                          "#DEFINE", c.line, "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                                         true));
    }
    Co2Form zero;
    ScriptedPrompter prompter;
    ASSERT_TRUE(zero.Check(prompter));
    EXPECT_EQ(zero.Text("Edit0"), "");  // the window shows it emptied
}

TEST(Co2Form, WrittenFilesAreCheckedAgainstTheirFraming) {
    const std::vector<std::string> good = {"#LED_DATA_FILE", "#DATA_TYPE", "$CO2SAKUGENSETEI", "#END_OF_DATA_TYPE",
                                           "#DEFINE", "CO2SAKUGENSETEI=12345", "#END_OF_DEFINE",
                                           "#END_OF_LED_DATA_FILE"};
    auto check = [](const std::string& bytes, std::vector<std::string>& shown) {
        MemoryLineReader in(bytes);
        ScriptedPrompter prompter;
        const bool ok = CheckCo2File(in, test::Said(prompter));
        shown = prompter.shown;
        return ok;
    };
    std::vector<std::string> shown;
    EXPECT_TRUE(check(CrLfLines(good, true), shown));
    {
        MemoryLineReader in(CrLfLines(good, true));
        EXPECT_EQ(SettingsKindOfContent(in), "co2");
    }
    struct Case {
        std::size_t line;
        std::string text;
        const char* message;
    } cases[] = {
        {2, "$SETEI", "このファイルは、CO2削減量設定ファイルでありません"},
        {5, "CO2SAKUGENSETEI=12345678", "エラー　CO2SAKUGENSETEI"},
        {5, "CO2SAKUGENSETEI=12a45", "エラー　CO2SAKUGENSETEI"},
        {5, "$CO2SAKUGENSETEI=12345", "エラー　CO2SAKUGENSETEI"},
        {6, "#END_OF_DEFIN", "エラー　#END_OF_DEFINE"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = good;
        lines[c.line] = c.text;
        EXPECT_FALSE(check(CrLfLines(lines, true), shown)) << c.text;
        EXPECT_EQ(shown, std::vector<std::string>{c.message}) << c.text;
    }
    std::vector<std::string> cut(good.begin(), good.begin() + 6);
    EXPECT_FALSE(check(CrLfLines(cut, true), shown));
    EXPECT_EQ(shown, std::vector<std::string>{"エラー　#END_OF_DEFINE がリード出来ませんでした"});
    // The setting line without its padding is not what the unit's writer makes.
    std::string unpadded = CrLfLines(good, true);
    unpadded.replace(unpadded.find("CO2SAKUGENSETEI=12345"), 30, "CO2SAKUGENSETEI=12345");
    EXPECT_FALSE(check(unpadded, shown));
}

TEST(Co2Form, ReadingGivesTheTextsThatWriteTheSameLine) {
    struct Case {
        const char* digits;
        const char *thousands, *units, *tenths;  // nullptr: the line is refused
    } cases[] = {
        {"", "", "", ""},
        {"5", "", "", "5"},
        {"50", "", "5", "0"},
        {"1234", "", "123", "4"},
        {"12345", "1", "234", "5"},
        {"9999999", "999", "999", "9"},
        // A thousands part "0" would be emptied: its zero goes with the units and the tenths stay empty.
        {"01234", "01", "234", ""},
        {"001234", "00", "123", "4"},
        {"12345678", nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const std::string line = std::string(kCo2Key) + c.digits;
        const std::string bytes = CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$CO2SAKUGENSETEI", "#END_OF_DATA_TYPE",
                                             "#DEFINE", line, "#END_OF_DEFINE", "#END_OF_LED_DATA_FILE"},
                                            true);
        Co2Form form;
        MemoryLineReader in(bytes);
        ScriptedPrompter prompter;
        ASSERT_EQ(form.Open(in, "a.co2", prompter.shown), c.thousands != nullptr) << c.digits;
        if (!c.thousands) {
            EXPECT_EQ(prompter.shown, std::vector<std::string>{"エラー　CO2SAKUGENSETEI"});
            EXPECT_EQ(form.Text("Edit1"), "0");  // nothing taken
            continue;
        }
        EXPECT_TRUE(prompter.shown.empty()) << c.digits;
        EXPECT_EQ(form.Text("Edit0"), c.thousands) << c.digits;
        EXPECT_EQ(form.Text("Edit1"), c.units) << c.digits;
        EXPECT_EQ(form.Text("Edit2"), c.tenths) << c.digits;
        // The window's check passes them unchanged and the writer gives the same bytes.
        ASSERT_TRUE(form.Check(prompter)) << c.digits;
        EXPECT_EQ(form.Text("Edit0"), c.thousands) << c.digits;
        MemoryOutputFile out;
        ASSERT_TRUE(form.WriteLines(out, test::Said(prompter)));
        EXPECT_EQ(out.Bytes(), bytes) << c.digits;
    }
}

}  // namespace
}  // namespace tesslor::test
