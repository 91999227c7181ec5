#pragma once
// A file the user names outside the open dialog, on the command line or by dropping it
// on a window, is imported exactly as the import button would import it.
#include <string>

namespace optc {

class Button;
class Form;

// Runs the click of `import` as one event of `form`, its open dialog answered with
// `path`: the same messages, refusals and error boxes as a file chosen in the dialog.
// A name that is no file is the error box "File not found" with the path.
void ImportNamedFile(Form& form, Button& import, const std::string& path);

}  // namespace optc
