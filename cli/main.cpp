// tesslor-cli: converts, checks and renders the display unit's picture files
// from the command line, through the same core as the editor.
//
// Each subcommand is two functions and one line of main's table:
//   CLI::App* AddXCommand(CLI::App& app, XArgs& args)  registers it, its options bound into args;
//   int RunXCommand(const XArgs& args)                  runs it once the command line is parsed.
#include <CLI/CLI.hpp>

#include <exception>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

#include "AnimationCommands.h"
#include "CardCommands.h"
#include "CliCommands.h"
#include "ImportCommands.h"
#include "PerformCommands.h"
#include "SettingsCommands.h"
#include "TextCommands.h"
#include "app/Drives.h"
#include "platform/ConfigLocation.h"
#include "led/Tables.h"
#include "makers/AnimationList.h"
#include "settings/SettingsKinds.h"

#ifdef _WIN32
// windows.h first, then the shell's header.
#include "text/WideNames.h"
#include <shellapi.h>
#endif

using namespace tesslor;
using namespace tesslor::cli;

namespace {

// ---- words of the command line ----

// Command-line words for the codes of one of the document's tables (a blank
// code is "none"), and a help text naming each entry as the editor's list does.
struct CodeChoices {
    std::map<std::string, char> codes;
    std::vector<std::string> words;
    std::string help;
};

CodeChoices FromTable(const char* what, const CodeName* table) {
    CodeChoices c;
    c.help = what;
    for (std::size_t i = 0; i < TableLength(table); ++i) {
        std::string word = CodeWord(table[i].code);
        c.codes[word] = table[i].code;
        c.words.push_back(word);
        c.help += (i == 0 ? ": " : ", ") + word + " " + table[i].name;
    }
    return c;
}

const CodeChoices& DisplayModeChoices() {
    static const CodeChoices choices = FromTable("display mode", kDisplayModeTable);
    return choices;
}

const CodeChoices& SounyuuMojiChoices() {
    static const CodeChoices choices = FromTable("inserted text", kSounyuuMojiTable);
    return choices;
}

const CodeChoices& SounyuuItiChoices() {
    static const CodeChoices choices = FromTable("insertion position", kSounyuuItiTable);
    return choices;
}

// The code of a word given on the command line; nothing when it was not given.
std::optional<char> Lookup(const CodeChoices& choices, const std::string& word) {
    if (word.empty()) return std::nullopt;
    return choices.codes.at(word);
}

// Words that stand for values, in the order the help lists them.
template <class T>
using WordList = std::vector<std::pair<std::string, T>>;

template <class T>
std::vector<std::string> WordsOf(const WordList<T>& list) {
    std::vector<std::string> words;
    for (const auto& [word, value] : list) words.push_back(word);
    return words;
}

// The value of a word that the option's check has already accepted.
template <class T>
T ValueOf(const WordList<T>& list, const std::string& word) {
    for (const auto& [w, value] : list)
        if (w == word) return value;
    throw std::out_of_range("no value for \"" + word + "\"");
}

// The document's reverse colours by their index.
WordList<int> ReverseColorWordList() {
    WordList<int> list;
    for (std::size_t i = 0; i < ReverseColorWords().size(); ++i)
        list.emplace_back(ReverseColorWords()[i], static_cast<int>(i));
    return list;
}
const WordList<int> kReverseColorWords = ReverseColorWordList();
const WordList<RenderView> kRenderViewWords{
    {"normal", RenderView::Normal}, {"reversed", RenderView::Reversed}, {"strip", RenderView::Strip},
    {"demo", RenderView::Demo}};

#ifdef TESSLOR_NO_QT
// What the Windows build lacks, at the end of its help.
const char* const kWindowsLacks =
    "This Windows build lacks: PNG pictures (convert and render take and write .bmp only), pictures drawn "
    "from text message files (convert INPUT.mon), and animated GIFs (render --view demo and --view animation).";
#endif

// The animation demo's frames, rendered from a list rather than a picture.
const char* const kAnimationView = "animation";

// The configuration read when --config is not given: the .INI beside the
// program when it exists, else the user's, else the system's; "" when the
// program's own path is unknown (LoadConfig then gives the defaults).
std::string DefaultConfigPath() {
    const std::string exe = ExecutablePath();
    if (exe.empty()) return "";
    return ChooseConfigFile(ConfigFilePathFor(exe), UserConfigFolder(), SystemConfigFolder());
}

// Every subcommand takes the configuration file.
void AddConfigOption(CLI::App& sub, std::string& configPath) {
    configPath = DefaultConfigPath();
    sub.add_option("--config", configPath,
#ifdef _WIN32
                   "configuration file ([Led], [User]); default: the .INI beside the program, "
                   "else %APPDATA%\\Tesslor\\tesslor.INI")
#else
                   "configuration file ([Led], [User], [DriveRoots]); default: the .INI beside the program, "
                   "else ~/.config/Tesslor/tesslor.INI, else /etc/tesslor.INI")
#endif
        ->check(CLI::ExistingFile);
}

