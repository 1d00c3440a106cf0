#include "platform/Files.h"

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

bool LineReader::ReadLine(std::string& line, std::size_t maxChars) {
    line.clear();
    // Most lines end, CR LF or LF, within what is at hand and within maxChars:
    // taken in one go. A CR inside a line stays; only the one before the LF goes.
    if (pos_ < len_ && maxChars > 0) {
        const char* start = data_ + pos_;
        const std::size_t window = std::min(len_ - pos_, maxChars + 1);
        if (const void* found = std::memchr(start, '\n', window)) {
            const auto lf = static_cast<std::size_t>(static_cast<const char*>(found) - start);
            const std::size_t text = lf > 0 && start[lf - 1] == '\r' ? lf - 1 : lf;
            if (text + 1 <= maxChars) {
                line.assign(start, text);
                line.push_back('\n');
                pos_ += lf + 1;
                return true;
            }
        }
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

}  // namespace

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
