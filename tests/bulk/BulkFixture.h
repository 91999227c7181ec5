#pragma once
// A bulk window driven without a display: scripted dialogs and message boxes, a fresh
// workspace, the unit choices of the start window, and a private temp directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "bulk/BulkData.h"
#include "bulk/Main_3.h"
#include "numerics/FloatText.h"
#include "support/TempFolder.h"
#include "ui/ScriptedPlatform.h"

namespace optc::testing {

class BulkWindowTest : public ::testing::Test {
protected:
    BulkWindowTest()
        : data(BulkData::Create()), form(platform, *data, [this] { return units; }) {
        SetDecimalSeparator('.');
    }
    ~BulkWindowTest() override { SetDecimalSeparator('.'); }

    std::string WriteFile(const std::string& name, const std::string& content) { return temp.Write(name, content); }

    static std::string Pairs(std::initializer_list<std::pair<double, double>> points) {
        std::ostringstream text;
        text.precision(17);
        for (const auto& [x, y] : points) text << x << ' ' << y << "\r\n";
        return text.str();
    }

    // Runs one user event through the window's one door, as the view would.
    template <typename Handler>
    void User(Handler handler) {
        form.Dispatch(handler);
    }

    void ImportT(const std::string& path) {
        platform.openAnswers.push_back(path);
        User([&] { form.import1.Click(); });
    }
    void ImportR(const std::string& path) {
        platform.openAnswers.push_back(path);
        User([&] { form.Button2.Click(); });
    }
    void CancelImportR() {
        platform.openAnswers.push_back(std::nullopt);
        User([&] { form.Button2.Click(); });
    }
    void ClearLog() {
        platform.log.clear();
        platform.messages.clear();
        platform.errors.clear();
    }
    void Calculate() {
        User([&] { form.Calculate.Click(); });
    }

    // Sets a spectrum directly, longest wavelength first.
    static void SetSpectrum(SpectrumArray& x, SpectrumArray& y, int& count,
                            std::initializer_list<std::pair<double, double>> points) {
        count = 0;
        for (const auto& [lx, ly] : points) {
            ++count;
            x[count] = lx;
            y[count] = ly;
        }
    }

    ScriptedPlatform platform;
    UnitChoices units;
    std::unique_ptr<BulkData> data;
    TForm3 form;
    TempFolder temp{"bulk_tests"};
    std::filesystem::path dir = temp.Path();
};

}  // namespace optc::testing
