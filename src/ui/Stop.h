#pragma once
// What ended a user event before its handler's end: a message of the window's
// catalogue, shown with its text, or an error shown in the standard error box.
#include <string>

namespace optc {

template <typename Id>
struct Stop {
    Id id;
    std::string text;   // exactly as the box showed it
    std::string typed;  // for a text that is not a number: that text as typed
};

}  // namespace optc
