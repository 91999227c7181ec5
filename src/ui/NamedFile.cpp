#include "ui/NamedFile.h"

#include <cerrno>

#include "datafiles/FileErrors.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace optc {

void ImportNamedFile(Form& form, Button& import, const std::string& path) {
    form.Dispatch([&form, &import, &path] {
        // The dialog would never return a name that is no file; one typed on a command
        // line may be anything.
        if (!form.GetPlatform().FileExists(path)) RaiseFileError(ENOENT, FileOp::Open, path);
        form.GetPlatform().AnswerNextOpenDialog(path);
        import.Click();
    });
}

}  // namespace optc
