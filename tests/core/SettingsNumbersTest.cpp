// The number rules every settings file shares.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/SettingsNumbers.h"

namespace tesslor::test {
namespace {

TEST(SettingsNumbers, CheckNumberTextAcceptsSignedNumbersWithinWidthAndRange) {
    struct Case {
        const char* text;
        int width, min, max;
        int value;
    };
    for (const Case& c : {Case{"100", 5, 10, 60000, 100}, Case{"60000", 5, 10, 60000, 60000},
                          Case{"-99", 3, -99, 99, -99}, Case{"007", 3, 1, 200, 7}, Case{"0", 2, 0, 4, 0},
                          Case{"-0", 2, 0, 4, 0}}) {
        ScriptedPrompter prompter;
        int value = 12345;
        EXPECT_TRUE(CheckNumberText(c.text, c.width, c.min, c.max, "msg", prompter, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_TRUE(prompter.shown.empty()) << c.text;
    }
}

TEST(SettingsNumbers, CheckNumberTextRefusesWithItsMessageOnce) {
    // Empty, too wide, not a whole number, and outside the range each fail the same way.
    struct Case {
        const char* text;
        int width, min, max;
    };
    for (const Case& c : {Case{"", 3, -99, 99}, Case{"-", 3, -99, 99}, Case{"1000", 3, 1, 300},
                          Case{"-100", 3, -99, 99}, Case{"60001", 5, 10, 60000}, Case{"9", 5, 10, 60000},
                          Case{"5", 2, 0, 4}, Case{"1.5", 3, 0, 99}, Case{"+5", 3, 0, 99}, Case{" 5", 3, 0, 99},
                          Case{"5 ", 3, 0, 99}, Case{"1-", 3, -99, 99}, Case{"ａ", 3, 0, 99}}) {
        ScriptedPrompter prompter;
        int value = 42;
        EXPECT_FALSE(CheckNumberText(c.text, c.width, c.min, c.max, "温度 CHK1 MIN エラー", prompter, value))
            << c.text;
        EXPECT_EQ(prompter.shown, std::vector<std::string>{"温度 CHK1 MIN エラー"}) << c.text;
    }
}

TEST(SettingsNumbers, PadValueKeepsTheTextAndFillsInFront) {
    EXPECT_EQ(PadValue("7", 3), "007");
    EXPECT_EQ(PadValue("-5", 3), " -5");
    EXPECT_EQ(PadValue("007", 3), "007");
    EXPECT_EQ(PadValue("100", 5), "00100");
    EXPECT_EQ(PadValue("-99", 3), "-99");
    EXPECT_EQ(PadValue("", 2), "00");
    EXPECT_EQ(PadValue("1234", 3), "1234");
}

TEST(SettingsNumbers, ReadFixedNumberReadsTheUnitsFixedWidthFields) {
    struct Case {
        const char* chars;
        int n;
        int value;
    };
    for (const Case& c : {Case{"  7", 3, 7}, Case{" -5", 3, -5}, Case{"0 5", 3, 5}, Case{"1 2", 3, 1},
                          Case{"00100", 5, 100}, Case{"10,00", 2, 10}, Case{"5-", 2, -5}, Case{"", 3, 0},
                          Case{"x12", 3, 0}, Case{"12x4", 4, 12}, Case{"027\n", 3, 27}, Case{"1\n", 3, 1},
                          Case{"123", 2, 12}, Case{"-", 1, 0}}) {
        EXPECT_EQ(ReadFixedNumber(c.chars, c.n), c.value) << '"' << c.chars << "\" " << c.n;
    }
    // Far more digits than any field holds do not overflow.
    EXPECT_GT(ReadFixedNumber(std::string(40, '9'), 40), 0);
}

}  // namespace
}  // namespace tesslor::test
