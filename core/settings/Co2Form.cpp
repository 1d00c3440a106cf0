#include "settings/Co2Form.h"

#include <algorithm>
#include <vector>

#include "files/Framing.h"

namespace tesslor {

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<FieldInfo> Co2FieldInfos() {
    std::vector<FieldInfo> fields;
    for (const Co2Field& f : kCo2Fields) fields.push_back({f.Name, FieldKind::Edit, ""});
    return fields;
}

// The most digits of the setting line: every part full.
constexpr std::size_t MaxAmountDigits() {
    std::size_t n = 0;
    for (const Co2Field& f : kCo2Fields) n += f.MaxDigits;
    return n;
}

}  // namespace

Co2Form::Co2Form(FileSystem& files) : SettingsForm(Co2FieldInfos(), files) {
    for (const Co2Field& f : kCo2Fields) SetText(f.Name, f.Initial);
}

bool Co2Form::Check(Prompter& prompter) {
    auto fail = [&prompter](const char* message) {
        prompter.Inform(message);
        return false;
    };
    bool earlier = false;
    for (const Co2Field& f : kCo2Fields) {
        const std::string text = Text(f.Name);
        if (!AllDigits(text)) return fail(kCo2DigitsMessage);
        if (text.size() > f.MaxDigits) return fail(kCo2RangeMessage);
        if (f.FullAfterEarlier && earlier && text.size() != f.MaxDigits) return fail(kCo2RangeMessage);
        if (f.ZeroMeansNone && text == "0") {
            SetText(f.Name, "");
            continue;
        }
        earlier = earlier || !text.empty();
    }
    return true;
}

bool Co2Form::WriteLines(OutputFile& out, std::string&) const {
    std::string line = kCo2Key;
    for (const Co2Field& f : kCo2Fields) line += Text(f.Name);
    return WriteFrameHead(out, "$CO2SAKUGENSETEI") && WriteLine(out, line) && WriteLine(out, "#END_OF_DEFINE") &&
           WriteFrameTail(out);
}

bool Co2Form::SetAmount(std::string_view digits) {
    if (digits.size() > MaxAmountDigits() || !AllDigits(digits)) return false;
    // Each part from the last takes up to its digits from the right; the last
    // part may be left empty (skip = 1) so that the first never reads "0".
    auto split = [&](std::size_t skipLast, std::array<std::string, kCo2Fields.size()>& parts) {
        std::size_t end = digits.size();
        for (std::size_t i = kCo2Fields.size(); i-- > 0;) {
            const std::size_t take =
                (i + 1 == kCo2Fields.size() && skipLast) ? 0 : std::min(end, kCo2Fields[i].MaxDigits);
            parts[i] = std::string(digits.substr(end - take, take));
            end -= take;
        }
        return end == 0;
    };
    std::array<std::string, kCo2Fields.size()> parts;
    bool fits = split(0, parts);
    if (fits && kCo2Fields[0].ZeroMeansNone && parts[0] == "0") fits = split(1, parts);
    if (!fits) return false;
    for (std::size_t i = 0; i < kCo2Fields.size(); ++i) SetText(kCo2Fields[i].Name, parts[i]);
    return true;
}

bool Co2Form::Open(LineReader& in, const std::string&, std::vector<std::string>& said) {
    struct Keyword {
        const char* keyword;
        const char* mismatch;
    };
    const Keyword head[] = {{"#LED_DATA_FILE", "エラー　#LED_DATA_FILE"},
                            {"#DATA_TYPE", "エラー　#DATA_TYPE"},
                            {"$CO2SAKUGENSETEI", "このファイルは、CO2削減量設定ファイルでありません"},
                            {"#END_OF_DATA_TYPE", "エラー　#END_OF_DATA_TYPE"},
                            {"#DEFINE", "エラー　#DEFINE"}};
    auto expect = [&](const Keyword& k) {
        std::string message;
        if (ExpectKeyword(in, k.keyword, std::string("エラー　") + k.keyword + " がリード出来ませんでした", k.mismatch,
                          message))
            return true;
        said.push_back(message);
        return false;
    };
    for (const Keyword& k : head)
        if (!expect(k)) return false;

    std::string line;
    const std::string key = kCo2Key;
    if (!ReadLine(in, line, kFramedReadLength)) {
        said.push_back("エラー　CO2SAKUGENSETEI がリード出来ませんでした");
        return false;
    }
    // The amount: digits up to the padding, which must be the writer's.
    std::size_t digits = 0;
    while (digits < line.size() - std::min(line.size(), key.size()) && line[key.size() + digits] >= '0' &&
           line[key.size() + digits] <= '9')
        ++digits;
    const std::string expected = PadFramed(line.substr(0, std::min(line.size(), key.size() + digits))) + "\n";
    if (!StartsWith(line, key) || line != expected || !SetAmount(std::string_view(line).substr(key.size(), digits))) {
        said.push_back("エラー　CO2SAKUGENSETEI");
        return false;
    }
    return expect({"#END_OF_DEFINE", "エラー　#END_OF_DEFINE"}) &&
           expect({"#END_OF_LED_DATA_FILE", "エラー　#END_OF_LED_DATA_FILE"});
}

}  // namespace tesslor
