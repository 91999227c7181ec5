#include "ui/qt/ReportPdf.h"

#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <qcustomplot.h>

#include <cerrno>

#include "datafiles/FileErrors.h"
#include "ui/qt/Bindings.h"

namespace optc::qt {

namespace {

constexpr int kResolution = 144;  // device units per inch of the page
constexpr int kChartHeight = 430;
constexpr int kGap = 24;

QColor ToQColor(const Color& c) { return QColor(c.r, c.g, c.b); }

// The chart as the windows draw theirs: lines without markers, markers without lines.
QFont Face(int points, bool bold);

void DrawChart(QPainter& painter, const ReportChart& chart, const QRect& room) {
    QCustomPlot plot;
    plot.resize(room.size());
    plot.plotLayout()->insertRow(0);
    plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, ToQString(chart.title), Face(10, true)));
    plot.xAxis->setLabel(ToQString(chart.bottomTitle));
    plot.yAxis->setLabel(ToQString(chart.leftTitle));
    for (const ReportCurve& curve : chart.curves) {
        if (curve.points.empty()) continue;
        QCPGraph* graph = plot.addGraph();
        QVector<double> x, y;
        for (const auto& [px, py] : curve.points) {
            x.push_back(px);
            y.push_back(py);
        }
        graph->setData(x, y);
        if (curve.markers) {
            graph->setLineStyle(QCPGraph::lsNone);
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::NoPen), ToQColor(curve.colour), 5));
        } else {
            graph->setPen(QPen(ToQColor(curve.colour), 1.5));
        }
    }
    plot.rescaleAxes();
    // Laid out as on a screen of 96 dots per inch and drawn at twice the page's
    // resolution, so that its texts keep their proportions to the plot.
    constexpr double kScreen = 96.0;
    const double shrink = kScreen / kResolution;
    const QPixmap picture = plot.toPixmap(static_cast<int>(room.width() * shrink),
                                          static_cast<int>(room.height() * shrink), 2.0 / shrink);
    painter.drawPixmap(room, picture);
}

// Fonts without ligatures, so that the text read back from the file is the text written.
QFont Face(int points, bool bold) {
    QFont font("sans", points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

}  // namespace

void WriteReportPdf(const Report& report, const std::string& path) {
    QPdfWriter writer(ToQString(path));
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    writer.setTitle(ToQString(report.title));
    writer.setCreator("Optical Constants");
    QPainter painter;
    if (!painter.begin(&writer)) RaiseFileError(errno ? errno : EACCES, FileOp::Create, path);
    const QRect page = writer.pageLayout().paintRectPixels(kResolution).translated(
        -writer.pageLayout().paintRectPixels(kResolution).topLeft());
    int y = 0;
    const auto write = [&](const QString& text, const QFont& font, int indent = 0) {
        painter.setFont(font);
        const QRect box(indent, y, page.width() - indent, page.height());
        const QRect used = painter.boundingRect(box, Qt::TextWordWrap, text);
        painter.drawText(box, Qt::TextWordWrap, text);
        y += used.height();
    };
    const QFont title = Face(16, true), heading = Face(11, true), body = Face(9, false);
    write(ToQString("Optical Constants: " + report.title), title);
    y += kGap / 2;
    for (const ReportSection& section : report.sections) {
        write(ToQString(section.title), heading);
        for (const ReportLine& line : section.lines)
            write(ToQString(line.label + ": " + (line.value.empty() ? "(none)" : line.value)), body, 20);
        y += kGap / 2;
    }
    if (!report.warnings.empty()) {
        write("Warnings", heading);
        for (const std::string& warning : report.warnings) write(ToQString(warning), body, 20);
        y += kGap / 2;
    }
    // The charts, two in a row; a row that does not fit begins the next page.
    const int width = (page.width() - kGap) / 2;
    for (std::size_t i = 0; i < report.charts.size(); i += 2) {
        if (y + kChartHeight > page.height()) {
            writer.newPage();
            y = 0;
        }
        for (std::size_t k = i; k < std::min(i + 2, report.charts.size()); ++k)
            DrawChart(painter, report.charts[k], QRect(static_cast<int>(k - i) * (width + kGap), y, width, kChartHeight));
        y += kChartHeight + kGap;
    }
    if (!painter.end()) RaiseFileError(EIO, FileOp::Write, path);
}

}  // namespace optc::qt
