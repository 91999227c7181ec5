// Fringe Orders on screen (offscreen platform): the button in the Thin Films window,
// the dialog's widgets after the example's Calculate, and the dialog shown modally by
// the real platform with Copy to the real clipboard and Use This Thickness.
#include "thinfilm/orders/FringeOrdersView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "numerics/FloatText.h"
#include "support/ModalRescue.h"
#include "support/SourceTree.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "thinfilm/window/Main_1.h"
#include "thinfilm/window/Main_1View.h"
#include "ThinFilmWindowOnScreen.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/QtPlatform.h"
#include "ui/ScriptedPlatform.h"

namespace optc::qt {
namespace {

using optc::testing::kExamples;

// With OPTC_SCREENSHOT_DIR set, the pictures are saved there.
void SavePicture(QWidget& widget, const char* name) {
    const QImage picture = widget.grab().toImage();
    EXPECT_EQ(picture.size() / picture.devicePixelRatio(), QSize(944, 618));
    const QByteArray folder = qgetenv("OPTC_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + "/" + name));
    }
}

class FringeOrdersViewTest : public ThinFilmWindowOnScreen {
protected:
    FringeOrdersViewTest() {
        orders = std::make_unique<FringeOrdersView>(form.Orders, window.get());
        Show();
    }

    std::unique_ptr<FringeOrdersView> orders;
};

TEST_F(FringeOrdersViewTest, ButtonSitsInFreeSpaceAndFollowsCalculate) {
    auto* button = window->findChild<QPushButton*>("FringeOrders");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Fringe Orders...");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(button->autoDefault());
    const QRect place(button->mapTo(window.get(), QPoint()), button->size());
    EXPECT_TRUE(window->rect().contains(place));
    // It covers no other control and no caption's text.
    for (QWidget* other : window->findChildren<QWidget*>()) {
        if (other == button || other->isAncestorOf(button) || button->isAncestorOf(other) || !other->isVisible())
            continue;
        QRect taken(other->mapTo(window.get(), QPoint()), other->size());
        if (auto* label = qobject_cast<QLabel*>(other); label && other->objectName().isEmpty())
            taken.setWidth(label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_FALSE(place.intersects(taken)) << other->objectName().toStdString() << " "
                                              << (qobject_cast<QLabel*>(other) ? qobject_cast<QLabel*>(other)->text().toStdString() : "");
    }
    CalculateExample();
    EXPECT_TRUE(button->isEnabled());
    SavePicture(*window, "thinfilm-window-orders-button.png");
    platform.openAnswers.push_back((kExamples / "thinfilm-transmission.txt").string());
    Click(*window, "import1");
    EXPECT_FALSE(button->isEnabled());
}

TEST_F(FringeOrdersViewTest, DialogShowsResultLineTableAndChart) {
    CalculateExample();
    platform.modalScripts.push_back([&](Form& shown) {
        ASSERT_EQ(&shown, &form.Orders);
        orders->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(orders.get()));
        EXPECT_EQ(orders->windowTitle(), "Fringe Orders");
        auto* line = orders->findChild<QLabel*>("ResultLine");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text(), ToQString(form.Orders.ResultLine.Text()));
        EXPECT_TRUE(line->text().startsWith(QString::fromUtf8("d = 1998.1 \u00B1 3.0 nm, 0.000199814 cm")));

        QTableWidget& table = orders->Table();
        ASSERT_EQ(table.rowCount(), 18);
        ASSERT_EQ(table.columnCount(), 9);
        EXPECT_EQ(table.horizontalHeaderItem(0)->text(), QString::fromUtf8("\u03BB (nm)"));
        EXPECT_EQ(table.horizontalHeaderItem(6)->text(), "d2 (nm)");
        EXPECT_EQ(table.item(0, 0)->text(), "1048.07");
        EXPECT_EQ(table.item(0, 1)->text(), "min");
        EXPECT_EQ(table.item(0, 5)->text(), "8.5");
        // Rows left out of a mean are greyed and say which mean.
        const int last = 17;
        EXPECT_EQ(table.item(last, 8)->text(), "d2");
        EXPECT_TRUE(table.item(last, 6)->font().italic());
        EXPECT_FALSE(table.item(0, 6)->font().italic());

        orders->Chart().Redraw();
        int points = 0;
        for (int i = 0; i < orders->Chart().graphCount(); ++i) points += orders->Chart().graph(i)->data()->size();
        EXPECT_GE(points, 2 * 18 + data->DispCount - 1);
        EXPECT_TRUE(orders->findChild<QPushButton*>("Copy")->isEnabled());
        SavePicture(*orders, "fringe-orders-dialog.png");
        form.Orders.Dispatch([&] { form.Orders.CloseButton.Click(); });
        EXPECT_FALSE(orders->isVisible());
    });
    Click(*window, "FringeOrders");
    EXPECT_TRUE(platform.modalScripts.empty());
}

// The note beside the thickness: in the free room above the fringes-free box, two
// small lines that wrap, and the orders' thickness there after the example's Calculate
// (2042.5 nm against the orders' 1998.1 +- 3.0 nm). The dialog resizes, and a result
// line with warnings wraps above the table, never cut off.
TEST_F(FringeOrdersViewTest, NoteBesideTheThicknessAndAResizableDialogWithAWrappingResultLine) {
    auto* note = window->findChild<QLabel*>("OrdersNote");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(QRect(note->mapTo(window.get(), QPoint()), note->size()), QRect(8, 436, 228, 22));
    EXPECT_TRUE(note->wordWrap());
    for (const char* below : {"FrFTr", "nu633", "ninp"}) {
        QWidget* other = window->findChild<QWidget*>(below);
        ASSERT_NE(other, nullptr) << below;
        EXPECT_FALSE(QRect(note->mapTo(window.get(), QPoint()), note->size())
                         .intersects(QRect(other->mapTo(window.get(), QPoint()), other->size())))
            << below;
    }
    CalculateExample();
    EXPECT_EQ(note->text(), QString::fromUtf8("Fringe orders: 1998.1 \u00B1 3.0 nm (see Fringe Orders...)"));

    auto* line = orders->findChild<QLabel*>("ResultLine");
    ASSERT_NE(line, nullptr);
    const std::string longLine = "d = 18432.8 \u00B1 104.8 nm, 0.001843284 cm (103 of 105 extrema)"
                                 "\nWarning: " + std::string(300, 'x').replace(40, 1, " ").replace(120, 1, " ") +
                                 "\nWarning: the index rises with wavelength over the extrema used.";
    form.Orders.Dispatch([&] { form.Orders.ResultLine.SetText(longLine); });
    orders->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(orders.get()));
    for (const QSize size : {QSize(944, 618), QSize(1300, 800)}) {
        orders->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(orders->size(), size);
        EXPECT_GE(line->height(), line->heightForWidth(line->width()));
        EXPECT_GE(orders->Table().y(), line->geometry().bottom());
        EXPECT_EQ(line->width(), size.width() - 16);
        auto* close = orders->findChild<QPushButton*>("CloseButton");
        EXPECT_EQ(close->geometry().right(), size.width() - 9);
        EXPECT_LE(close->geometry().bottom(), size.height());
    }
    EXPECT_GT(orders->Table().width(), 560);
    orders->hide();
}