// ---- convert ----

struct ConvertArgs {
    std::string configPath;
    std::string writeNo, mode, insert, position, nini, reverse, input, output;
    // Given at all: an empty write number is still one typed.
    const CLI::Option* writeNoOption = nullptr;
    const CLI::Option* niniOption = nullptr;
};

CLI::App* AddConvertCommand(CLI::App& app, ConvertArgs& args) {
    CLI::App* sub = app.add_subcommand("convert", "read INPUT, apply the settings given, write OUTPUT");
    AddConfigOption(*sub, args.configPath);
    args.writeNoOption = sub->add_option("--write-no", args.writeNo, "write number, checked by customer mode");
    sub->add_option("--mode", args.mode, DisplayModeChoices().help)
        ->check(CLI::IsMember(DisplayModeChoices().words));
    sub->add_option("--insert", args.insert, SounyuuMojiChoices().help)
        ->check(CLI::IsMember(SounyuuMojiChoices().words));
    sub->add_option("--position", args.position, SounyuuItiChoices().help)
        ->check(CLI::IsMember(SounyuuItiChoices().words));
    args.niniOption = sub->add_option("--nini", args.nini, "arbitrary insertion position, dot column 0 to 479");
    sub->add_option("--reverse", args.reverse, "colour of the reversed modes: red 赤, green 緑, yellow 黄")
        ->check(CLI::IsMember(WordsOf(kReverseColorWords)));
    sub->add_option("INPUT", args.input,
                    "picture to read (.lee, .led, .bmp, .png), or a text message file (.mon) whose rows are drawn "
                    "as 表示データ作成 does")
        ->required();
    sub->add_option("OUTPUT", args.output, "file to write (.lee, .led, .bmp, .png)")->required();
    return sub;
}

int RunConvertCommand(const ConvertArgs& args) {
    StartupConfig config = LoadConfig(args.configPath);
    ConvertOptions options;
    if (*args.writeNoOption) options.writeNo = args.writeNo;
    options.displayMode = Lookup(DisplayModeChoices(), args.mode);
    options.sounyuuMoji = Lookup(SounyuuMojiChoices(), args.insert);
    options.sounyuuIti = Lookup(SounyuuItiChoices(), args.position);
    if (*args.niniOption) options.niniIti = args.nini;
    if (!args.reverse.empty()) options.reverseColor = ValueOf(kReverseColorWords, args.reverse);
    return RunConvert(config, args.input, args.output, options, std::cerr);
}

// ---- check ----

struct CheckArgs {
    std::string configPath;
    std::vector<std::string> files;
};

CLI::App* AddCheckCommand(CLI::App& app, CheckArgs& args) {
    CLI::App* sub = app.add_subcommand("check", "read each file and report OK or the reader's message");
    AddConfigOption(*sub, args.configPath);
    sub->add_option("FILE", args.files, "files to check (.lee, .led, .bmp, .png, settings files, .mon, .alt, .ana, Perform.txt)")
        ->required();
    return sub;
}

int RunCheckCommand(const CheckArgs& args) {
    return RunCheck(LoadConfig(args.configPath), args.files, std::cout, std::cerr);
}

// ---- render ----

struct RenderArgs {
    std::string configPath;
    std::string view, input, output;
};

