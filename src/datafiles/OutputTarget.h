#pragma once
// What a name the program is to write names, found out before anything is written:
// a regular file (or none yet) that takes the renames of an all-or-none save, or a
// pipe or terminal that is written straight. Used by ResultsFileSet only.
#include <string>

namespace optc {

struct OutputTarget {
    enum class Kind { File, Stream } kind = Kind::File;
    // For a file, the name its symbolic links lead to, which the renames replace; for
    // a stream, the name as given.
    std::string path;
};

// Refuses, with an EInOutError that has its detail, a folder, a block device, a
// socket, a read-only file and a name the system cannot reach.
OutputTarget ChooseOutputTarget(const std::string& path);

// Opens a stream target for writing; a pipe that no program reads is refused rather
// than waited for.
int OpenStreamTarget(const std::string& path);

// A new empty file in the system's temporary folder, for the bytes of a stream target.
std::string MakeStreamTemporary(const std::string& shown);

// Copies the whole temporary into the open stream. A reader that went away is an
// error (EPIPE), never the end of the program.
void CopyIntoStream(const std::string& temporary, int fd, const std::string& shown);

}  // namespace optc
