#pragma once
// Files as the model reads and writes them. Every writer goes through an
// OutputFile that replaces its target only when committed, so a card that is
// full or pulled never loses the last good file. A save is made of a few
// steps each system gives (create a temporary file, write, flush, rename,
// flush the folder), put together once here for every system; tests swap in
// a FileSystem that fails at any one of them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tesslor {

/// A file being written. Bytes go to a temporary file beside the target;
/// Commit() renames it over the target. Destroying an uncommitted OutputFile
/// removes the temporary file and leaves the target as it was.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    /// Writes the bytes as they are (callers add CR LF themselves). False on failure.
    virtual bool Write(std::string_view bytes) = 0;
    /// Completes the file and puts it in place of the target. False on failure
    /// (the target is then untouched).
    virtual bool Commit() = 0;
};

/// Reads a text file line by line as the C library does in text mode: CR LF
/// becomes LF, a bare LF reads the same, and ReadLine(maxChars) delivers at most
/// maxChars characters (a longer physical line arrives in pieces), exactly like
/// fgets with a buffer of maxChars + 1.
class LineReader {
public:
    LineReader() = default;
    // A reader may read in place from bytes its subclass holds.
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    virtual ~LineReader() = default;
    /// The next line or piece, including its LF when one was reached. False at
    /// the end of the file (or on a read error) before any character was read.
    bool ReadLine(std::string& line, std::size_t maxChars);
    /// The next line as ReadLine gives it, split into its text and whether it
    /// ended in LF, without copying when the line lies whole in the bytes at
    /// hand (then text points into them until the next read); otherwise the
    /// line is read into spare and text points into spare.
    bool ReadLineText(std::string_view& text, bool& lf, std::string& spare, std::size_t maxChars) {
        if (TakeFramedLine(text, maxChars)) {
            lf = true;
            return true;
        }
        return ReadOtherLineText(text, lf, spare, maxChars);
    }

protected:
    /// Puts up to capacity raw bytes into buffer; the count, 0 at the end (or on error).
    virtual std::size_t Fill(char* buffer, std::size_t capacity) = 0;
    /// For a reader over bytes already in memory: lines are read from them in
    /// place, and Fill is never called.
    void ReadInPlace(std::string_view bytes) {
        data_ = bytes.data();
        len_ = bytes.size();
        pos_ = 0;
        atEnd_ = true;
    }

private:
    bool Refill();
    bool ReadOtherLineText(std::string_view& text, bool& lf, std::string& spare, std::size_t maxChars);
    /// A framed line (30 characters, then CR LF) lying whole in the bytes at
    /// hand: nearly every line of the unit's files, taken without a search.
    bool TakeFramedLine(std::string_view& text, std::size_t maxChars) {
        constexpr std::size_t kText = 30;
        if (maxChars <= kText || len_ - pos_ < kText + 2) return false;
        const char* start = data_ + pos_;
        if (start[kText] != '\r' || start[kText + 1] != '\n' || HasLineFeed(start)) return false;
        text = std::string_view(start, kText);
        pos_ += kText + 2;
        return true;
    }
    /// Whether any of the 30 bytes from start is a line feed, eight at a time.
    static bool HasLineFeed(const char* start) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u, kFeeds = 0x0A * kOnes;
        std::uint64_t found = 0;
        // Four overlapping words cover bytes 0 to 29; a zero byte of word ^ kFeeds is a line feed.
        for (const std::size_t at : {std::size_t{0}, std::size_t{8}, std::size_t{16}, std::size_t{22}}) {
            std::uint64_t w;
            std::memcpy(&w, start + at, sizeof w);
            w ^= kFeeds;
            found |= (w - kOnes) & ~w & kHighs;
        }
        return found != 0;
    }
    /// The next line's text when the line, with its LF, lies whole in the
    /// bytes at hand within maxChars; the reader moves past it.
    bool TakeWholeLine(std::string_view& text, std::size_t maxChars);

    static constexpr std::size_t kBufferSize = 16384;
    char buffer_[kBufferSize];
    const char* data_ = buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool atEnd_ = false;
};

/// A new file being written, before it is put anywhere: the raw steps of a save.
class NewFile {
public:
    virtual ~NewFile() = default;  ///< closes the file if Flush() was not called
    /// Writes the bytes as they are. False on failure.
    virtual bool Write(std::string_view bytes) = 0;
    /// Puts every byte written on the medium and closes the file. False on failure.
    virtual bool Flush() = 0;
    /// Closes the file; its bytes may still be on their way to the medium
    /// (FileSystem::FlushAll of its folder puts them there). False on failure.
    virtual bool Close() { return Flush(); }
};