CLI::App* AddRenderCommand(CLI::App& app, RenderArgs& args) {
    CLI::App* sub = app.add_subcommand("render", "render INPUT as the demo shows it and save it as a bitmap");
    AddConfigOption(*sub, args.configPath);
    std::vector<std::string> views = WordsOf(kRenderViewWords);
    views.push_back(kAnimationView);
    sub->add_option("--view", args.view,
                    "the demo's view: normal, reversed, the scrolling strip, demo (the demo as it plays, as an "
                    "animated .gif), or animation (the animation demo's frames of the list INPUT)")
        ->required()
        ->check(CLI::IsMember(views));
    sub->add_option("INPUT", args.input, "picture to read (.lee, .led, .bmp, .png); with --view animation, a list (.alt)")
        ->required();
    sub->add_option("OUTPUT", args.output,
                    "image to write (.bmp, .png; .gif for --view demo); with --view animation, \"%d\" in the name "
                    "writes one image per frame, and a .gif plays the frames as the animation demo does")
        ->required();
    return sub;
}

int RunRenderCommand(const RenderArgs& args) {
    if (args.view == kAnimationView) return RunRenderAnimation(LoadConfig(args.configPath), args.input, args.output, std::cerr);
    return RunRender(LoadConfig(args.configPath), ValueOf(kRenderViewWords, args.view), args.input, args.output,
                     std::cerr);
}

// ---- make ----

// The kinds make writes: the settings windows' and the text message editor's.
const std::vector<std::string>& MakeKindNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = SettingsKindNames();
        n.push_back(kTextKind);
        return n;
    }();
    return names;
}

struct MakeArgs {
    std::string configPath;
    MakeOptions options;
    std::vector<std::string> sets, setFiles;
    const CLI::App* sub = nullptr;
    const CLI::Option* setOption = nullptr;
    const CLI::Option* setFileOption = nullptr;
};

CLI::App* AddMakeCommand(CLI::App& app, MakeArgs& args) {
    CLI::App* sub = app.add_subcommand(
        "make",
        "fill a settings window (settings1, settings2, settings3, co2, schedule) or the text message editor (text) "
        "as given, check it and write OUTPUT");
    args.sub = sub;
    AddConfigOption(*sub, args.configPath);
    sub->add_option("KIND", args.options.kind, "settings1, settings2, settings3, co2, schedule or text")
        ->required()
        ->check(CLI::IsMember(MakeKindNames()));
    sub->add_option("--from", args.options.from, "open FILE first, as the window's 開く does");
    sub->add_flag("--standard", args.options.standard, "press 標準設定 (settings kinds)");
    sub->add_flag("--wind-only", args.options.windOnly, "switch the wind-only lamp mode on (settings1, settings2)");
    args.setOption = sub->add_option("--set", args.sets,
                                     "NAME=VALUE: a control of the window and its value (yes/no for boxes; text: "
                                     "X_Edit0, Y_Edit0, MojiEdit0, Font0.Size, … as `show` prints them)")
                         ->allow_extra_args(false);
    args.setFileOption =
        sub->add_option("--set-file", args.setFiles, "a file of NAME=VALUE lines (as `show` prints them)")
            ->allow_extra_args(false);
    sub->add_option("OUTPUT", args.options.output, "settings file or text message file (.mon) to write")->required();
    return sub;
}

int RunMakeCommand(const MakeArgs& args) {
    // The assignments take effect in the order they were given on the command line.
    MakeOptions options = args.options;
    std::size_t set = 0, setFile = 0;
    for (const CLI::Option* opt : args.sub->parse_order()) {
        if (opt == args.setOption && set < args.sets.size()) options.assignments.push_back({false, args.sets[set++]});
        if (opt == args.setFileOption && setFile < args.setFiles.size())
            options.assignments.push_back({true, args.setFiles[setFile++]});
    }
    if (options.kind == kTextKind) return RunMakeText(LoadConfig(args.configPath), options, std::cerr);
    return RunMake(options, std::cerr);
}

// ---- show ----

struct ShowArgs {
    std::string configPath;
    std::string file;
};

