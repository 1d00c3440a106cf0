#pragma once
// The code tables of the picture's display settings, in the order of the
// editor's lists. Each is a constant array of (code, name) pairs ending with a
// terminator entry.
#include <cstddef>

namespace tesslor {

struct CodeName {
    char code;
    const char* name;  ///< UTF-8; nullptr in the terminator
};

extern const CodeName kDisplayModeTable[];   ///< A 標準 … M 上段逆スクロール 下段点滅１
extern const CodeName kSounyuuMojiTable[];   ///< ' ' 挿入なし … D 距離挿入
extern const CodeName kSounyuuItiTable[];    ///< ' ' 位置指定なし … c 下段任意
extern const char* const kColorNames[];      ///< 赤, 緑, 黄, then nullptr

/// Entries before the terminator.
std::size_t TableLength(const CodeName* table);
/// Index of code by linear search; false when absent.
bool FindCode(const CodeName* table, char code, int& index);

}  // namespace tesslor
