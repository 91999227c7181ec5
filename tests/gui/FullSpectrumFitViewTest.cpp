// Fit Spectrum on screen (offscreen platform): its button in the free room of the Thin
// Films window, the dialog fitting the example on its worker thread while the window
// keeps answering, its result in the widgets, nothing cut off at any size, and a long
// fit cancelled from the dialog.
#include "thinfilm/fit/FullSpectrumFitView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "numerics/FloatText.h"
#include "support/SourceTree.h"
#include "support/TempFolder.h"
#include "thinfilm/SyntheticFilm.h"
#include "thinfilm/fit/FullSpectrumFitForm.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ThinFilmWindowOnScreen.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

// Long enough for any fit here, on the slowest build.
constexpr int kFitWaitMs = 120000;

class FullSpectrumFitViewTest : public ThinFilmWindowOnScreen {
protected:
    FullSpectrumFitViewTest() {
        fit = std::make_unique<FullSpectrumFitView>(form.Fit, window.get());
        Show();
    }

    // Every visible widget of the dialog lies inside it, and none of the left column's
    // and the charts' overlap.
    void ExpectNothingCutOff() {
        const QRect inside = fit->rect();
        for (QWidget* w : fit->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->parentWidget() != fit.get()) continue;
            EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString();
        }
        // The model's choices inside their frames, and no two of them on each other.
        for (auto* frame : fit->findChildren<QGroupBox*>()) {
            const auto choices = frame->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
            for (QAbstractButton* w : choices) {
                EXPECT_TRUE(frame->rect().contains(w->geometry())) << w->objectName().toStdString();
                EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
                for (QAbstractButton* other : choices)
                    if (other != w) {
                        EXPECT_FALSE(w->geometry().intersects(other->geometry())) << w->objectName().toStdString();
                    }
            }
        }
        const char* parts[] = {"Model", "Table", "SpectrumChart", "ResidualChart", "AlphaChart", "ResultLine"};
        for (std::size_t i = 0; i < std::size(parts); ++i)
            for (std::size_t j = i + 1; j < std::size(parts); ++j) {
                const char *a = parts[i], *b = parts[j];
                QWidget *wa = fit->findChild<QWidget*>(a), *wb = fit->findChild<QWidget*>(b);
                ASSERT_TRUE(wa && wb) << a << " " << b;
                EXPECT_FALSE(wa->geometry().intersects(wb->geometry())) << a << " " << b;
            }
    }

    // Each model choice clicked or typed in the dialog reaches the dialog's form and the
    // options it fits with; each law's radio buttons exclude only each other. Ends with
    // the choices as the dialog opens.
    void ExpectChoicesReachTheForm() {
        FullSpectrumFitForm& f = form.Fit;
        const std::pair<const char*, RadioButton*> radios[] = {{"Cauchy", &f.Cauchy},
                                                              {"CauchyThree", &f.CauchyThree},
                                                              {"Sellmeier", &f.Sellmeier},
                                                              {"NoAbsorption", &f.NoAbsorption},
                                                              {"Urbach", &f.Urbach}};
        struct Step {
            const char* click;  // a radio button or check box; nullptr: type `slit`
            const char* slit;
            DispersionLaw dispersion;
            AbsorptionLaw absorption;
            bool spread, fitSubstrate;
            double slitNm;
        };
        using D = DispersionLaw;
        using A = AbsorptionLaw;
        for (const Step& s : std::vector<Step>{
                 {"Sellmeier", "", D::Sellmeier, A::Urbach, true, false, 0},
                 {"NoAbsorption", "", D::Sellmeier, A::None, true, false, 0},
                 {"CauchyThree", "", D::CauchyThree, A::None, true, false, 0},
                 {"Spread", "", D::CauchyThree, A::None, false, false, 0},
                 {"FitSubstrate", "", D::CauchyThree, A::None, false, true, 0},
                 {nullptr, "2.5", D::CauchyThree, A::None, false, true, 2.5},
                 {"Urbach", "", D::CauchyThree, A::Urbach, false, true, 2.5},
                 {"Cauchy", "", D::Cauchy, A::Urbach, false, true, 2.5},
                 {"Spread", "", D::Cauchy, A::Urbach, true, true, 2.5},
                 {"FitSubstrate", "", D::Cauchy, A::Urbach, true, false, 2.5},
                 {nullptr, "0", D::Cauchy, A::Urbach, true, false, 0},
             }) {
            SCOPED_TRACE(s.click ? s.click : s.slit);
            if (s.click) {
                // On the indicator, as a user clicks: a click far right of a short
                // caption is no click on the button.
                auto* w = fit->findChild<QAbstractButton*>(s.click);
                ASSERT_NE(w, nullptr);
                ASSERT_TRUE(w->isEnabled());
                QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
            } else {
                auto* slit = fit->findChild<QLineEdit*>("Slit");
                ASSERT_NE(slit, nullptr);
                slit->setFocus();
                slit->selectAll();
                QTest::keyClicks(slit, s.slit);
            }
            for (const auto& [name, model] : radios)
                EXPECT_EQ(fit->findChild<QRadioButton*>(name)->isChecked(), model->Checked()) << name;
            EXPECT_EQ(fit->findChild<QCheckBox*>("Spread")->isChecked(), f.Spread.Checked());
            EXPECT_EQ(fit->findChild<QCheckBox*>("FitSubstrate")->isChecked(), f.FitSubstrate.Checked());
            const std::optional<SpectrumFitOptions> options = f.ChosenOptions();
            ASSERT_TRUE(options);
            EXPECT_EQ(options->dispersion, s.dispersion);
            EXPECT_EQ(options->absorption, s.absorption);
            EXPECT_EQ(options->spread, s.spread);
            EXPECT_EQ(options->fitSubstrate, s.fitSubstrate);
            EXPECT_EQ(options->slitNm, s.slitNm);
        }
        // The range typed into its boxes, then emptied again: the spectrum's ends.
        const auto type = [this](const char* box, const char* text) {
            auto* line = fit->findChild<QLineEdit*>(box);
            ASSERT_NE(line, nullptr) << box;
            line->setFocus();
            line->selectAll();
            if (*text) {
                QTest::keyClicks(line, text);
            } else {
                QTest::keyClick(line, Qt::Key_Delete);
            }
        };
        for (const auto& [from, to, fromNm, toNm] : {std::tuple{"510", "1000", 510.0, 1000.0}, {"", "", 0.0, 0.0}}) {
            type("FitFrom", from);
            type("FitTo", to);
            const std::optional<SpectrumFitOptions> options = f.ChosenOptions();
            ASSERT_TRUE(options) << f.ChoicesFault();
            EXPECT_EQ(options->fromNm, fromNm);
            EXPECT_EQ(options->toNm, toNm);
        }
    }

    std::unique_ptr<FullSpectrumFitView> fit;
    optc::testing::TempFolder temp{"spectrum_fit_view"};
};