CLI::App* AddShowCommand(CLI::App& app, ShowArgs& args) {
    CLI::App* sub = app.add_subcommand(
        "show", "open a settings file, a CO2 file, a text message file, Perform.txt, a picture (.lee) or an "
                "animation data file (.ana) and print kind=KIND and its values as NAME=VALUE (a perform list as "
                "EntryN=NAME)");
    AddConfigOption(*sub, args.configPath);
    sub->add_option("FILE", args.file,
                    "settings file, .co2, text message file (.mon), Perform.txt, .lee or .ana to open")
        ->required();
    return sub;
}

int RunShowCommand(const ShowArgs& args) {
    // Text message files are told by their mark (or, when that is broken, by their name).
    if (IsTextMessageFile(args.file)) return RunShowText(LoadConfig(args.configPath), args.file, std::cout, std::cerr);
    // A perform list is a list of names, not a settings file, whatever its ".txt" says.
    if (IsPerformFile(args.file)) return RunShowPerform(args.file, std::cout, std::cerr);
    return RunShowFile(LoadConfig(args.configPath), args.file, std::cout, std::cerr);
}

// ---- animate ----

const WordList<int> kAnimationTypeWords{{"super", kAnimationSuper}, {"normal", kAnimationNormal}};

struct AnimateArgs {
    std::string configPath;
    std::string type, writeNo, time;
    AnimateOptions options;
    const CLI::Option* writeNoOption = nullptr;
    const CLI::Option* timeOption = nullptr;
};

CLI::App* AddAnimateCommand(CLI::App& app, AnimateArgs& args) {
    CLI::App* sub = app.add_subcommand(
        "animate", "save an animation list LIST and its data file (.ana): LIST re-saved, or a new one of the PICTUREs");
    AddConfigOption(*sub, args.configPath);
    sub->add_option("--type", args.type, "animation type: super スーパー (default) or normal ノーマル")
        ->check(CLI::IsMember(WordsOf(kAnimationTypeWords)));
    args.writeNoOption = sub->add_option("--write-no", args.writeNo, "write number as typed (super 1-6, normal 1-20)");
    args.timeOption = sub->add_option("--time", args.time, "display time of one picture in 10 ms (1-9999; default 10)");
    sub->add_option("LIST", args.options.list, "list file to save (.alt; the .ana goes beside it)")->required();
    sub->add_option("PICTURE", args.options.pictures, "pictures (.lee) of one folder, in play order");
    return sub;
}

int RunAnimateCommand(const AnimateArgs& args) {
    AnimateOptions options = args.options;
    if (!args.type.empty()) options.type = ValueOf(kAnimationTypeWords, args.type);
    if (*args.writeNoOption) options.writeNo = args.writeNo;
    if (*args.timeOption) options.time = args.time;
    return RunAnimate(options, std::cerr);
}

// ---- perform ----

struct PerformArgs {
    std::string configPath;
    PerformOptions options;
};

CLI::App* AddPerformCommand(CLI::App& app, PerformArgs& args) {
    CLI::App* sub = app.add_subcommand(
        "perform", "write \"Perform.txt\" in the folder of the listed files: PERFORM's lines, then each FILE added");
    AddConfigOption(*sub, args.configPath);
    sub->add_option("--from", args.options.from, "start from the lines of this \"Perform.txt\", as 開く loads them, or from what `show` printed of one");
    sub->add_option("FILE", args.options.files,
                    "files of one folder to add in order (.lee, .ana, .txt, .co2; they need not exist yet)");
    return sub;
}

int RunPerformCommand(const PerformArgs& args) { return RunPerform(args.options, std::cerr); }

// ---- the table of subcommands ----

// A registered subcommand and what runs it once it was the one parsed.
struct Subcommand {
    CLI::App* app;
    std::function<int()> run;
};

// ---- card ----

struct CardArgs {
    std::string configPath;
    std::string folder, source, card;
    bool force = false;
    bool dryRun = false;
    std::string writeNo = "keep";
    std::vector<std::string> files;
    CLI::App* check = nullptr;
    CLI::App* add = nullptr;
};

