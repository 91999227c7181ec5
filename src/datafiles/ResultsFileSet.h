#pragma once
// Every file the program writes goes through here: the results files of one Save
// Results, a table, a fringes file, a chart picture, a report. Written all or none.
//
// A regular file (or a name that does not exist yet) is written in full to a temporary
// beside its final name ("<name>.part"); only when every file of the set was written
// are they moved into place, and a file they replace is kept under a backup name
// ("<name>.backup") until the whole set is in place. A failure while writing (a full
// disk, a missing folder) removes the temporaries; a failure while moving puts every
// replaced file back and removes the new ones. Either way the earlier files stay
// exactly as they were and nothing is left behind. Temporaries and backups are made
// under names that did not exist (a number is added to the ending until one is free),
// so a file of the user's that happens to carry such a name is never touched.
//
// What is not a regular file is never replaced. A symbolic link is followed: the file
// it points to is written and the link stays. A pipe or a terminal (/dev/stdout,
// /dev/null) is written straight: the file is made whole in the system's temporary
// folder first and copied in when every regular file of the set is in place, so a
// failed save sends nothing. A pipe that no program reads, a folder, a block device
// or a socket is refused before anything is written, as is a file that is read-only.
// Every error carries a detail line naming the path and what is wrong with it.
#include <functional>
#include <string>
#include <vector>

namespace optc {

class ResultsFileSet {
public:
    ResultsFileSet() = default;
    ~ResultsFileSet();  // removes every temporary it made that is not in place
    ResultsFileSet(const ResultsFileSet&) = delete;
    ResultsFileSet& operator=(const ResultsFileSet&) = delete;

    // Makes a new temporary for the file that is to become finalPath and runs `write`
    // with its name. A final name that may not be written is refused here, before
    // `write` runs; the errors of `write` are raised as they come.
    void Write(const std::string& finalPath, const std::function<void(const std::string& path)>& write);

    // Moves every written file into place, in the order written, then sends the files
    // for pipes and terminals. A final name taken by a folder is refused before any
    // file moves ("File access denied"); any other failure undoes the files already
    // moved, latest first, before it is raised.
    void Commit();

private:
    struct File {
        std::string temporary;
        std::string final;         // where the bytes go: the named file, its links followed
        std::string shown;         // the name as given, for messages
        std::string backup;        // the replaced file's other name, made by the set; empty if none
        int stream = -1;           // a pipe or terminal, open for writing: the bytes are copied in
        bool finalIsOld = false;   // the backup is a second link: the final name still holds the old file
        bool placed = false;       // the temporary has become the final file
    };
    void Place(File& file);
    void KeepReplaced(File& file);
    void Undo();

    std::vector<File> files_;
};

// One file written all or none: a set of one.
void WriteFileAllOrNone(const std::string& finalPath, const std::function<void(const std::string& path)>& write);

}  // namespace optc
