#pragma once
// Where the file dialogs start. Until the user has chosen a file, the open dialogs
// start in the examples folder of the repository the program runs from, or else in the
// examples installed with the program, so a new user finds the sample spectra at once;
// after that every dialog starts in the folder of the file last read by an import or
// written by a save.
#include <functional>
#include <string>
#include <vector>

namespace optc {

class DialogFolders {
public:
    // examplesFolder: the folder of sample spectra, or empty when there is none.
    explicit DialogFolders(std::string examplesFolder = {}) : examples_(std::move(examplesFolder)) {}

    // The folder an open dialog starts in; empty leaves the choice to the toolkit.
    std::string OpenFolder() const { return last_.empty() ? examples_ : last_; }
    // The folder a save dialog starts in: only one the user has chosen before.
    std::string SaveFolder() const { return last_; }
    // Records a file an import read or a save wrote.
    void Chosen(const std::string& filePath);

    const std::string& ExamplesFolder() const { return examples_; }

    // The examples installed with the program, relative to the installation prefix.
    static constexpr const char* kInstalledExamples = "share/doc/optical-constants/examples";

    // The examples folder of the repository a program runs from: "examples" beside the
    // folder that holds the executable (build/ inside the repository), or that of the
    // source tree the program was built from when the executable lies inside it; for an
    // installed program (prefix/bin) the installed examples, prefix/kInstalledExamples.
    // A candidate counts only when `isFolder` confirms it. Empty when none does.
    static std::string FindExamples(const std::string& executableFolder, const std::string& sourceFolder,
                                    const std::function<bool(const std::string&)>& isFolder);
    // The same with the file system deciding.
    static std::string FindExamples(const std::string& executableFolder, const std::string& sourceFolder);

private:
    std::string examples_;
    std::string last_;
};

}  // namespace optc
