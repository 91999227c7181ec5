#pragma once
// What a shell command writes to its standard output, and a PDF's text as pdftotext
// reads it (the report tests read their pages back this way).
#include <cstdio>
#include <string>

namespace optc::testing {

inline std::string CommandOutput(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

// With `layout`, one line per line of the page.
inline std::string PdfText(const std::string& pdf, bool layout = true) {
    return CommandOutput(std::string("pdftotext ") + (layout ? "-layout " : "") + "'" + pdf + "' - 2>/dev/null");
}

}  // namespace optc::testing
