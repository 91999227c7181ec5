#include "ui/DialogFolders.h"

#include <filesystem>
#include <system_error>

namespace optc {

namespace fs = std::filesystem;

namespace {

// An absolute path without "." and ".." parts, so that containment can be compared.
fs::path Normal(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec) p = fs::path(path);
    p = p.lexically_normal();
    // "dir/" names the folder dir, not an empty entry inside it.
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
    return p;
}

bool Inside(const fs::path& path, const fs::path& folder) {
    auto f = folder.begin(), p = path.begin();
    for (; f != folder.end(); ++f, ++p)
        if (p == path.end() || *p != *f) return false;
    return true;
}

}  // namespace

void DialogFolders::Chosen(const std::string& filePath) {
    const fs::path folder = fs::path(filePath).parent_path();
    if (!folder.empty()) last_ = folder.string();
}

std::string DialogFolders::FindExamples(const std::string& executableFolder, const std::string& sourceFolder,
                                        const std::function<bool(const std::string&)>& isFolder) {
    std::vector<fs::path> candidates;
    if (!executableFolder.empty()) {
        const fs::path exe = Normal(executableFolder);
        candidates.push_back(exe.parent_path() / "examples");
        if (!sourceFolder.empty() && Inside(exe, Normal(sourceFolder)))
            candidates.push_back(Normal(sourceFolder) / "examples");
        // An installed program (prefix/bin) finds the examples installed beside its guide.
        candidates.push_back(exe.parent_path() / kInstalledExamples);
    }
    for (const fs::path& candidate : candidates)
        if (isFolder(candidate.string())) return candidate.string();
    return {};
}

std::string DialogFolders::FindExamples(const std::string& executableFolder, const std::string& sourceFolder) {
    return FindExamples(executableFolder, sourceFolder, [](const std::string& path) {
        std::error_code ec;
        return fs::is_directory(path, ec);
    });
}

}  // namespace optc
