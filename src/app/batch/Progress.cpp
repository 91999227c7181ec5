#include "app/batch/Progress.h"

#include <filesystem>

namespace optc {

namespace {

constexpr std::size_t kBarWidth = 20;
constexpr std::size_t kNameWidth = 40;
// Back to the start of the line, and the line cleared to its end.
constexpr const char* kLineStart = "\r";
constexpr const char* kClearToEnd = "\033[K";

}  // namespace

std::string ProgressLine(std::size_t done, std::size_t total, const std::string& file) {
    const std::size_t filled = total ? kBarWidth * done / total : kBarWidth;
    std::string name = std::filesystem::path(file).filename().string();
    if (name.size() > kNameWidth) name = name.substr(0, kNameWidth - 3) + "...";
    return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]  " + std::to_string(done) +
           " of " + std::to_string(total) + (name.empty() ? "" : "  " + name);
}

void ProgressBar::Show(std::size_t done, std::size_t total, const std::string& file) {
    if (!shown_) return;
    err_ << kLineStart << ProgressLine(done, total, file) << kClearToEnd << std::flush;
    drawn_ = true;
}

void ProgressBar::Clear() {
    if (!drawn_) return;
    err_ << kLineStart << kClearToEnd << std::flush;
    drawn_ = false;
}

}  // namespace optc
