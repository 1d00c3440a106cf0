#include "settings/Co2Form.h"

#include <algorithm>

#include "files/Framing.h"

namespace tesslor {

namespace {
bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
}  // namespace

Co2Form::Co2Form()
    : SettingsForm({{"Edit0", FieldKind::Edit, ""}, {"Edit1", FieldKind::Edit, ""}, {"Edit2", FieldKind::Edit, ""}}) {
    for (const char* name : {"Edit0", "Edit1", "Edit2"}) SetText(name, "0");
}

bool Co2Form::Check(Prompter& prompter) {
    auto fail = [&prompter](const char* message) {
        prompter.Inform(message);
        return false;
    };
    const std::string thousands = Text("Edit0");
    bool withThousands = !thousands.empty();
    if (withThousands) {
        if (!AllDigits(thousands)) return fail(kCo2DigitsMessage);
        if (thousands.size() > 3) return fail(kCo2RangeMessage);
        if (thousands == "0") {
            SetText("Edit0", "");
            withThousands = false;
        }
    }
    const std::string& units = Text("Edit1");
    if (!AllDigits(units)) return fail(kCo2DigitsMessage);
    if (withThousands ? units.size() != 3 : units.size() > 3) return fail(kCo2RangeMessage);
    const std::string& tenths = Text("Edit2");
    if (!AllDigits(tenths)) return fail(kCo2DigitsMessage);
    if (tenths.size() > 1) return fail(kCo2RangeMessage);
    return true;
}

bool Co2Form::WriteLines(OutputFile& out, Prompter&) const {
    return WriteFrameHead(out, "$CO2SAKUGENSETEI") &&
           WriteLine(out, "CO2SAKUGENSETEI=" + Text("Edit0") + Text("Edit1") + Text("Edit2")) &&
           WriteLine(out, "#END_OF_DEFINE") && WriteFrameTail(out);
}

bool Co2Form::Open(LineReader&, const std::string&, Prompter&) { return false; }

}  // namespace tesslor
