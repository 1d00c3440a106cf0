#pragma once
// Test doubles shared by the core and CLI tests: a surface that records calls,
// a prompter and a file chooser that follow a script, a file system that fails
// at a chosen write, and a scratch folder.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompter.h"
#include "platform/Surface.h"

namespace tesslor::test {

/// Records every call as a line of text ("Ellipse 22,14,30,22") and keeps a
/// pixel map for SetPixel/GetPixel, so tests can check what was drawn.
class RecordingSurface : public DrawingSurface {
public:
    void SetBrushColor(Rgb c) override;
    void SetPen(Rgb c, int width) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb fg, Rgb bg) override;
    void SetPixel(int x, int y, Rgb c) override;
    Rgb GetPixel(int x, int y) const override;
    void SetSize(int w, int h) override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }

    std::vector<std::string> calls;
    Rgb brush{}, pen{};
    int penWidth = 1;
    void ClearCalls() { calls.clear(); }
    /// Calls whose text starts with prefix.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

private:
    int width_ = 0, height_ = 0;
    std::map<std::pair<int, int>, Rgb> pixels_;
};

/// Answers questions from a script (true = Yes) and records every text shown,
/// in order. An unscripted question fails the test and answers No.
class ScriptedPrompter : public Prompter {
public:
    void Inform(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool Ask(const std::string& text) override;
    /// Takes the next of saveChoices; an unscripted one fails the test and is キャンセル.
    SaveChoice AskSave(const std::string& text) override;

    /// The last text shown; "" and a failed test when none was (never a read past the end).
    std::string LastShown() const;

    std::deque<bool> answers;
    std::deque<SaveChoice> saveChoices;
    std::vector<std::string> shown;
    /// Runs when a message is shown, while it would be on screen.
    std::function<void(const std::string&)> onInform;
};

/// Where a reader or writer gives its message back (a std::string&): the
/// message, when there is one, is recorded in p.shown as if it had been shown
/// once the call is over. Use as CheckCo2File(in, Said(p)).
class Said {
public:
    explicit Said(ScriptedPrompter& p) : p_(p) {}
    ~Said() {
        if (!message_.empty()) p_.shown.push_back(message_);
    }
    Said(const Said&) = delete;
    Said& operator=(const Said&) = delete;
    operator std::string&() { return message_; }

private:
    ScriptedPrompter& p_;
    std::string message_;
};

/// Returns scripted paths (nothing = Cancel) and records each request.
class ScriptedFileChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileDialogRequest& request) override;
    /// Takes the next entry of manyScript when there is one, else of script.
    std::optional<std::vector<std::string>> ChooseMany(const FileDialogRequest& request) override;

    std::deque<std::optional<std::string>> script;
    std::deque<std::optional<std::vector<std::string>>> manyScript;
    std::vector<FileDialogRequest> requests;
};

/// The real file system, failing at a chosen step of a save. The steps are
/// counted over every file: making a temporary file ("create"), each Write
/// ("write"), Flush ("flush"), Close ("close"), Rename ("rename"),
/// FlushFolder ("folder-flush") and FlushAll ("flush-all"); steps lists them
/// in order. failAtStep (1-based) fails
/// that step, failAtWrite the n-th Write only, failCreate every create,
/// failCommit every Flush (the first step of completing a file); 0 and false
/// never fail. Removals and reads always pass.
class FailingFileSystem : public FileSystem {
public:
    std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& tempPath) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override { return RealFileSystem().Remove(path); }
    bool FlushFolder(const std::string& folder) override;
    bool FlushAll(const std::string& folder) override;
    bool IsReadOnly(const std::string& path) override { return RealFileSystem().IsReadOnly(path); }
    std::unique_ptr<LineReader> OpenText(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReadPrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        return RealFileSystem().ReadPrefix(path, maxBytes, bytes);
    }
    bool FolderExists(const std::string& path) override { return RealFileSystem().FolderExists(path); }
    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        return RealFileSystem().ListFolder(folder, entries);
    }

    /// Counts a step of the given kind; false when it is the one to fail.
    bool Step(const char* kind);

    int failAtStep = 0;
    int failAtWrite = 0;
    bool failCreate = false;
    bool failCommit = false;
    int writes = 0;
    std::vector<std::string> steps;
};

/// Every file of a folder (not its subfolders) with its bytes, by name.
std::map<std::string, std::string> FolderContents(const std::string& folder);

/// Whether the folder keeps A and a as two files (Linux folders do; Windows
/// and Wine folders, like FAT and exFAT cards, fold case).
bool FolderTellsCaseApart(const std::string& folder);

/// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    /// The UTF-8 path of name in the folder, on every system.
    std::string Path(const std::string& name) const { return Utf8OfPath(dir_ / PathOfUtf8(name)); }
    const std::filesystem::path& Dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

/// Writes an LED data file (.lee) with the given write number and one dot of
/// colour (1 red, 2 green, 3 yellow) at dot column x, row y.
void WriteTestPicture(const std::string& path, const std::string& writeNo, int x, int y, std::uint8_t colour);
/// Writes a perform list naming names, one padded line each.
void WritePerformList(const std::string& path, const std::vector<std::string>& names);

/// Sets (or, for a null value, removes) an environment variable for the life
/// of the object, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

/// Joins lines with CR LF after each, each padded with blanks to 30 characters
/// when pad is true: the bytes a framed file is made of.
std::string CrLfLines(const std::vector<std::string>& lines, bool pad);

}  // namespace tesslor::test
