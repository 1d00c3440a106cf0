#include "SettingsCommands.h"

#include <fstream>
#include <memory>

#include "CliCommands.h"
#include "settings/SettingsKinds.h"

namespace tesslor::cli {

namespace {

// A usage error of the settings commands: said once, exit 2.
int Usage(std::ostream& err, const std::string& why) {
    err << "tesslor-cli: " << why << '\n';
    return kExitUsage;
}

std::string YesOrNo(const std::string& name, const std::string& value) {
    return name + " は yes か no で指定して下さい（「" + value + "」は使えません）";
}

std::string NoWindOnlyMode(const std::string& kind) { return kind + " のファイルには風速回転灯専用設定がありません"; }

// Applies one NAME=VALUE. The lines `show` prints besides the controls
// ("kind=", "wind-only=") are taken too, so its output feeds back unchanged.
// Returns "" or why the assignment cannot be taken.
std::string Assign(SettingsForm& form, const std::string& assignment) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos) return "「" + assignment + "」は 名前=値 の形ではありません";
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (name == "kind")
        return value == form.Kind() ? "" : value + " の内容では " + form.Kind() + " のファイルは作れません";
    if (name == "wind-only") {
        if (value != "yes" && value != "no") return YesOrNo("wind-only", value);
        return SetWindOnlyMode(form, value == "yes") ? "" : NoWindOnlyMode(form.Kind());
    }
    const FieldInfo* field = form.Find(name);
    if (!field) return form.Kind() + " の画面に「" + name + "」という項目はありません";
    const bool box = field->Kind == FieldKind::CheckBox || field->Kind == FieldKind::RadioButton;
    if (box && value != "yes" && value != "no") return YesOrNo(name, value);
    std::string problem;
    form.SetValue(name, value, problem);
    return problem;
}

// The NAME=VALUE lines of a file; blank lines are skipped, CR LF taken as LF.
bool AssignmentsOfFile(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return true;
}

// The kind of the file at path; nothing (with why) when it cannot be told.
std::optional<std::string> KindOfFile(const std::string& path) {
    std::unique_ptr<LineReader> in = RealFileSystem().OpenText(path);
    if (!in) return std::nullopt;
    return SettingsKindOfContent(*in);
}

}  // namespace

bool ExpandAssignments(const std::vector<FormAssignment>& given, std::vector<std::string>& assignments,
                       std::string& why) {
    for (const FormAssignment& a : given) {
        if (!a.fromFile) {
            assignments.push_back(a.text);
        } else if (!AssignmentsOfFile(a.text, assignments)) {
            why = "--set-file " + a.text + " が読めません";
            return false;
        }
    }
    return true;
}

int RunMake(const MakeOptions& options, std::ostream& err) {
    std::unique_ptr<SettingsForm> form = NewSettingsForm(options.kind);
    if (!form) return Usage(err, "「" + options.kind + "」という種類はありません");
    if (!options.from.empty() && !form->CanOpen())
        return Usage(err, options.kind + " の画面はファイルを開かないので --from は使えません");
    if (options.windOnly && !HasWindOnlyMode(*form)) return Usage(err, NoWindOnlyMode(options.kind));

    // Every assignment is looked at before anything is opened or written: a
    // misspelt name is the caller's mistake, whatever the files hold.
    std::vector<std::string> assignments;
    if (std::string why; !ExpandAssignments(options.assignments, assignments, why)) return Usage(err, why);
    {
        std::unique_ptr<SettingsForm> probe = NewSettingsForm(options.kind);
        for (const std::string& a : assignments)
            if (std::string why = Assign(*probe, a); !why.empty()) return Usage(err, why);
    }

    StreamPrompter prompter(err);
    std::vector<std::string> said;
    if (!options.from.empty() && !ShowAll(prompter, OpenSettingsFile(*form, RealFileSystem(), options.from, said), said))
        return kExitFailed;
    if (options.standard) form->Standard();
    if (options.windOnly) SetWindOnlyMode(*form, true);
    for (const std::string& a : assignments) Assign(*form, a);
    if (!form->Check(prompter)) return kExitFailed;
    return form->WriteFile(options.output, prompter) ? kExitOk : kExitFailed;
}

int RunShow(const std::string& path, std::ostream& out, std::ostream& err) {
    StreamPrompter prompter(err);
    std::unique_ptr<LineReader> probe = RealFileSystem().OpenText(path);
    if (!probe) {
        prompter.Inform(path + "オープンエラー");
        return kExitFailed;
    }
    // A file that names no settings type is read as settings 1, whose reader says what is wrong.
    // A CO2 file, which its window never opens, reads into the texts that would write it.
    const std::string kind = SettingsKindOfContent(*probe).value_or("settings1");
    std::unique_ptr<SettingsForm> form = NewSettingsForm(kind);
    if (!form) return Usage(err, path + " は表示できる設定ファイルではありません");
    std::vector<std::string> said;
    if (!ShowAll(prompter, OpenSettingsFile(*form, RealFileSystem(), path, said), said)) return kExitFailed;
    out << "kind=" << kind << '\n';
    for (const FieldInfo& f : form->Fields()) out << f.Name << '=' << form->Value(f.Name).value_or("") << '\n';
    for (const auto& [name, value] : form->ModeValues()) out << name << '=' << value << '\n';
    out << std::flush;
    return kExitOk;
}

bool IsSettingsFile(const std::string& path) { return KindOfFile(path).has_value(); }

bool CheckSettingsFile(const std::string& path, bool& ok, std::string& message) {
    const std::optional<std::string> kind = KindOfFile(path);
    if (!kind) return false;
    std::vector<std::string> said;
    if (*kind == "co2") {
        std::unique_ptr<LineReader> in = RealFileSystem().OpenText(path);
        std::string fault;
        ok = in && CheckCo2File(*in, fault);
        if (!fault.empty()) said.push_back(fault);
    } else {
        std::unique_ptr<SettingsForm> form = NewSettingsForm(*kind);
        ok = form && OpenSettingsFile(*form, RealFileSystem(), path, said);
    }
    // A good open may still say something (a settings 3 file's "読み込み完了"); only a failure has a message to report.
    message = ok || said.empty() ? "" : said.front();
    if (!ok && message.empty()) message = "読み込めませんでした";
    return true;
}

}  // namespace tesslor::cli
