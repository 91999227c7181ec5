#pragma once
// The progress of a run of many spectra on standard error, when that is a terminal: one
// line redrawn in place, a bar with "17 of 72" and the spectrum last finished.
#include <cstddef>
#include <ostream>
#include <string>

namespace optc {

// "[#######.............]  17 of 72  spot17.txt": the bar 20 characters wide, the file
// by its name alone, cut to 40 characters.
std::string ProgressLine(std::size_t done, std::size_t total, const std::string& file);

class ProgressBar {
public:
    // Draws nothing unless `shown`.
    ProgressBar(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    void Show(std::size_t done, std::size_t total, const std::string& file);
    // Takes the line away, before other text goes to standard error and at the end.
    void Clear();

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
};

}  // namespace optc
