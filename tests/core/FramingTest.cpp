// The fixed-width framing shared by every file the unit reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FileTestDoc.h"
#include "files/Framing.h"

namespace tesslor::test {
namespace {

const std::string kRead = "no line";
const std::string kMismatch = "different";

TEST(FramingWrite, LinesAreThirtyCharactersAndCrLfInOneWrite) {
    FlakyOutput out;
    ASSERT_TRUE(WriteLine(out, "#DEFINE"));
    EXPECT_EQ(out.bytes, "#DEFINE" + std::string(23, ' ') + "\r\n");
    EXPECT_EQ(out.bytes.size(), 32u);
    EXPECT_EQ(out.writes, 1);

    // Exactly 30 characters get no padding; longer text is kept whole.
    out.bytes.clear();
    ASSERT_TRUE(WriteLine(out, std::string(30, 'x')));
    ASSERT_TRUE(WriteLine(out, std::string(33, 'y')));
    EXPECT_EQ(out.bytes, std::string(30, 'x') + "\r\n" + std::string(33, 'y') + "\r\n");
}

TEST(FramingWrite, HeadAndTailBytes) {
    FlakyOutput out;
    ASSERT_TRUE(WriteFrameHead(out, "$SCHEDULE"));
    ASSERT_TRUE(WriteFrameTail(out));
    EXPECT_EQ(out.bytes, CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE",
                                    "#END_OF_LED_DATA_FILE"},
                                   true));
    EXPECT_EQ(out.writes, 6);
}

TEST(FramingWrite, HeadStopsAtTheFirstFailedLine) {
    for (int failAt = 1; failAt <= 5; ++failAt) {
        FlakyOutput out(failAt);
        EXPECT_FALSE(WriteFrameHead(out, "$NORMAL")) << failAt;
        EXPECT_EQ(out.writes, failAt) << "no line is attempted after the failed one";
        EXPECT_EQ(out.bytes.size(), 32u * (failAt - 1));
    }
    FlakyOutput out(1);
    EXPECT_FALSE(WriteFrameTail(out));
}

TEST(FramingRead, LongLinesArriveInPiecesOfMaxLength) {
    MemoryLineReader in(std::string(70, 'a') + "\r\nb");
    std::string line;
    ASSERT_TRUE(ReadLine(in, line, 31));
    EXPECT_EQ(line, std::string(31, 'a'));
    ASSERT_TRUE(ReadLine(in, line, 31));
    EXPECT_EQ(line, std::string(31, 'a'));
    ASSERT_TRUE(ReadLine(in, line, 31));
    EXPECT_EQ(line, std::string(8, 'a') + "\n");
    ASSERT_TRUE(ReadLine(in, line, 31));
    EXPECT_EQ(line, "b");
    EXPECT_FALSE(ReadLine(in, line, 31));
}

// Lines as fgets gives them in text mode, one character at a time: the rule
// the reader's faster scan must keep, also where a CR LF is split between
// two fills of its buffer.
std::vector<std::string> ReferenceLines(const std::string& bytes, std::size_t maxChars) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string line;
        while (line.size() < maxChars && i < bytes.size()) {
            char c = bytes[i++];
            if (c == '\r' && i < bytes.size() && bytes[i] == '\n') c = bytes[i++];
            line.push_back(c);
            if (c == '\n') break;
        }
        lines.push_back(line);
    }
    return lines;
}

class TrickleReader : public LineReader {
public:
    TrickleReader(std::string bytes, std::size_t step) : bytes_(std::move(bytes)), step_(step) {}

protected:
    std::size_t Fill(char* buffer, std::size_t capacity) override {
        const std::size_t n = std::min({capacity, step_, bytes_.size() - pos_});
        std::copy_n(bytes_.data() + pos_, n, buffer);
        pos_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t step_;
    std::size_t pos_ = 0;
};

TEST(FramingRead, LinesAreTheSameHoweverTheBytesArrive) {
    std::mt19937 random(5);
    const char alphabet[] = {'a', '\r', '\n', ' ', '\x82'};
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 80);
        for (int k = 0; k < length; ++k) bytes.push_back(alphabet[random() % 5]);
        const std::size_t maxChars = 1 + random() % 12;
        for (std::size_t step : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{100}}) {
            TrickleReader in(bytes, step);
            std::vector<std::string> got;
            std::string line;
            while (in.ReadLine(line, maxChars)) got.push_back(line);
            ASSERT_EQ(got, ReferenceLines(bytes, maxChars)) << testing::PrintToString(bytes) << " step " << step;
        }
    }
}

TEST(FramingRead, ExpectKeywordComparesAllThirtyOneCharacters) {
    struct Case {
        const char* name;
        std::string bytes;
        bool matches;
        const char* message;  // nullptr when none
    } cases[] = {
        {"CR LF", "#DEFINE" + std::string(23, ' ') + "\r\n", true, nullptr},
        {"bare LF", "#DEFINE" + std::string(23, ' ') + "\n", true, nullptr},
        {"a blank too few", "#DEFINE" + std::string(22, ' ') + "\r\n", false, "different"},
        {"a blank too many", "#DEFINE" + std::string(24, ' ') + "\r\n", false, "different"},
        {"no padding", "#DEFINE\r\n", false, "different"},
        {"trailing character", "#DEFINEX" + std::string(22, ' ') + "\r\n", false, "different"},
        {"a character in the padding", "#DEFINE" + std::string(22, ' ') + "x\r\n", false, "different"},
        {"a tab in the padding", "#DEFINE\t" + std::string(22, ' ') + "\r\n", false, "different"},
        {"lower case", "#define" + std::string(23, ' ') + "\r\n", false, "different"},
        {"cut by the end of the file", "#DEFINE" + std::string(23, ' '), false, "different"},
        {"CR without LF", "#DEFINE" + std::string(23, ' ') + "\r", false, "different"},
        {"empty file", "", false, "no line"},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        MemoryLineReader in(c.bytes);
        EXPECT_EQ(ExpectKeyword(in, "#DEFINE", kRead, kMismatch, test::Said(prompter)), c.matches) << c.name;
        if (c.message)
            EXPECT_EQ(prompter.shown, std::vector<std::string>{c.message}) << c.name;
        else
            EXPECT_TRUE(prompter.shown.empty()) << c.name;
    }
}

TEST(FramingRead, ExpectKeywordReadsOnlyOneLine) {
    ScriptedPrompter prompter;
    MemoryLineReader in(CrLfLines({"#LED_DATA_FILE", "#DATA_TYPE"}, true));
    EXPECT_TRUE(ExpectKeyword(in, "#LED_DATA_FILE", kRead, kMismatch, test::Said(prompter)));
    EXPECT_FALSE(ExpectKeyword(in, "#LED_DATA_FILE", kRead, kMismatch, test::Said(prompter)));
    EXPECT_FALSE(ExpectKeyword(in, "#LED_DATA_FILE", kRead, kMismatch, test::Said(prompter)));
    EXPECT_EQ(prompter.shown, (std::vector<std::string>{kMismatch, kRead}));
}

}  // namespace
}  // namespace tesslor::test