/// The name every temporary file of a save starts with: a scan of the card
/// passes over them, and a card write removes those a stopped one left.
inline constexpr const char* kSavePrefix = ".tesslor-save-";

/// A LineReader over bytes held in memory (tests, fuzzing).
class MemoryLineReader : public LineReader {
public:
    explicit MemoryLineReader(std::string bytes) : bytes_(std::move(bytes)) { ReadInPlace(bytes_); }

protected:
    std::size_t Fill(char*, std::size_t) override { return 0; }

private:
    std::string bytes_;
};

/// One entry of a folder as ListFolder gives it.
struct FolderEntry {
    enum class Type {
        File,         ///< a plain file, or a link to one in the same folder
        Folder,       ///< a subfolder (or a link to one)
        OutsideLink,  ///< a link that leads out of the folder, or nowhere
        Special,      ///< a device, pipe or socket: never opened (reading a pipe waits for ever)
    };
    std::string name;  ///< the bare name, as the file system spells it
    Type type = Type::File;
    std::uintmax_t size = 0;  ///< bytes, for a file
};

/// A LineReader over bytes someone else keeps alive for as long as it reads.
class ViewLineReader : public LineReader {
public:
    explicit ViewLineReader(std::string_view bytes) { ReadInPlace(bytes); }

protected:
    std::size_t Fill(char*, std::size_t) override { return 0; }
};

/// Where files come from and go to.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    /// Starts writing path: a temporary file beside it (CreateTemporary),
    /// which Commit() flushes, renames over path and makes last by flushing
    /// the folder. Null when the file cannot be created, and for a path that
    /// is a folder or a read-only file (never replaced, on any system). A
    /// file system that keeps files elsewhere (in memory) overrides it.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path);

    // The steps a save is made of. A file system that cannot do them says false.

    /// Creates an empty file in target's folder under a name no file has yet,
    /// starting with kSavePrefix, and gives its path. Null when it cannot.
    virtual std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& tempPath) {
        (void)target;
        tempPath.clear();
        return nullptr;
    }
    /// Renames from to to in the same folder, replacing a file to names, in
    /// one step: to names the old file or the new one, never neither.
    virtual bool Rename(const std::string& from, const std::string& to) {
        (void)from;
        (void)to;
        return false;
    }
    /// Removes a file. False when it cannot (or is not there).
    virtual bool Remove(const std::string& path) {
        (void)path;
        return false;
    }
    /// Puts the folder's list of names on the medium, so that a rename or a
    /// removal survives the card being pulled. False on failure.
    virtual bool FlushFolder(const std::string& folder) {
        (void)folder;
        return false;
    }
    /// Puts every file written into folder (closed with NewFile::Close) and
    /// the folder's names on the medium: one flush for many files.
    virtual bool FlushAll(const std::string& folder) { return FlushFolder(folder); }
    /// Whether path names an existing file marked read-only.
    virtual bool IsReadOnly(const std::string& path) {
        (void)path;
        return false;
    }

    /// Opens path for reading. Null when it cannot be opened.
    virtual std::unique_ptr<LineReader> OpenText(const std::string& path) = 0;
    /// Reads the whole file. False when it cannot be read.
    virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
    /// Reads at most maxBytes from the start of the file (fewer when it is
    /// shorter). False when it cannot be read. A file system that can stop
    /// early overrides this; the default reads the whole file and cuts it.
    virtual bool ReadPrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) {
        if (!ReadAll(path, bytes)) return false;
        if (bytes.size() > maxBytes) bytes.resize(maxBytes);
        return true;
    }
    /// Whether path names a file that can be opened. On a folder that does
    /// not tell case apart, another spelling of a file's name names it too.
    virtual bool Exists(const std::string& path) {
        std::string none;
        return ReadPrefix(path, 0, none);
    }
    /// Whether path names an existing folder.
    virtual bool FolderExists(const std::string& path) = 0;
    /// The entries of folder, not of its subfolders, in no particular order.
    /// False when the folder cannot be read. Nothing is opened or followed
    /// out of the folder. A file system that cannot list folders says false.
    virtual bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
        (void)folder;
        entries.clear();
        return false;
    }
};

/// The real file system (paths are UTF-8).
FileSystem& RealFileSystem();

/// Puts a file back as it was before a save being undone: the earlier bytes
/// through a temporary file renamed over path, or no file when there was
/// none; then the folder flushed. Never undoes itself should that fail.
/// False when the file could not be put back.
bool PutBackFile(FileSystem& files, const std::string& path, const std::string* earlier);

/// A save's message for a target that could not be created: message itself,
/// or, for a read-only file, message with the reason after it.
std::string CreateRefusal(FileSystem& files, const std::string& path, const std::string& message);

}  // namespace tesslor
