#pragma once
// What every reader's fuzz target shares: a prompter that stays silent, and the
// round trip that whatever a reader accepts must survive.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/StartupConfig.h"
#include "files/MemoryOutputFile.h"
#include "platform/Files.h"
#include "platform/Prompter.h"

namespace tesslor::fuzz {

/// Swallows messages; questions get the answer given at construction.
class SilentPrompter : public Prompter {
public:
    explicit SilentPrompter(bool answer = false) : answer_(answer) {}
    void Inform(const std::string&) override {}
    bool Confirm(const std::string&) override { return answer_; }
    bool Ask(const std::string&) override { return answer_; }

private:
    bool answer_;
};

/// Every write number a file may carry (the root user's range).
inline bool AnyWriteNo(const std::string& text, int& n) { return CheckWriteNo(text, "root", n); }

/// Runs a picture reader that gives its message back: a message exactly when
/// it failed, or the reader is broken.
template <class Reader, class Doc>
bool ReadPicture(Reader reader, Doc& doc, LineReader& in) {
    std::string message;
    const bool ok = reader(doc, in, AnyWriteNo, message);
    if (ok != message.empty()) __builtin_trap();
    return ok;
}

/// Reads the bytes into target; when the reader accepts them, what is written
/// must read back into copy and write out again to the very same bytes.
/// read(doc, LineReader&, Prompter&) and write(const doc&, OutputFile&) are the
/// format's reader and writer; clear() empties a document before reading.
template <class Doc, class Read, class Write, class Clear>
void CheckRoundTrip(const std::uint8_t* data, std::size_t size, Doc& target, Doc& copy, Prompter& prompter,
                    Read read, Write write, Clear clear) {
    clear(target);
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    if (!read(target, in, prompter)) return;
    MemoryOutputFile first;
    if (!write(target, first)) __builtin_trap();
    clear(copy);
    MemoryLineReader again(first.Bytes());
    if (!read(copy, again, prompter)) __builtin_trap();
    MemoryOutputFile second;
    if (!write(copy, second) || second.Bytes() != first.Bytes()) __builtin_trap();
}

}  // namespace tesslor::fuzz
