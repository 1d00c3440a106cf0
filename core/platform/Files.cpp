#include "platform/Files.h"

#include "platform/Paths.h"
#include "platform/StdioFiles.h"

#include <algorithm>
#include <cstring>

namespace tesslor {

bool LineReader::Refill() {
    if (atEnd_) return false;
    pos_ = 0;
    data_ = buffer_;
    len_ = Fill(buffer_, kBufferSize);
    if (len_ == 0) atEnd_ = true;
    return len_ > 0;
}

bool LineReader::TakeWholeLine(std::string_view& text, std::size_t maxChars) {
    // Most lines end, CR LF or LF, within what is at hand and within maxChars:
    // taken in one go. A CR inside a line stays; only the one before the LF goes.
    if (pos_ >= len_ || maxChars == 0) return false;
    const char* start = data_ + pos_;
    const std::size_t window = std::min(len_ - pos_, maxChars + 1);
    const void* found = std::memchr(start, '\n', window);
    if (!found) return false;
    const auto lf = static_cast<std::size_t>(static_cast<const char*>(found) - start);
    const std::size_t length = lf > 0 && start[lf - 1] == '\r' ? lf - 1 : lf;
    if (length + 1 > maxChars) return false;
    text = std::string_view(start, length);
    pos_ += lf + 1;
    return true;
}

bool LineReader::ReadLine(std::string& line, std::size_t maxChars) {
    line.clear();
    std::string_view whole;
    if (TakeWholeLine(whole, maxChars)) {
        line.assign(whole);
        line.push_back('\n');
        return true;
    }
    while (line.size() < maxChars) {
        if (pos_ == len_ && !Refill()) break;
        // Plain characters up to the next CR or LF, as many as the line still takes, in one go.
        const char* start = data_ + pos_;
        const std::size_t room = std::min(len_ - pos_, maxChars - line.size());
        std::size_t n = room;
        if (const void* lf = std::memchr(start, '\n', n)) n = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
        if (const void* cr = std::memchr(start, '\r', n)) n = static_cast<std::size_t>(static_cast<const char*>(cr) - start);
        if (n > 0) {
            line.append(start, n);
            pos_ += n;
            continue;
        }
        char c = data_[pos_++];
        if (c == '\r') {
            // Text mode: CR LF reads as LF; a CR not followed by LF stays.
            if (pos_ == len_) Refill();
            if (pos_ < len_ && data_[pos_] == '\n') {
                ++pos_;
                c = '\n';
            }
        }
        line.push_back(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

bool LineReader::ReadOtherLineText(std::string_view& text, bool& lf, std::string& spare, std::size_t maxChars) {
    if (TakeWholeLine(text, maxChars)) {
        lf = true;
        return true;
    }
    if (!ReadLine(spare, maxChars)) return false;
    lf = spare.back() == '\n';
    text = std::string_view(spare.data(), spare.size() - (lf ? 1 : 0));
    return true;
}

namespace {

class FileLineReader : public LineReader {
public:
    explicit FileLineReader(std::FILE* f) : f_(f) {}
    ~FileLineReader() override { std::fclose(f_); }

protected:
    std::size_t Fill(char* buffer, std::size_t capacity) override { return std::fread(buffer, 1, capacity, f_); }

private:
    std::FILE* f_;
};

// A save put together from the steps of a file system: the bytes go to a
// temporary file beside the target, which Commit() flushes, renames over the
// target and makes last by flushing the folder. At any failure the temporary
// file goes and the target keeps its earlier bytes.
class AtomicSave : public OutputFile {
public:
    AtomicSave(FileSystem& files, std::string target, std::string temp, std::unique_ptr<NewFile> file)
        : files_(files), target_(std::move(target)), temp_(std::move(temp)), file_(std::move(file)) {}
    ~AtomicSave() override {
        if (renamed_) return;
        file_.reset();
        files_.Remove(temp_);
    }

    bool Write(std::string_view bytes) override {
        if (failed_ || !file_) return false;
        if (!file_->Write(bytes)) failed_ = true;
        return !failed_;
    }

    bool Commit() override {
        if (failed_ || !file_) return false;
        const bool flushed = file_->Flush();
        file_.reset();
        if (!flushed) {
            failed_ = true;
            return false;
        }
        // The earlier bytes, to put back should the new name not reach the card.
        std::string earlier;
        const bool hadEarlier = files_.ReadAll(target_, earlier);
        if (!files_.Rename(temp_, target_)) {
            failed_ = true;
            return false;
        }
        renamed_ = true;
        if (files_.FlushFolder(FolderOfFile(target_))) return true;
        // A save reported as failed leaves what was there before it.
        failed_ = true;
        PutBackFile(files_, target_, hadEarlier ? &earlier : nullptr);
        return false;
    }

private:
    FileSystem& files_;
    std::string target_;
    std::string temp_;
    std::unique_ptr<NewFile> file_;
    bool failed_ = false;
    bool renamed_ = false;
};

}  // namespace

std::unique_ptr<OutputFile> FileSystem::Create(const std::string& path) {
    if (path.empty() || FolderExists(path) || IsReadOnly(path)) return nullptr;
    std::string temp;
    std::unique_ptr<NewFile> file = CreateTemporary(path, temp);
    if (!file) return nullptr;
    return std::make_unique<AtomicSave>(*this, path, std::move(temp), std::move(file));
}

bool PutBackFile(FileSystem& files, const std::string& path, const std::string* earlier) {
    bool ok = true;
    if (!earlier) {
        ok = files.Remove(path);
    } else {
        std::string temp;
        std::unique_ptr<NewFile> file = files.CreateTemporary(path, temp);
        ok = file && file->Write(*earlier) && file->Flush();
        file.reset();
        ok = ok && files.Rename(temp, path);
        if (!ok && !temp.empty()) files.Remove(temp);
    }
    return files.FlushFolder(FolderOfFile(path)) && ok;
}

std::string CreateRefusal(FileSystem& files, const std::string& path, const std::string& message) {
    if (!files.IsReadOnly(path)) return message;
    return message + "（" + FileNamePart(path) + " は読み取り専用のため書き換えません）";
}

std::unique_ptr<LineReader> StdioFileSystem::OpenText(const std::string& path) {
    std::FILE* f = OpenToRead(path);
    if (!f) return nullptr;
    return std::make_unique<FileLineReader>(f);
}

bool StdioFileSystem::ReadAll(const std::string& path, std::string& bytes) {
    return ReadPrefix(path, static_cast<std::size_t>(-1), bytes);
}

bool StdioFileSystem::ReadPrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::FILE* f = OpenToRead(path);
    if (!f) return false;
    char buf[65536];
    std::size_t n;
    while (bytes.size() < maxBytes && (n = std::fread(buf, 1, std::min(sizeof buf, maxBytes - bytes.size()), f)) > 0)
        bytes.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace tesslor
