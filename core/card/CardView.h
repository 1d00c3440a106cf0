#pragma once
// What the card window shows of a scanned file: its write number, its
// summary in words, and the dots of its small picture.
#include <cstdint>
#include <string>
#include <vector>

#include "card/Card.h"

namespace tesslor {

/// The 書き込みNo column: a picture's or an animation's write number, "" for others.
std::string CardWriteNoText(const CardFile& file);
/// The 内容 column: the summary in Japanese ("表示モード A・幅 16ドット",
/// "スーパー・3枚・表示時間 10", "3件"), "" when there is none.
std::string CardSummaryText(const CardFile& file);

/// The Perform順 column: the line of Perform.txt naming the file ("3"); for a
/// picture only an animation list names, "動画 anim.alt の絵" (the unit
/// takes it with its animation); "" otherwise.
std::string CardPerformText(const CardScan& scan, const CardFile& file);

/// The card window's line under the findings: "5ファイル・エラー 0件・注意 2件"
/// and whether the unit can read the card.
std::string CardScanSummary(const CardScan& scan);

/// The dots of a small picture: colour codes (0 off, 1 red, 2 green, 3
/// yellow), row by row, width × height.
struct CardThumbnail {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> codes;
    bool Empty() const { return width <= 0 || height <= 0; }
};

/// A picture's dots, or an animation's first picture's, as far as its used
/// width, and the panel rows of shape. Empty for other kinds, for a file that
/// does not read, and for a picture with no lit dot.
CardThumbnail CardThumbnailOf(FileSystem& files, const std::string& folder, const CardFile& file,
                              const DisplayShape& shape);

/// The thumbnail at height rows of pixels (width in proportion, rounded
/// up): each pixel the colours of every dot it covers together, so that no
/// lit dot, the last column and row included, disappears when it shrinks.
CardThumbnail ScaledThumbnail(const CardThumbnail& thumb, int height);

}  // namespace tesslor
