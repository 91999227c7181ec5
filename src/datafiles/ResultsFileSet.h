#pragma once
// The results files of one Save Results, written all or none. Each file is written in
// full to a temporary beside its final name ("<name>.part"); only when every file of
// the set was written are they renamed into place. A failure (a full disk, a missing
// folder) removes the temporaries, so earlier results files stay exactly as they were
// and no partial file is left behind.
#include <functional>
#include <string>
#include <vector>

namespace optc {

class ResultsFileSet {
public:
    ResultsFileSet() = default;
    ~ResultsFileSet();  // removes every temporary not moved into place
    ResultsFileSet(const ResultsFileSet&) = delete;
    ResultsFileSet& operator=(const ResultsFileSet&) = delete;

    // Runs `write` with the temporary name of the file that is to become finalPath.
    // Its errors are raised as they come.
    void Write(const std::string& finalPath, const std::function<void(const std::string& path)>& write);

    // Moves every written file into place. A final name taken by a folder is refused
    // before any file moves ("File access denied").
    void Commit();

private:
    struct File {
        std::string temporary;
        std::string final;
    };
    std::vector<File> files_;
    std::size_t moved_ = 0;
};

}  // namespace optc
