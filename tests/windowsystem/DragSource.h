#pragma once
// A window of another program that a user drags a file from, as from a file manager:
// the windows-system tests start their own program again with kDragSourceArgument and a
// path, and this window offers that path to whatever it is dragged onto.
namespace optc::qt::testing {

inline constexpr const char* kDragSourceArgument = "--drag-source";

// Shows the source window at the top left of the screen, prints "ready" once it is
// mapped, starts the drag when a mouse button goes down on it and returns when the drag
// has ended and the target has had time to take the data. Returns the exit status.
int RunDragSource(const char* path);

}  // namespace optc::qt::testing