// The real platform shows the dialog modally; Copy reaches the system clipboard and
// Use This Thickness ends the modal showing.
TEST(FringeOrdersModalTest, CopyToTheClipboardAndUseThisThicknessCloseTheModalDialog) {
    SetDecimalSeparator('.');
    QtPlatform platform;
    FringeOrdersForm form(platform);
    FringeOrdersView view(form);
    platform.RegisterWindow(form, view);
    std::vector<FringeExtremum> extrema;
    for (int h = 9; h <= 16; ++h)
        extrema.push_back(
            {4 * 2.3 * 1000.0 / h, h % 2 ? ExtremumKind::Minimum : ExtremumKind::Maximum, h % 2 ? 70.0 : 90.0, 2.3});
    CalculatedFringes calculated{extrema, 3, {2.3}, 580, 1020, {}};
    form.Dispatch([&] { form.ShowOutcome(FindFringeOrders(extrema, 3), calculated); });
    ASSERT_TRUE(form.Outcome().result);
    double used = 0;
    form.OnUseThickness = [&](double nm) { used = nm; };

    testing::ModalRescue rescue(view);
    rescue.Arm(5000);
    QTimer::singleShot(0, &view, [&] {
        QTest::mouseClick(view.findChild<QPushButton*>("Copy"), Qt::LeftButton);
        QTest::mouseClick(view.findChild<QPushButton*>("UseThickness"), Qt::LeftButton);
    });
    platform.ShowModal(form);
    rescue.Disarm();
    EXPECT_FALSE(rescue.Stuck());
    EXPECT_FALSE(view.isVisible());
    EXPECT_NEAR(used, 1000.0, 1e-9);
    const QString clipboard = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(clipboard.startsWith("Lambda (nm)\tType\tT (%)\tn1\td1 (nm)\tm\td2 (nm)\tn2\tLeft out\n")) << clipboard.toStdString();
    EXPECT_EQ(clipboard.count('\n'), 1 + 8);
}

}  // namespace
}  // namespace optc::qt
