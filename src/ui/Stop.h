#pragma once
// What ended a user event before its handler's end: a message of the window's
// catalogue, shown with its text, or an error shown in the standard error box.
#include <string>
#include <utility>

namespace optc {

template <typename Id>
struct Stop {
    Stop(Id id, std::string text, std::string typed = {}, std::string detail = {})
        : id(id), text(std::move(text)), typed(std::move(typed)), detail(std::move(detail)) {}

    Id id;
    std::string text;    // exactly as the box showed it
    std::string typed;   // for a text that is not a number: that text as typed
    std::string detail;  // for a file error: its path and the system's reason
};

}  // namespace optc
