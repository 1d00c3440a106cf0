#include "TextCommands.h"

#include <memory>
#include <string_view>

#include "CliCommands.h"
#include "led/Ledhyoujiki.h"
#include "makers/MongonForm.h"
#include "makers/MongonTable.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Paths.h"

namespace tesslor::cli {

namespace {

int Usage(std::ostream& err, const std::string& why) {
    err << "tesslor-cli: " << why << '\n';
    return kExitUsage;
}

// The start of a text message file: the header text and the NUL that ends it.
constexpr std::string_view kMark("MONGON TBL\0", 11);

// Applies one NAME=VALUE as the operator would type or choose it. "kind=text",
// the first line `show` prints, is taken too, so its output feeds back
// unchanged. Returns "" or why the assignment cannot be taken.
std::string Assign(MongonForm& form, const std::string& assignment) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string::npos) return "「" + assignment + "」は 名前=値 の形ではありません";
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);
    if (name == "kind") return value == form.Kind() ? "" : "「" + value + "」の内容は文言ファイルに入れられません";
    if (!form.Value(name)) return "文言編集に「" + name + "」という項目はありません";
    // Every box of the editor is one line; a line break would also split the
    // line `show` prints into two assignments.
    if (value.find_first_of("\r\n") != std::string::npos) return name + ": 1行の欄に改行は入れられません";
    std::string problem;
    if (!form.SetValue(name, value, problem)) return problem;
    return "";
}

// The save dialog of the tool: it answers with the path given on the command line.
class GivenPathChooser : public FileChooser {
public:
    explicit GivenPathChooser(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> Choose(const FileDialogRequest&) override { return path_; }

private:
    std::string path_;
};

// Reads path with the editor's 開く; true only when the rows came from it and
// nothing was said (a short file says "read エラー  (path)" and still loads).
bool OpenQuietly(MongonForm& form, CountingPrompter& prompter, const std::string& path) {
    const std::size_t before = prompter.Count();
    return form.ReadFile(path, prompter) && prompter.Count() == before;
}

}  // namespace

bool HasTextMessageMark(const std::string& path) {
    std::string start;
    if (!RealFileSystem().ReadPrefix(path, kMark.size(), start)) return false;
    return start == kMark;
}

bool IsTextMessageFile(const std::string& path) {
    return LowerExtension(path) == "mon" || HasTextMessageMark(path);
}

int RunMakeText(const StartupConfig& config, const MakeOptions& options, std::ostream& err) {
    if (options.standard) return Usage(err, "文言編集には標準設定がないため、--standard は使えません");
    if (options.windOnly) return Usage(err, "文言ファイルには --wind-only で選ぶ点灯モードがありません");

    // Every assignment is looked at before anything is opened or written.
    std::vector<std::string> assignments;
    if (std::string why; !ExpandAssignments(options.assignments, assignments, why)) return Usage(err, why);
    {
        MongonForm probe(config.NanSyoku, config.TateMaisuu);
        for (const std::string& a : assignments)
            if (std::string why = Assign(probe, a); !why.empty()) return Usage(err, why);
    }

    StreamPrompter prompter(err);
    MongonForm form(config.NanSyoku, config.TateMaisuu);
    // As 開く in the window: a file that cannot be opened or whose marks are
    // wrong stops here with its message; a short one with its marks says so
    // and goes on with what it held.
    if (!options.from.empty() && !form.ReadFile(options.from, prompter)) return kExitFailed;
    for (const std::string& a : assignments) Assign(form, a);
    GivenPathChooser chooser(options.output);
    FileDialog saveDialog(chooser, kMongonSaveDialog);
    return form.SaveMongonFileAs(FormDialogs{nullptr, &saveDialog, ""}, prompter) ? kExitOk : kExitFailed;
}

int RunShowText(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err) {
    StreamPrompter prompter(err);
    MongonForm form(config.NanSyoku, config.TateMaisuu);
    if (!OpenQuietly(form, prompter, path)) return kExitFailed;
    out << "kind=" << form.Kind() << '\n';
    for (const std::string& name : form.FieldNames()) out << name << '=' << form.Value(name).value_or("") << '\n';
    out << std::flush;
    return kExitOk;
}

bool CheckTextMessageFile(const std::string& path, bool& ok, std::string& message, std::ostream& err) {
    if (!IsTextMessageFile(path)) return false;
    std::vector<std::string> said;
    MongonTable table;
    bool shortRead = false;
    const MongonReadResult result = ReadMongonFile(RealFileSystem(), path, table, said, &shortRead);
    ok = result == MongonReadResult::kRead && !shortRead;
    message = ok || said.empty() ? "" : said.front();
    if (!ok && message.empty()) message = "読み込めませんでした";
    // A short file with wrong marks says both; the second still reaches the operator.
    for (std::size_t i = 1; i < said.size(); ++i) err << said[i] << '\n';
    return true;
}

bool ReadWholeTextMessageFile(DocumentFiles& files, const std::string& path, MongonTable& table) {
    bool shortRead = false;
    std::vector<std::string> said;
    const MongonReadResult result = ReadMongonFile(files.Files(), path, table, said, &shortRead);
    ShowAll(files.Messages(), true, said);
    return result == MongonReadResult::kRead && !shortRead;
}

}  // namespace tesslor::cli
