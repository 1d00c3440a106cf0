#include "led/Tables.h"

namespace tesslor {

const CodeName kDisplayModeTable[] = {
    {'A', "標準"},
    {'B', "反転"},
    {'C', "点滅１"},
    {'D', "点滅２"},
    {'S', "スクロール"},
    {'R', "逆スクロール"},
    {'J', "上段スクロール"},
    {'K', "上段逆スクロール"},
    {'L', "上段スクロール 下段点滅１"},
    {'M', "上段逆スクロール 下段点滅１"},
    {'\0', nullptr},
};

const CodeName kSounyuuMojiTable[] = {
    {' ', "挿入なし"},
    {'A', "日付１挿入"},
    {'B', "日付２挿入"},
    {'C', "日付１～日付２挿入"},
    {'D', "距離挿入"},
    {'\0', nullptr},
};

const CodeName kSounyuuItiTable[] = {
    {' ', "位置指定なし"},
    {'A', "上段左"},
    {'B', "上段右"},
    {'C', "上段任意"},
    {'a', "下段左"},
    {'b', "下段右"},
    {'c', "下段任意"},
    {'\0', nullptr},
};

const char* const kColorNames[] = {"赤", "緑", "黄", nullptr};

std::size_t TableLength(const CodeName* table) {
    std::size_t n = 0;
    while (table[n].name != nullptr) ++n;
    return n;
}

bool FindCode(const CodeName* table, char code, int& index) {
    for (int i = 0; table[i].name != nullptr; ++i) {
        if (table[i].code == code) {
            index = i;
            return true;
        }
    }
    return false;
}

}  // namespace tesslor
