#include "CardCommands.h"

#include "app/CardOptions.h"
#include "card/CardAdd.h"
#include "card/CardWrite.h"
#include "PngImage.h"

namespace tesslor::cli {

namespace {
void PrintFinding(const CardFinding& f, std::ostream& out) {
    out << CardSeverityWord(f.severity) << '\t' << f.message << '\n';
}

bool Scan(const StartupConfig& config, const std::string& folder, CardScan& scan, std::ostream& err) {
    std::string message;
    if (ScanCard(RealFileSystem(), folder, CardOptionsOf(config), scan, message)) return true;
    err << message << '\n';
    return false;
}

}  // namespace

CardScanOptions CardOptionsOf(const StartupConfig& config) {
    CardScanOptions options = CardScanOptionsOf(config);
    options.newImage = [](FileSystem& files) { return std::make_unique<PngImage>(files); };
    return options;
}

void PrintCardScan(const CardScan& scan, std::ostream& out) {
    for (const CardFile& f : scan.files) {
        out << f.name << '\t' << CardKindWord(f.kind) << '\t' << f.status << '\t';
        for (std::size_t i = 0; i < f.summary.size(); ++i)
            out << (i ? " " : "") << f.summary[i].first << '=' << f.summary[i].second;
        out << '\n';
    }
    for (const CardFinding& f : scan.findings) PrintFinding(f, out);
}

int RunCardCheck(const StartupConfig& config, const std::string& folder, std::ostream& out, std::ostream& err) {
    CardScan scan;
    if (!Scan(config, folder, scan, err)) return 1;
    PrintCardScan(scan, out);
    out << std::flush;
    return scan.Passed() ? 0 : 1;
}

int RunCardWrite(const StartupConfig& config, const std::string& source, const std::string& card, bool force,
                 std::ostream& out, std::ostream& err) {
    CardScan scan;
    if (!Scan(config, source, scan, err)) return 1;
    if (scan.ErrorCount() > 0 && !force) {
        for (const CardFinding& f : scan.findings) PrintFinding(f, out);
        out << std::flush;
        err << source << " にエラーがあるため、カードには何も書き込みません（--force で書き込めます）\n";
        return 1;
    }
    const CardWriteResult result =
        WriteCard(RealFileSystem(), scan, card, {}, [&out](const std::string& name) { out << CardWrittenLine(name) << '\n'; });
    for (const CardFinding& f : result.leftAlone) PrintFinding(f, out);
    out << std::flush;
    if (!result.Succeeded()) {
        err << result.failure << '\n';
        return 1;
    }
    return 0;
}

int RunCardPlan(const StartupConfig& config, const std::string& source, const std::string& card, std::ostream& out,
                std::ostream& err) {
    CardScan scan;
    if (!Scan(config, source, scan, err)) return 1;
    CardPlan plan;
    std::string failure;
    if (!PlanCardWrite(RealFileSystem(), scan, card, plan, failure)) {
        err << failure << '\n';
        return 1;
    }
    for (const CardPlanEntry& e : plan.entries) out << e.name << '\t' << CardPlanWord(e.action) << '\n';
    out << std::flush;
    return 0;
}

int RunCardAdd(const StartupConfig& config, const std::string& card, const std::vector<std::string>& files,
               bool autoWriteNo, std::ostream& out, std::ostream& err) {
    CardAddOptions options;
    options.scan = CardOptionsOf(config);
    options.autoWriteNo = autoWriteNo;
    const CardAddResult result = AddToCard(RealFileSystem(), card, files, options);
    if (!result.Succeeded()) {
        err << result.failure << std::endl;
        return 1;
    }
    for (const CardRenumbering& r : result.renumbered) err << CardRenumberedLine(r) << '\n';
    err << std::flush;
    for (const std::string& name : result.added) out << CardWrittenLine(name) << '\n';
    out << CardWrittenLine("Perform.txt") << '\n' << std::flush;
    return 0;
}

}  // namespace tesslor::cli
