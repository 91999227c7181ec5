#include "ui/ScriptedPlatform.h"

#include "ui/Report.h"

#include <filesystem>

namespace optc {

void ScriptedPlatform::ShowMessage(const std::string& text) {
    messages.push_back(text);
    log.push_back("message: " + text);
    shown.push_back(text);
}

void ScriptedPlatform::ShowError(const std::string& text) { ShowError(text, ""); }

void ScriptedPlatform::ShowError(const std::string& text, const std::string& detail) {
    errors.push_back(text);
    errorDetails.push_back(detail);
    log.push_back("error: " + text);
    shown.push_back(text);
}

namespace {
std::optional<std::string> NextAnswer(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

std::optional<std::string> ScriptedPlatform::OpenFileDialog(const std::string& filter) {
    dialogFilters.push_back(filter);
    return NextAnswer(openAnswers);
}

std::optional<std::string> ScriptedPlatform::SaveFileDialog(const std::string& filter) {
    dialogFilters.push_back(filter);
    return NextAnswer(saveAnswers);
}

bool ScriptedPlatform::FileExists(const std::string& path) {
    if (existingFiles) return existingFiles->count(path) > 0;
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void ScriptedPlatform::RememberFolder(const std::string& filePath) { rememberedFiles.push_back(filePath); }

void ScriptedPlatform::ShowModal(Form& form) {
    modalForms.push_back(form.Caption());
    form.FlushCharts();
    form.SetShown(true);
    if (!modalScripts.empty()) {
        auto script = std::move(modalScripts.front());
        modalScripts.pop_front();
        script(form);
    }
    form.SetShown(false);
}

bool ScriptedPlatform::SaveReport(const Report& report) {
    std::optional<std::string> path = SaveFileDialog("PDF files (*.pdf)");
    if (!path) return false;
    if (std::filesystem::path(*path).extension().empty()) *path += ".pdf";
    if (reportWriter) reportWriter(report, *path);
    reports.emplace_back(report.title, *path);
    return true;
}

}  // namespace optc
