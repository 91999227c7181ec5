#include "thinfilm/orders/FringeOrdersView.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <QTableWidget>

#include "thinfilm/orders/FringeOrdersForm.h"
#include "thinfilm/orders/FringeOrdersText.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartWidget.h"
#include "ui/qt/ControlBuilder.h"

namespace optc::qt {

namespace {

// The dialog's headings: the table's own, with the wavelength as the window writes it.
QStringList Headings() {
    QStringList headings;
    for (const std::string& h : OrdersTableHeadings()) headings << ToQString(h);
    headings[0] = QString::fromUtf8("\u03BB (nm)");
    return headings;
}

// Rows left out of a mean are shown in grey italics.
const QColor kLeftOut(128, 128, 128);

}  // namespace

FringeOrdersView::FringeOrdersView(FringeOrdersForm& form, QWidget* parent)
    : FormDialog(form, "FringeOrders", parent, Options{}), form_(form) {
    ControlBuilder b(*this, form);

    QLabel* result = b.Static(form.ResultLine, 8, 8, 928, 24);
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(15);
    result->setFont(bold);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The line wraps, warnings and all, and the dialog makes room for it.
    result->setWordWrap(true);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result_ = result;

    table_ = new QTableWidget(this);
    table_->setObjectName("Table");
    table_->setGeometry(8, 40, 560, 530);
    table_->setColumnCount(static_cast<int>(OrdersTableHeadings().size()));
    table_->setHorizontalHeaderLabels(Headings());
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setStretchLastSection(true);
    QPointer<FringeOrdersView> self(this);
    form.Table.Observe([self] {
        if (self) self->MirrorTable();
    });
    MirrorTable();

    chart_ = b.Chart(form.Chart1, "Chart1", 576, 40, 360, 440);
    legend_ = b.Static(form.Legend, 576, 486, 360, 40);
    legend_->setWordWrap(true);

    copy_ = b.Push(form.Copy, 8, 582, 100);
    saveTable_ = b.Push(form.SaveTable, 116, 582, 120);
    useThickness_ = b.Push(form.UseThickness, 576, 582, 160);
    close_ = b.Push(form.CloseButton, 856, 582, 80);

    // Resizable from its usual size up; the result line's text decides its height.
    setMinimumSize(kClientWidth, kClientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
    form.ResultLine.Observe([self] {
        if (self) self->Arrange();
    });
    Arrange();
}

void FringeOrdersView::resizeEvent(QResizeEvent* event) {
    FormDialog::resizeEvent(event);
    Arrange();
}

// The usual places at the usual size; a wider or taller dialog gives the table and the
// chart the room, a longer result line pushes them down.
void FringeOrdersView::Arrange() {
    const int w = width(), h = height();
    const int lineWidth = w - 16;
    const int lineHeight = std::max(24, result_->heightForWidth(lineWidth));
    result_->setGeometry(8, 8, lineWidth, lineHeight);
    const int top = 8 + lineHeight + 8;
    const int buttons = h - 36;
    const int chartX = 576 + (w - kClientWidth) / 2, chartWidth = w - 8 - chartX;
    table_->setGeometry(8, top, chartX - 16, std::max(60, buttons - 12 - top));
    const int legendY = buttons - 96;
    chart_->setGeometry(chartX, top, chartWidth, std::max(60, legendY - 6 - top));
    legend_->setGeometry(chartX, legendY, chartWidth, 40);
    copy_->move(8, buttons);
    saveTable_->move(116, buttons);
    useThickness_->move(chartX, buttons);
    close_->move(w - 88, buttons);
}

void FringeOrdersView::MirrorTable() {
    const auto& rows = form_.Table.Rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const OrdersTable::Row& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
            auto* item = new QTableWidgetItem(ToQString(row.cells[static_cast<std::size_t>(c)]));
            item->setTextAlignment(c == 1 || c == 8 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (row.leftOut) {
                item->setForeground(kLeftOut);
                QFont italic = item->font();
                italic.setItalic(true);
                item->setFont(italic);
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    table_->setCurrentItem(nullptr);  // no focus frame on a cell nobody chose
}

}  // namespace optc::qt
