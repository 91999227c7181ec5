#include "app/batch/BatchReport.h"

#include <filesystem>
#include <fstream>

#include "app/batch/BatchCommandLine.h"
#include "datafiles/FileErrors.h"
#include "datafiles/ResultsFileSet.h"

namespace optc {

std::string ReportFileFault(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return "";
    const std::string subject = "--report " + path;
    if (status.type() == fs::file_type::directory) return subject + ": it is a folder, not a file";
    if (status.type() != fs::file_type::regular) return subject + ": it is a pipe or a device, not a file";
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    in.read(head, sizeof head);
    if (in.gcount() == sizeof head && std::string(head, sizeof head) == "%PDF-") return "";
    return subject + ": the file exists and is not a PDF, so it is not replaced";
}

std::string WriteBatchReport(const ReportRenderer& renderer, const Report& report, const std::string& path,
                             const std::string& prefix) {
    const std::string program = std::string(kBatchProgram) + ": " + prefix;
    try {
        WriteFileAllOrNone(path, [&](const std::string& part) { renderer.write(report, part); });
        return "";
    } catch (const EInOutError& e) {
        std::string lines = program + "--report " + path + ": " + e.what() + "\n";
        if (!e.Detail().empty()) lines += program + e.Detail() + "\n";
        return lines;
    } catch (const std::exception& e) {
        return program + "--report " + path + ": " + e.what() + "\n";
    }
}

}  // namespace optc
