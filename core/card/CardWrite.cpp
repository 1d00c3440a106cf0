#include "card/CardWrite.h"

#include <algorithm>

#include "platform/Paths.h"

namespace tesslor {

namespace {
std::string PathIn(const std::string& folder, const std::string& name) {
    return PathInFolder(folder, name);
}

// Copies one file; "" when it is in place and reads back the same, else why not.
std::string CopyOne(FileSystem& files, const std::string& from, const std::string& to, std::uintmax_t maxBytes) {
    std::string bytes;
    if (!files.ReadPrefix(from, static_cast<std::size_t>(maxBytes) + 1, bytes)) return "元のファイルを読み込めません";
    if (bytes.size() > maxBytes) return "ファイルが大きすぎます";
    std::unique_ptr<OutputFile> out = files.Create(to);
    if (!out) return "カードにファイルを作れません（書き込み禁止か、カードが抜かれています）";
    if (!out->Write(bytes) || !out->Commit())
        return "書き込みエラー（カードがいっぱいか、抜かれた可能性があります）。カードの元のファイルはそのままです";
    std::string back;
    if (!files.ReadAll(to, back)) return "書き込んだファイルを読み直せません";
    if (back != bytes) return "書き込んだ内容を読み直すと元と違います";
    return "";
}
}  // namespace

std::string CardWrittenLine(const std::string& name) { return name + ": 書き込み完了"; }

std::vector<std::string> CardWriteOrder(const CardScan& source) {
    std::vector<std::string> names;
    std::vector<std::string> performs;
    for (const CardFile& f : source.files) {
        if (f.kind == CardKind::Other || f.size > CardKindMaxBytes(f.kind)) continue;
        (f.kind == CardKind::Perform ? performs : names).push_back(f.name);
    }
    names.insert(names.end(), performs.begin(), performs.end());
    return names;
}

CardWriteResult WriteCard(FileSystem& files, const CardScan& source, const std::string& card,
                          const CardWriteProgress& progress, const std::function<void(const std::string&)>& written) {
    CardWriteResult result;
    if (!files.FolderExists(card)) {
        result.failure = CardFolderMissingMessage(card);
        return result;
    }
    if (SameFolder(card, source.folder)) {
        result.failure = "書き出し元とカードが同じフォルダーです";
        return result;
    }
    std::vector<FolderEntry> onCard;
    if (files.ListFolder(card, onCard)) {
        std::sort(onCard.begin(), onCard.end(), [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        for (const FolderEntry& e : onCard) {
            if (e.type != FolderEntry::Type::File || source.Find(e.name)) continue;
            result.leftAlone.push_back({CardSeverity::Caution,
                                        e.name + " は書き出し元にありません（カードにそのまま残します）", {e.name}});
        }
    }
    const std::vector<std::string> order = CardWriteOrder(source);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string& name = order[i];
        if (progress && !progress(i, order.size(), name)) {
            result.cancelled = true;
            return result;
        }
        const CardFile* file = source.Find(name);
        const std::string why =
            CopyOne(files, PathIn(source.folder, name), PathIn(card, name), CardKindMaxBytes(file->kind));
        if (!why.empty()) {
            result.failedName = name;
            result.failure = name + ": " + why;
            return result;
        }
        result.written.push_back(name);
        if (written) written(name);
    }
    return result;
}

}  // namespace tesslor
