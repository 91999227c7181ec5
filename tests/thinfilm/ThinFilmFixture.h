#pragma once
// A Thin Films window driven without a display: scripted dialogs and message boxes,
// a fresh workspace, the start window's unit choices and a private temp directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/ThinFilmData.h"
#include "ui/ScriptedPlatform.h"

namespace optc::testing {

using Points = std::vector<std::pair<double, double>>;

class ThinFilmWindowTest : public ::testing::Test {
protected:
    ThinFilmWindowTest()
        : data(ThinFilmData::Create()), d(*data), form(platform, d, [this] { return units; }) {
        SetDecimalSeparator('.');
    }
    ~ThinFilmWindowTest() override { SetDecimalSeparator('.'); }

    std::string WriteFile(const std::string& name, const std::string& content) { return temp.Write(name, content); }

    static std::string PairsText(const Points& points) {
        std::ostringstream text;
        text.precision(17);
        for (const auto& [x, y] : points) text << x << ' ' << y << "\r\n";
        return text.str();
    }

    // Runs one user event through the window's one door, as the view would.
    void User(const std::function<void()>& event) { form.Dispatch(event); }

    void ImportSpectrum(const Points& points) {
        platform.openAnswers.push_back(WriteFile("spectrum.txt", PairsText(points)));
        User([&] { form.import1.Click(); });
    }
    void ImportFringes(const Points& points) {
        platform.openAnswers.push_back(WriteFile("fringes.txt", PairsText(points)));
        User([&] { form.Import2.Click(); });
    }
    void Type(Edit& edit, const std::string& text) {
        User([&] {
            edit.SetFocused(true);
            edit.SetText(text);
            edit.SetFocused(false);
        });
    }
    void Calculate() { User([&] { form.Calculate.Click(); }); }

    std::string LastMessage() const { return platform.messages.empty() ? "" : platform.messages.back(); }
    std::string LastError() const { return platform.errors.empty() ? "" : platform.errors.back(); }

    ScriptedPlatform platform;
    UnitChoices units;
    std::unique_ptr<ThinFilmData> data;
    ThinFilmData& d;
    TForm1 form;
    TempFolder temp{"thinfilm_window"};
    std::filesystem::path dir = temp.Path();
};

}  // namespace optc::testing
