// Feeds arbitrary bytes to the settings 3 reader. Whatever it opens must write
// out, open again to the very same window contents and write the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "settings/Setei3Form.h"

namespace {

bool SameValues(const tesslor::Setei3Form& a, const tesslor::Setei3Form& b) {
    for (const tesslor::FieldInfo& f : a.Fields())
        if (a.Value(f.Name) != b.Value(f.Name)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tesslor;
    std::vector<std::string> said;
    std::string message;
    Setei3Form form;
    MemoryLineReader in(std::string(reinterpret_cast<const char*>(data), size));
    if (!form.Open(in, "fuzz", said)) return 0;

    MemoryOutputFile first;
    if (!form.WriteLines(first, message)) __builtin_trap();
    Setei3Form copy;
    MemoryLineReader again(first.Bytes());
    if (!copy.Open(again, "fuzz", said) || !SameValues(form, copy)) __builtin_trap();
    MemoryOutputFile second;
    if (!copy.WriteLines(second, message) || second.Bytes() != first.Bytes()) __builtin_trap();
    return 0;
}