TEST_F(FullSpectrumFitViewTest, ButtonInFreeRoomAndTheExampleFittedOnTheWorkerThread) {
    auto* button = window->findChild<QPushButton*>("FitSpectrum");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Fit Spectrum...");
    EXPECT_FALSE(button->isEnabled());
    const QRect place(button->mapTo(window.get(), QPoint()), button->size());
    EXPECT_EQ(place.topLeft(), QPoint(262, 9));
    for (QWidget* other : window->findChildren<QWidget*>()) {
        if (other == button || other->isAncestorOf(button) || button->isAncestorOf(other) || !other->isVisible())
            continue;
        QRect taken(other->mapTo(window.get(), QPoint()), other->size());
        if (auto* label = qobject_cast<QLabel*>(other); label && other->objectName().isEmpty())
            taken.setWidth(label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_FALSE(place.intersects(taken)) << other->objectName().toStdString();
    }
    CalculateExample();
    EXPECT_TRUE(button->isEnabled());

    platform.modalScripts.push_back([&](Form& shown) {
        ASSERT_EQ(&shown, &form.Fit);
        fit->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fit.get()));
        EXPECT_EQ(fit->windowTitle(), "Fit Spectrum");
        ExpectNothingCutOff();
        ExpectChoicesReachTheForm();

        Click(*fit, "FitButton");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !fit->Fitting(); }, kFitWaitMs));
        ASSERT_TRUE(form.Fit.Outcome().result) << form.Fit.Outcome().reason;
        auto* line = fit->findChild<QLabel*>("ResultLine");
        EXPECT_EQ(line->text(), ToQString(form.Fit.ResultLine.Text()));
        EXPECT_TRUE(line->text().startsWith("d = ")) << line->text().toStdString();
        EXPECT_EQ(fit->Table().rowCount(), static_cast<int>(form.Fit.Table.Rows().size()));
        EXPECT_GT(fit->Table().rowCount(), 3);
        EXPECT_EQ(fit->Table().item(0, 0)->text(), ToQString(form.Fit.Outcome().result->parameters[0].name));
        EXPECT_TRUE(fit->findChild<QPushButton*>("UseThickness")->isEnabled());
        EXPECT_FALSE(fit->findChild<QPushButton*>("Cancel")->isEnabled());
        EXPECT_EQ(fit->Progress().value(), 0);
        fit->SpectrumChart().Redraw();
        int points = 0;
        for (int i = 0; i < fit->SpectrumChart().graphCount(); ++i) points += fit->SpectrumChart().graph(i)->data()->size();
        EXPECT_GE(points, data->SpecCount + static_cast<int>(form.Fit.Outcome().result->points.size()));
        // The guide's picture of the dialog, when asked for.
        if (qEnvironmentVariableIsSet("FIT_VIEW_SHOT")) fit->grab().save(qEnvironmentVariable("FIT_VIEW_SHOT"));
        for (const QSize size : {QSize(944, 618), QSize(1300, 860)}) {
            fit->resize(size);
            QCoreApplication::processEvents();
            EXPECT_EQ(fit->size(), size);
            ExpectNothingCutOff();
        }
        Click(*fit, "UseThickness");
        EXPECT_FALSE(fit->isVisible());
    });
    Click(*window, "FitSpectrum");
    EXPECT_TRUE(platform.modalScripts.empty());
    EXPECT_TRUE(form.FixThickness.Checked());
    ASSERT_TRUE(form.Outcome().spectrumFit && form.Outcome().spectrumFit->result);
    // Typed into the window's thickness box, in cm, and shown there.
    auto* thickness = window->findChild<QLineEdit*>("thickness");
    ASSERT_NE(thickness, nullptr);
    EXPECT_TRUE(thickness->isEnabled());
    EXPECT_EQ(thickness->text(), ToQString(ThicknessCmText(form.Outcome().spectrumFit->result->thicknessNm)));
}

