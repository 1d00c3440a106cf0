#pragma once
// The commands of tesslor-cli as plain functions over the core: read a file
// into the document, apply settings as the main window would, write or render
// it. main.cpp only turns the command line into calls of these.
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/StartupConfig.h"
#include "led/PictureDots.h"
#include "platform/Prompter.h"

namespace tesslor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  ///< a reader, writer or check reported a failure
inline constexpr int kExitUsage = 2;   ///< the command line itself is wrong

/// A prompter that also says how many messages it has shown.
class CountingPrompter : public Prompter {
public:
    std::size_t Count() const { return count_; }

protected:
    std::size_t count_ = 0;
};

/// Prints each message on its own line (the editor's exact text, UTF-8).
/// Confirmations and questions answer Yes: nothing in the tool holds unsaved
/// work that a No could protect.
class StreamPrompter : public CountingPrompter {
public:
    explicit StreamPrompter(std::ostream& out) : out_(out) {}
    void Inform(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool Ask(const std::string& text) override;

private:
    std::ostream& out_;
};

/// Keeps the messages instead of printing them; answers Yes.
class RecordingPrompter : public CountingPrompter {
public:
    void Inform(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool Ask(const std::string& text) override;
    std::vector<std::string> shown;
};

/// A code of the document's insertion and position tables as the command line
/// writes it: "none" for the blank code, else the code letter.
std::string CodeWord(char code);
/// The reverse colours as the command line writes them, by the document's
/// index: red, green, yellow.
const std::vector<std::string>& ReverseColorWords();

/// The configuration: the file at configPath, or the one beside the executable
/// when configPath is "". A missing file or key gives the editor's defaults.
StartupConfig LoadConfig(const std::string& configPath);

/// Settings given on the command line; an absent one keeps what the input carried.
struct ConvertOptions {
    std::optional<std::string> writeNo;   ///< as typed into the write number box
    std::optional<char> displayMode;      ///< a display-mode code
    std::optional<char> sounyuuMoji;      ///< an insertion code, ' ' for none
    std::optional<char> sounyuuIti;       ///< a position code, ' ' for none
    std::optional<std::string> niniIti;   ///< as typed into the arbitrary position box
    std::optional<int> reverseColor;      ///< index 0 赤, 1 緑, 2 黄
};

/// Reads input (a picture, or a text message file whose rows are drawn as
/// 表示データ作成 does), applies the options, writes output. Messages go to err.
/// Returns kExitOk, kExitFailed (a check, reader or writer failed; output is
/// then not written) or kExitUsage (unknown extension).
int RunConvert(const StartupConfig& config, const std::string& input, const std::string& output,
               const ConvertOptions& options, std::ostream& err);

/// Writes dots as a picture to output (.lee, .led, .bmp or .png) as convert
/// writes one, with the settings of options (the write number, checked by
/// customer mode). Returns as RunConvert does.
int WritePicture(const StartupConfig& config, const PictureDots& dots, const std::string& output,
                 const ConvertOptions& options, std::ostream& err);

/// Reads each file with the reader of its kind and prints "path: OK" or
/// "path: <first message>" to out. Returns kExitFailed when any file failed.
int RunCheck(const StartupConfig& config, const std::vector<std::string>& files, std::ostream& out,
             std::ostream& err);

/// `show` of an LED data file: reads it as the editor's open does and prints
/// "kind=picture" and its settings, one per line, in the words of convert's
/// options: writeno= (two digits, as the editor shows it), mode=, insert=, position=,
/// nini=, reverse=. Returns 0, or 1 after the reader's message on err.
int RunShowPicture(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err);

/// `show` of a file that is no text message file and no perform list:
/// settings, schedule and CO2 files told by their content, pictures (.lee) and
/// animation data files (.ana) by their name; a ".txt" or ".co2" file of no
/// kind goes to the settings reader, which says what is wrong. Any other file
/// is refused with what it is. Returns 0, or 1 when refused or read with a failure.
int RunShowFile(const StartupConfig& config, const std::string& path, std::ostream& out, std::ostream& err);

enum class RenderView { Normal, Reversed, Strip, Demo };

/// Reads input, lays it out as the demo does (magnification 80) and saves the
/// chosen rendering as a bitmap. Returns kExitOk, kExitFailed or kExitUsage.
int RunRender(const StartupConfig& config, RenderView view, const std::string& input, const std::string& output,
              std::ostream& err);

}  // namespace tesslor::cli
