#include "datafiles/JcampRecords.h"

#include <cctype>

namespace optc {

namespace {
std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}
}  // namespace

std::string_view WithoutJcampComment(std::string_view line) { return line.substr(0, line.find("$$")); }

std::optional<JcampRecord> JcampRecordOf(std::string_view line) {
    line = Trimmed(line);
    if (line.substr(0, 2) != "##") return std::nullopt;
    const std::size_t equals = line.find('=');
    const std::string_view name =
        line.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
    JcampRecord record;
    for (char c : name)
        if (c != ' ' && c != '\t' && c != '-' && c != '/' && c != '_')
            record.label += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (equals != std::string_view::npos) record.value = Trimmed(line.substr(equals + 1));
    return record;
}

}  // namespace optc