CLI::App* AddCardCommand(CLI::App& app, CardArgs& args) {
    CLI::App* sub =
        app.add_subcommand("card", "check a whole card, write a prepared folder onto a card, or add files to one");
    sub->require_subcommand(1);
    args.check = sub->add_subcommand(
        "check", "print every file of FOLDER (NAME, KIND, STATUS, SUMMARY, tab-separated) and the findings across "
                 "them (エラー or 注意); exit 1 when a file the unit reads fails or there is an エラー");
    AddConfigOption(*args.check, args.configPath);
    args.check->add_option("FOLDER", args.folder, "the card's folder (normally a drive's root)")->required();
    CLI::App* write = sub->add_subcommand(
        "write", "check SOURCE, then write every file of a known kind that differs onto CARD as one change: "
                 "all of them staged and read back before any file of the card is replaced, Perform.txt last; "
                 "a full card is left as it was; refused when SOURCE has an エラー");
    AddConfigOption(*write, args.configPath);
    write->add_flag("--force", args.force, "write even when SOURCE has an エラー");
    write->add_flag("--dry-run", args.dryRun,
                    "write nothing; print what the write would do to each file, NAME<TAB>新規|置き換え|同じ|カードのみ, "
                    "in byte order of the names");
    write->add_option("SOURCE", args.source, "the prepared folder")->required();
    write->add_option("CARD", args.card, "the card's folder")->required();
    args.add = sub->add_subcommand(
        "add", "copy each FILE onto CARD whole and list its name at the end of CARD/Perform.txt (made when missing, "
               "never listed twice), as one change; a missing or refused FILE or a name over 30 bytes changes nothing");
    AddConfigOption(*args.add, args.configPath);
    args.add
        ->add_option("--write-no", args.writeNo,
                     "keep: copy pictures as they are (default); auto: a picture whose write number another picture "
                     "on the card uses gets the lowest free number in its card copy")
        ->check(CLI::IsMember({"keep", "auto"}));
    args.add->add_option("CARD", args.card, "the card's folder")->required();
    args.add->add_option("FILE", args.files, "the files to add")->required();
    return sub;
}

int RunCardCommand(const CardArgs& args) {
    const StartupConfig config = LoadConfig(args.configPath);
    if (args.check->parsed()) return RunCardCheck(config, args.folder, std::cout, std::cerr);
    if (args.add->parsed())
        return RunCardAdd(config, args.card, args.files, args.writeNo == "auto", std::cout, std::cerr);
    if (args.dryRun) return RunCardPlan(config, args.source, args.card, std::cout, std::cerr);
    return RunCardWrite(config, args.source, args.card, args.force, std::cout, std::cerr);
}

// ---- import ----

struct ImportCommandArgs {
    std::string configPath;
    std::string colour = "auto";
    std::string dither = "none";
    ImportArgs import;
    std::string writeNo;
    CLI::Option* writeNoOption = nullptr;
};

CLI::App* AddImportCommand(CLI::App& app, ImportCommandArgs& args) {
    CLI::App* sub = app.add_subcommand(
        "import", "put any image (PNG, JPEG, GIF, BMP, …) onto the board: OUTPUT .lee takes the image (a GIF's first "
                  "frame); OUTPUT .alt takes every frame of an animated GIF as NAME_01.lee, … with the list and its "
                  ".ana; a broken or missing INPUT writes nothing");
    AddConfigOption(*sub, args.configPath);
    ImportOptions& o = args.import.options;
    sub->add_option("--color", args.colour,
                    "auto: the board's own colours from the image's (default); red, green, orange: one colour by "
                    "brightness")
        ->check(CLI::IsMember({"auto", "red", "green", "orange"}));
    sub->add_option("--threshold", o.threshold, "T, 0 to 255 (default 128)")->check(CLI::Range(0, 255));
    sub->add_flag("--invert", o.invert, "reverse each test: lit where the image is dark");
    sub->add_option("--dither", args.dither, "none (default), ordered (4x4 Bayer) or diffusion (Floyd-Steinberg)")
        ->check(CLI::IsMember({"none", "ordered", "diffusion"}));
    sub->add_flag("--fit", o.fit, "scale to the enabled panel rows and 480 columns, keeping the aspect");
    sub->add_option("--x", o.x, "the image's left dot column on the board (default 0)")
        ->check(CLI::Range(-kMaxImportSide, kMaxImportSide));
    sub->add_option("--y", o.y, "the image's top dot row on the board (default 0)")
        ->check(CLI::Range(-kMaxImportSide, kMaxImportSide));
    args.writeNoOption =
        sub->add_option("--write-no", args.writeNo, "the picture's write number (or the animation's), checked by customer mode");
    sub->add_option("INPUT", args.import.input, "the image to read")->required();
    sub->add_option("OUTPUT", args.import.output, "the picture (.lee) or animation list (.alt) to write")->required();
    return sub;
}

