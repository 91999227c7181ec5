// The layers of src/: a file includes only its own layer and the layers below it, so
// that the arithmetic and the file formats can be used, built and tested without the
// windows, and the windows without one another.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "support/SourceTree.h"

namespace optc {
namespace {

namespace fs = std::filesystem;

// Each layer and the layers its files may include (its own among them).
const std::map<std::string, std::set<std::string>>& AllowedIncludes() {
    static const std::map<std::string, std::set<std::string>> allowed = {
        {"numerics", {"numerics"}},
        {"datafiles", {"numerics", "datafiles"}},
        {"ui", {"numerics", "datafiles", "ui"}},
        {"thinfilm", {"numerics", "datafiles", "ui", "thinfilm"}},
        {"bulk", {"numerics", "datafiles", "ui", "bulk"}},
        {"app", {"numerics", "datafiles", "ui", "thinfilm", "bulk", "app"}},
    };
    return allowed;
}

TEST(Layers, NoIncludeRunsUpward) {
    const fs::path src = testing::kSourceTree / "src";
    const std::regex include(R"(^\s*#\s*include\s*"([a-z_]+)/)");
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const fs::path relative = fs::relative(entry.path(), src);
        const std::string layer = relative.begin()->string();
        const auto allowed = AllowedIncludes().find(layer);
        ASSERT_NE(allowed, AllowedIncludes().end()) << relative << " lies in no known layer";
        // The generic signal routines stand on the arithmetic alone.
        const bool signal = relative.string().rfind("numerics/signal/", 0) == 0;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string target = m[1];
            EXPECT_TRUE(allowed->second.count(target) > 0)
                << relative.string() << ":" << number << " includes " << target << "/ from " << layer << "/";
            if (signal) {
                EXPECT_EQ(target, "numerics") << relative.string() << ":" << number;
            }
        }
        ++files;
    }
    EXPECT_GT(files, 100);
}

}  // namespace
}  // namespace optc