// A long fit (a 1000 nm film measured at 100000 points): the window's thread runs on
// while it fits, Cancel ends it, the dialog says so and can fit again.
TEST_F(FullSpectrumFitViewTest, ALongFitShowsItsProgressAndCancelEndsIt) {
    synthetic::Film film;
    const auto clean = synthetic::Spectrum(film, 400, 1500, 100000, false);
    const std::string spectrum = temp.Write("long.txt", [&] {
        std::string text;
        for (const auto& [x, y] : clean) text += FloatToStr(x) + " " + FloatToStr(y) + "\r\n";
        return text;
    }());
    std::string fringes;
    for (const auto& [x, y] : synthetic::Extrema(synthetic::Spectrum(film, 400, 1500, 4000, false), 460))
        fringes += FloatToStr(x) + " " + FloatToStr(y) + "\r\n";
    Import("import1", spectrum);
    Import("Import2", temp.Write("fringes.txt", fringes));
    TypeNs();
    ASSERT_TRUE(platform.log.empty()) << platform.log.front();

    platform.modalScripts.push_back([&](Form&) {
        fit->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fit.get()));
        Click(*fit, "FitButton");
        EXPECT_TRUE(fit->Fitting());
        EXPECT_TRUE(fit->findChild<QPushButton*>("Cancel")->isEnabled());
        EXPECT_FALSE(fit->findChild<QPushButton*>("FitButton")->isEnabled());
        EXPECT_FALSE(fit->findChild<QCheckBox*>("Spread")->isEnabled());
        Click(*fit, "Cancel");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !fit->Fitting(); }, kFitWaitMs));
        EXPECT_EQ(fit->findChild<QLabel*>("ResultLine")->text(), "The fit was cancelled.");
        EXPECT_FALSE(form.Fit.Outcome().result);
        EXPECT_FALSE(fit->findChild<QPushButton*>("UseThickness")->isEnabled());
        EXPECT_TRUE(fit->findChild<QPushButton*>("FitButton")->isEnabled());
        EXPECT_FALSE(fit->findChild<QPushButton*>("Cancel")->isEnabled());
        Click(*fit, "CloseButton");
    });
    Click(*window, "FitSpectrum");
    EXPECT_TRUE(platform.modalScripts.empty());
    EXPECT_FALSE(form.Outcome().spectrumFit);
}

}  // namespace
}  // namespace optc::qt