int RunImportCommand(const ImportCommandArgs& args) {
    ImportArgs import = args.import;
    const std::map<std::string, ImportColour> colours{{"auto", ImportColour::Auto},
                                                      {"red", ImportColour::Red},
                                                      {"green", ImportColour::Green},
                                                      {"orange", ImportColour::Orange}};
    const std::map<std::string, ImportDither> dithers{
        {"none", ImportDither::None}, {"ordered", ImportDither::Ordered}, {"diffusion", ImportDither::Diffusion}};
    import.options.colour = colours.at(args.colour);
    import.options.dither = dithers.at(args.dither);
    if (*args.writeNoOption) import.writeNo = args.writeNo;
    return RunImport(LoadConfig(args.configPath), import, std::cerr);
}

// Registers one subcommand with its own arguments, kept alive by its runner.
template <class Args>
Subcommand Register(CLI::App& app, CLI::App* (*add)(CLI::App&, Args&), int (*run)(const Args&)) {
    auto args = std::make_shared<Args>();
    return {add(app, *args), [args, run] { return run(*args); }};
}

#ifdef _WIN32
// Windows gives main() its arguments in the ANSI code page: they are taken
// wide and made UTF-8, as every name is inside the program.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 0; i < count; ++i) args.push_back(Utf8Of(wide[i]));
    LocalFree(wide);
    return args;
}

// Japanese text on a Windows console: UTF-8 while the tool runs, the
// console's own code page again afterwards. Output to a file or a pipe is
// UTF-8 in any case.
struct ConsoleInUtf8 {
    ConsoleInUtf8() : previous(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~ConsoleInUtf8() {
        std::cout.flush();
        std::cerr.flush();
        if (previous != 0) SetConsoleOutputCP(previous);
    }
    UINT previous;
};
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    ConsoleInUtf8 console;
    std::vector<std::string> utf8 = Utf8Arguments();
    std::vector<char*> utf8Argv;
    for (std::string& a : utf8) utf8Argv.push_back(a.data());
    utf8Argv.push_back(nullptr);
    if (!utf8.empty()) {
        argc = static_cast<int>(utf8.size());
        argv = utf8Argv.data();
    }
#endif
    CLI::App app{"tesslor-cli: converts, checks and renders LED display pictures (.lee, .led, .bmp, .png) and "
                 "makes settings files, text message files (.mon), animations (.alt, .ana) and perform lists "
                 "(Perform.txt)",
                 "tesslor-cli"};
    app.set_version_flag("--version", std::string("tesslor-cli ") + TESSLOR_VERSION);
#ifdef TESSLOR_NO_QT
    app.footer(kWindowsLacks);
#endif
    app.require_subcommand(1);

    // In the order the help lists them.
    const Subcommand subcommands[] = {
        Register(app, AddConvertCommand, RunConvertCommand),
        Register(app, AddCheckCommand, RunCheckCommand),
        Register(app, AddRenderCommand, RunRenderCommand),
        Register(app, AddMakeCommand, RunMakeCommand),
        Register(app, AddShowCommand, RunShowCommand),
        Register(app, AddAnimateCommand, RunAnimateCommand),
        Register(app, AddPerformCommand, RunPerformCommand),
        Register(app, AddCardCommand, RunCardCommand),
        Register(app, AddImportCommand, RunImportCommand),
    };

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version are answers, not errors; everything else is a usage error.
        int rc = app.exit(e, std::cout, std::cerr);
        return rc == 0 ? kExitOk : kExitUsage;
    }

    try {
        for (const Subcommand& sub : subcommands)
            if (sub.app->parsed()) return sub.run();
        return kExitUsage;  // require_subcommand(1) lets no other case through
    } catch (const std::exception& e) {
        std::cerr << "tesslor-cli: " << e.what() << '\n';
        return kExitFailed;
    }
}
