// tesslor-cli: converts, checks and renders the display unit's picture files
// from the command line, through the same core as the editor.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>
#include <map>

#include "CliCommands.h"
#include "led/Tables.h"

using namespace tesslor;
using namespace tesslor::cli;

namespace {

// Command-line words for the codes of one of the document's tables (a blank
// code is "none"), and a help text naming each entry as the editor's list does.
struct Choices {
    std::map<std::string, char> codes;
    std::vector<std::string> words;
    std::string help;
};

Choices FromTable(const char* what, const CodeName* table) {
    Choices c;
    c.help = what;
    for (std::size_t i = 0; i < TableLength(table); ++i) {
        std::string word = table[i].code == ' ' ? "none" : std::string(1, table[i].code);
        c.codes[word] = table[i].code;
        c.words.push_back(word);
        c.help += (i == 0 ? ": " : ", ") + word + " " + table[i].name;
    }
    return c;
}

// The code of a word given on the command line; nothing when it was not given.
std::optional<char> Lookup(const Choices& choices, const std::string& word) {
    if (word.empty()) return std::nullopt;
    return choices.codes.at(word);
}

}  // namespace

int main(int argc, char** argv) {
    const Choices modes = FromTable("display mode", kDisplayModeTable);
    const Choices inserts = FromTable("inserted text", kSounyuuMojiTable);
    const Choices positions = FromTable("insertion position", kSounyuuItiTable);
    const std::map<std::string, int> colours{{"red", 0}, {"green", 1}, {"yellow", 2}};
    const std::map<std::string, RenderView> views{
        {"normal", RenderView::Normal}, {"reversed", RenderView::Reversed}, {"strip", RenderView::Strip}};

    CLI::App app{"tesslor-cli: converts, checks and renders LED display pictures (.lee, .led, .bmp, .png)",
                 "tesslor-cli"};
    app.set_version_flag("--version", std::string("tesslor-cli ") + TESSLOR_VERSION);
    app.require_subcommand(1);

    std::string configPath;
    auto addConfig = [&configPath](CLI::App* sub) {
        sub->add_option("--config", configPath,
                        "configuration file ([Led], [User], [DriveRoots]); default: the .INI beside the program")
            ->check(CLI::ExistingFile);
    };

    // convert
    CLI::App* convert = app.add_subcommand("convert", "read INPUT, apply the settings given, write OUTPUT");
    addConfig(convert);
    std::string writeNo, mode, insert, position, nini, reverse, input, output;
    CLI::Option* writeNoOpt = convert->add_option("--write-no", writeNo, "write number, checked by customer mode");
    convert->add_option("--mode", mode, modes.help)->check(CLI::IsMember(modes.words));
    convert->add_option("--insert", insert, inserts.help)->check(CLI::IsMember(inserts.words));
    convert->add_option("--position", position, positions.help)->check(CLI::IsMember(positions.words));
    CLI::Option* niniOpt = convert->add_option("--nini", nini, "arbitrary insertion position, dot column 0 to 479");
    convert->add_option("--reverse", reverse, "colour of the reversed modes: red 赤, green 緑, yellow 黄")
        ->check(CLI::IsMember(std::vector<std::string>{"red", "green", "yellow"}));
    convert->add_option("INPUT", input, "picture to read (.lee, .led, .bmp, .png)")->required();
    convert->add_option("OUTPUT", output, "file to write (.lee, .led, .bmp, .png)")->required();

    // check
    CLI::App* check = app.add_subcommand("check", "read each file and report OK or the reader's message");
    addConfig(check);
    std::vector<std::string> files;
    check->add_option("FILE", files, "files to check (.lee, .led, .bmp, .png)")->required();

    // render
    CLI::App* render = app.add_subcommand("render", "render INPUT as the demo shows it and save it as a bitmap");
    addConfig(render);
    std::string view, renderInput, renderOutput;
    render->add_option("--view", view, "the demo's view: normal, reversed or the scrolling strip")
        ->required()
        ->check(CLI::IsMember(std::vector<std::string>{"normal", "reversed", "strip"}));
    render->add_option("INPUT", renderInput, "picture to read (.lee, .led, .bmp, .png)")->required();
    render->add_option("OUTPUT", renderOutput, "image to write (.bmp, .png)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version are answers, not errors; everything else is a usage error.
        int rc = app.exit(e, std::cout, std::cerr);
        return rc == 0 ? kExitOk : kExitUsage;
    }

    try {
        StartupConfig config = LoadConfig(configPath);
        if (convert->parsed()) {
            ConvertOptions options;
            if (*writeNoOpt) options.writeNo = writeNo;
            options.displayMode = Lookup(modes, mode);
            options.sounyuuMoji = Lookup(inserts, insert);
            options.sounyuuIti = Lookup(positions, position);
            if (*niniOpt) options.niniIti = nini;
            if (!reverse.empty()) options.reverseColor = colours.at(reverse);
            return RunConvert(config, input, output, options, std::cerr);
        }
        if (check->parsed()) return RunCheck(config, files, std::cout, std::cerr);
        return RunRender(config, views.at(view), renderInput, renderOutput, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tesslor-cli: " << e.what() << '\n';
        return kExitFailed;
    }
}
