#pragma once
// A window test that needs a screen of its own size runs itself again, alone,
// in a process whose only screen is that size.

namespace tesslor::test {

/// True when this process's screen is width x height (the test goes on
/// here); otherwise runs the one test named (a --gtest_filter) in a new
/// process with such a screen, expects it to pass, and returns false.
bool OnScreenOf(int width, int height, const char* test);

}  // namespace tesslor::test
