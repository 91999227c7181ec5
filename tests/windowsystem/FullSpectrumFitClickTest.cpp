// The Fit Spectrum dialog through the X server, on the shipped example: a click on a
// dispersion law's caption chooses it, a click on Fit fits on the worker thread while
// the dialog keeps answering, and a click on Use This Thickness types the fitted
// thickness into the Thin Films window and closes the dialog. xdotool moves the pointer
// and presses the button, as a user's mouse would.
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "numerics/FloatText.h"
#include "support/ModalRescue.h"
#include "support/SourceTree.h"
#include "thinfilm/ThinFilmData.h"
#include "thinfilm/fit/FullSpectrumFitView.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

// Clicks the middle of `target` with the X server's pointer.
void ClickThroughTheServer(QWidget& target) {
    const QPoint at = target.mapToGlobal(target.rect().center());
    QProcess xdotool;
    xdotool.start("xdotool", QStringList{"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()),
                                         "click", "1"});
    EXPECT_TRUE(xdotool.waitForFinished(20000));
    EXPECT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
}

TEST(FitSpectrumOnTheX11Server, ClicksChooseTheLawFitAndUseTheThickness) {
    SetDecimalSeparator('.');
    ScriptedPlatform platform;
    std::unique_ptr<ThinFilmData> data = ThinFilmData::Create();
    TForm1 form(platform, *data, [] { return UnitChoices{}; });
    FullSpectrumFitView view(form.Fit);
    const auto user = [&](const std::function<void()>& event) { form.Dispatch(event); };
    platform.openAnswers.push_back((optc::testing::kExamples / "thinfilm-transmission.txt").string());
    user([&] { form.import1.Click(); });
    platform.openAnswers.push_back((optc::testing::kExamples / "thinfilm-fringes.txt").string());
    user([&] { form.Import2.Click(); });
    user([&] {
        form.Const2.SetFocused(true);
        form.Const2.SetText("1.52");
        form.Const2.SetFocused(false);
    });
    user([&] { form.Calculate.Click(); });
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();
    ASSERT_TRUE(form.FitSpectrumButton.Enabled());

    auto* sellmeier = view.findChild<QRadioButton*>("Sellmeier");
    auto* fitButton = view.findChild<QPushButton*>("FitButton");
    auto* useThickness = view.findChild<QPushButton*>("UseThickness");
    ASSERT_TRUE(sellmeier && fitButton && useThickness);
    // What the user does next, each step once the one before has shown its effect.
    enum class Step { ChooseLaw, Fit, UseThickness, Done } step = Step::ChooseLaw;
    platform.modalScripts.push_back([&](Form& shown) {
        ASSERT_EQ(&shown, &form.Fit);
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWindow* window = view.windowHandle();
            if (!window || !window->isExposed()) return;
            switch (step) {
                case Step::ChooseLaw:
                    step = Step::Fit;
                    ClickThroughTheServer(*sellmeier);
                    break;
                case Step::Fit:
                    if (!form.Fit.Sellmeier.Checked()) return;
                    step = Step::UseThickness;
                    ClickThroughTheServer(*fitButton);
                    break;
                case Step::UseThickness:
                    if (view.Fitting() || !useThickness->isEnabled()) return;
                    step = Step::Done;
                    ClickThroughTheServer(*useThickness);
                    break;
                case Step::Done:
                    break;
            }
        });
        // A dialog the clicks never close is closed here, and the test fails.
        optc::testing::ModalRescue rescue(view);
        poll.start();
        rescue.Arm(120000);
        view.exec();
        poll.stop();
        rescue.Disarm();
        EXPECT_FALSE(rescue.Stuck());
    });
    user([&] { form.FitSpectrumButton.Click(); });

    EXPECT_EQ(step, Step::Done);
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(form.Fit.Sellmeier.Checked() && !form.Fit.Cauchy.Checked());
    ASSERT_TRUE(form.Fit.Outcome().result) << form.Fit.Outcome().reason;
    EXPECT_EQ(form.Fit.Outcome().result->laws.dispersion, DispersionLaw::Sellmeier);
    EXPECT_TRUE(form.FixThickness.Checked());
    EXPECT_EQ(form.thickness.Text(), ThicknessCmText(form.Fit.Outcome().result->thicknessNm));
}

}  // namespace
}  // namespace optc::qt
