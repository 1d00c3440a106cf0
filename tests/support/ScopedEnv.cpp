// Environment variables for one test. Apart from TestSupport.cpp: Windows'
// own header, needed here for wide names, renames things the drawing
// interfaces also use.
#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include "text/WideNames.h"
#endif

#include "TestSupport.h"

namespace tesslor::test {

namespace {
void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    // Wide, as the program reads it; an empty value removes the variable.
    _wputenv_s(WideOf(name).c_str(), WideOf(value ? value : "").c_str());
#else
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
#endif
}
}  // namespace

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
#ifdef _WIN32
    if (const wchar_t* old = _wgetenv(WideOf(name).c_str())) old_ = Utf8Of(old);
#else
    if (const char* old = std::getenv(name)) old_ = old;
#endif
    SetEnvironment(name, value);
}

ScopedEnv::~ScopedEnv() { SetEnvironment(name_, old_ ? old_->c_str() : nullptr); }

}  // namespace tesslor::test
