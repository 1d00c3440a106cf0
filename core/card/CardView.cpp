#include "card/CardView.h"

#include <algorithm>

#include "platform/Paths.h"
#include "files/LedDataFile.h"
#include "led/PictureColumns.h"

namespace tesslor {

std::string CardWriteNoText(const CardFile& file) {
    if (file.kind != CardKind::Picture && file.kind != CardKind::OldPicture && file.kind != CardKind::Animation)
        return "";
    return file.Summary("writeno");
}

std::string CardSummaryText(const CardFile& file) {
    switch (file.kind) {
        case CardKind::Picture:
        case CardKind::OldPicture:
            if (file.summary.empty()) return "";
            return "表示モード " + file.Summary("mode") + "・幅 " + file.Summary("width") + "ドット";
        case CardKind::Animation:
            if (file.summary.empty()) return "";
            return std::string(file.superAnimation ? "スーパー" : "ノーマル") + "・" + file.Summary("pictures") +
                   "枚・表示時間 " + file.Summary("time");
        case CardKind::AnimationList:
        case CardKind::Perform:
        case CardKind::Schedule:
            return file.summary.empty() ? "" : file.Summary("entries") + "件";
        default:
            return "";
    }
}

std::string CardPerformText(const CardScan& scan, const CardFile& file) {
    if (const int position = scan.PerformPosition(file.name); position > 0) return std::to_string(position);
    if (file.kind != CardKind::Picture) return "";
    for (const CardFile& list : scan.files) {
        if (list.kind != CardKind::AnimationList || !list.ok) continue;
        for (const std::string& name : list.entries)
            if (scan.Find(name) == &file) return "動画 " + list.name + " の絵";
    }
    return "";
}

std::string CardScanSummary(const CardScan& scan) {
    const int errors = scan.ErrorCount();
    const int cautions = static_cast<int>(scan.findings.size()) - errors;
    return std::to_string(scan.files.size()) + "ファイル・エラー " + std::to_string(errors) + "件・注意 " +
           std::to_string(cautions) + "件" + (scan.Passed() ? "（表示器で読めます）" : "（このままでは表示器が表示しません）");
}

namespace {
// Reads lines up to and including the first that starts with prefix; false at the end.
bool SkipPast(LineReader& in, const std::string& prefix) {
    std::string line;
    while (in.ReadLine(line, 200))
        if (line.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}
}  // namespace

CardThumbnail CardThumbnailOf(FileSystem& files, const std::string& folder, const CardFile& file,
                              const DisplayShape& shape) {
    CardThumbnail thumb;
    if (!file.ok || (file.kind != CardKind::Picture && file.kind != CardKind::Animation)) return thumb;
    if (file.size > CardKindMaxBytes(file.kind)) return thumb;
    std::string bytes;
    const std::string path = PathInFolder(folder, file.name);
    if (!files.ReadPrefix(path, static_cast<std::size_t>(CardKindMaxBytes(file.kind)), bytes)) return thumb;
    PictureColumns dots;
    ViewLineReader in(bytes);
    std::string message;
    // A picture's blocks follow its settings; an animation's first picture follows "#PICTURE_NO=".
    if (!SkipPast(in, file.kind == CardKind::Picture ? "#END_OF_DEFINE" : "#PICTURE_NO=")) return thumb;
    if (!ReadColourBlocks(dots, in, message)) return thumb;
    // Only the panel rows the display has show.
    const int rows = std::clamp(shape.TateMaisuu, 0, LedHyoujikiClass::kPanelRows);
    thumb.width = 16 * (dots.LastUsedPanelColumn(rows) + 1);
    thumb.height = 16 * rows;
    if (thumb.Empty()) return thumb;
    thumb.codes.resize(static_cast<std::size_t>(thumb.width) * thumb.height);
    for (int y = 0; y < thumb.height; ++y)
        for (int x = 0; x < thumb.width; ++x)
            thumb.codes[static_cast<std::size_t>(y) * thumb.width + x] = static_cast<std::uint8_t>(dots.DotColor(x, y));
    return thumb;
}

CardThumbnail ScaledThumbnail(const CardThumbnail& thumb, int height) {
    CardThumbnail out;
    if (thumb.Empty() || height <= 0) return out;
    out.height = height;
    out.width = static_cast<int>((static_cast<long long>(thumb.width) * height + thumb.height - 1) / thumb.height);
    out.codes.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    // The source rows (or columns) [first, last) that output index i covers.
    const auto span = [](int i, int from, int to) {
        const int first = static_cast<int>(static_cast<long long>(i) * from / to);
        const int last = static_cast<int>((static_cast<long long>(i + 1) * from + to - 1) / to);
        return std::pair<int, int>(std::min(first, from - 1), std::clamp(last, first + 1, from));
    };
    for (int oy = 0; oy < out.height; ++oy) {
        const auto [y0, y1] = span(oy, thumb.height, out.height);
        for (int ox = 0; ox < out.width; ++ox) {
            const auto [x0, x1] = span(ox, thumb.width, out.width);
            std::uint8_t code = 0;
            // A dot's code holds one bit per LED: red and green together show yellow.
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) code |= thumb.codes[static_cast<std::size_t>(y) * thumb.width + x];
            out.codes[static_cast<std::size_t>(oy) * out.width + ox] = code;
        }
    }
    return out;
}

}  // namespace tesslor
