#include "ui/qt/ChartWidget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <qdrawutil.h>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "datafiles/ResultsFileSet.h"
#include "numerics/Errors.h"
#include "numerics/FloatText.h"
#include "ui/Form.h"
#include "ui/qt/Bindings.h"
#include "ui/qt/ChartMarks.h"
#include "ui/qt/ChartTickers.h"
#include "numerics/Index.h"

namespace optc::qt {

namespace {

QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }
std::uint32_t Key(Color c) { return (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b; }

MouseButton ToButton(Qt::MouseButton b) {
    if (b == Qt::RightButton) return MouseButton::Right;
    if (b == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

// Squared distance from p to the segment a-b.
double SegmentDistance2(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = ab.x() * ab.x() + ab.y() * ab.y();
    double t = 0.0;
    if (len2 > 0.0) t = std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return d.x() * d.x() + d.y() * d.y();
}

// A graph's points by colour, in first-seen order (a series has few colours).
struct ColourRun {
    Color colour;
    QVector<QCPGraphData> data;
};

ColourRun& RunFor(std::vector<ColourRun>& runs, Color colour) {
    for (auto& run : runs)
        if (Key(run.colour) == Key(colour)) return run;
    runs.push_back({colour, {}});
    return runs.back();
}

// Each point's place among the points in ascending x, from 0.
std::vector<int> RanksInX(const std::vector<ChartPoint>& points) {
    std::vector<int> order(points.size()), ranks(points.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    // A point without a finite x is never drawn; it goes last.
    const auto key = [&points](int i) { return std::isnan(points[i].x) ? HUGE_VAL : points[i].x; };
    std::stable_sort(order.begin(), order.end(), [&key](int a, int b) { return key(a) < key(b); });
    for (std::size_t r = 0; r < order.size(); ++r) ranks[order[r]] = static_cast<int>(r);
    return ranks;
}

// The zoom rectangle: a black frame two pixels wide over the plot, nothing filled.
class ZoomFrame : public QRubberBand {
public:
    explicit ZoomFrame(QWidget* parent) : QRubberBand(QRubberBand::Rectangle, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

}  // namespace

ChartWidget::ChartWidget(ChartModel& model, Form& form, QWidget* parent)
    : QCustomPlot(parent), model_(model), form_(form) {
    setMouseTracking(true);
    setInteractions(QCP::Interactions());
    setSelectionRectMode(QCP::srmNone);
    band_ = new ZoomFrame(this);
    xAxis->setTicker(MakeTicker(false, -1));
    yAxis->setTicker(MakeTicker(false, -1));
    zoomTimer_.setInterval(15);
    connect(&zoomTimer_, &QTimer::timeout, this, [this] { AnimationStep(); });
    if (!model_.Title().empty()) {
        plotLayout()->insertRow(0);
        title_ = new QCPTextElement(this, ToQString(model_.Title()), QFont(font().family(), 9, QFont::Bold));
        plotLayout()->addElement(0, 0, title_);
    }
    QPointer<ChartWidget> self(this);
    model_.Observe([self] {
        if (self) self->RedrawIfChanged();
    });
    model_.cursorIndexHook = [self](int seriesIndex) {
        return self ? self->PointAt(seriesIndex, self->cursor_) : -1;
    };
    Redraw();
}

ChartWidget::~ChartWidget() { model_.cursorIndexHook = nullptr; }

ChartWidget::AxisState ChartWidget::StateOf(const ChartAxis& a) {
    return {a.automaticMinimum, a.automaticMaximum, a.minimum, a.maximum, a.logarithmic, a.title};
}

bool ChartWidget::Changed() const {
    if (!drawnOnce_) return true;
    if (!(StateOf(model_.LeftAxis()) == drawnLeft_) || !(StateOf(model_.BottomAxis()) == drawnBottom_))
        return true;
    if (drawnRevisions_.size() != static_cast<std::size_t>(model_.SeriesCount())) return true;
    for (int i = 0; i < model_.SeriesCount(); ++i)
        if (model_.Series(i).Revision() != At(drawnRevisions_, i)) return true;
    return false;
}

void ChartWidget::Remember() {
    drawnLeft_ = StateOf(model_.LeftAxis());
    drawnBottom_ = StateOf(model_.BottomAxis());
    drawnRevisions_.clear();
    for (int i = 0; i < model_.SeriesCount(); ++i) drawnRevisions_.push_back(model_.Series(i).Revision());
    drawnOnce_ = true;
}

void ChartWidget::RedrawIfChanged() {
    if (Changed()) Redraw();
}

bool ChartWidget::Drawable(const ChartPoint& p) const {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    // A logarithmic axis has no place for values at or below zero.
    return !(logX_ && p.x <= 0.0) && !(logY_ && p.y <= 0.0);
}

void ChartWidget::Redraw() {
    const ChartModel& m = model_;
    // A zoom animated from what the axes show now, on the same scales.
    const Ranges shown{xAxis->range(), yAxis->range()};
    const bool animate = animateNextRedraw_ && zoomAnimationMs_ > 0 && drawnOnce_ && isVisible() &&
                         logX_ == m.BottomAxis().logarithmic && logY_ == m.LeftAxis().logarithmic;
    zoomTimer_.stop();
    logX_ = m.BottomAxis().logarithmic;
    logY_ = m.LeftAxis().logarithmic;
    clearGraphs();
    clearItems();

    bool hasData = false;
    double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
    auto extend = [&](const ChartPoint& p) {
        if (!hasData) {
            xLo = xHi = p.x;
            yLo = yHi = p.y;
            hasData = true;
            return;
        }
        xLo = std::min(xLo, p.x);
        xHi = std::max(xHi, p.x);
        yLo = std::min(yLo, p.y);
        yHi = std::max(yHi, p.y);
    };

    for (int s = 0; s < m.SeriesCount(); ++s) {
        const ChartSeries& series = m.Series(s);
        const auto& points = series.Points();
        if (series.Style() == SeriesStyle::Markers) {
            std::vector<ColourRun> runs;
            const auto row = series.Labelled() ? std::make_shared<MarkLabelRow>() : nullptr;
            const std::vector<int> ranks = series.Labelled() ? RanksInX(points) : std::vector<int>{};
            for (std::size_t i = 0; i < points.size(); ++i) {
                const ChartPoint& p = points[i];
                if (!Drawable(p)) continue;
                extend(p);
                RunFor(runs, p.colour).data.push_back(QCPGraphData(p.x, p.y));
                if (row) {
                    auto* label = new MarkLabel(this, kMarkerSize, row, ranks[i]);
                    label->position->setCoords(p.x, p.y);
                    label->setText(ToQString(FloatToStr(p.x)));
                }
            }
            for (auto& run : runs) {
                QCPGraph* graph = new MarkerGraph(xAxis, yAxis);
                graph->setLineStyle(QCPGraph::lsNone);
                // QPen(Qt::NoPen) would be needed for a borderless marker; the colour's
                // own pen keeps the circle crisp.
                graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(ToQColor(run.colour)),
                                                       QBrush(ToQColor(run.colour)), kMarkerSize));
                graph->setAntialiasedScatters(false);
                graph->data()->set(run.data, true);
            }
        } else {
            // A line keeps ascending X; a change of colour starts a new piece that
            // begins at the last point of the previous one, so the line stays whole.
            // Values a logarithmic left axis cannot show leave a gap.
            QVector<QCPGraphData> data;
            Color colour{};
            bool open = false;
            auto flush = [&] {
                if (data.isEmpty()) return;
                QCPGraph* graph = addGraph();
                graph->setLineStyle(QCPGraph::lsLine);
                graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
                graph->setPen(QPen(ToQColor(colour), 1));
                graph->setAdaptiveSampling(true);
                graph->data()->set(data, true);
            };
            for (const ChartPoint& p : points) {
                if (!std::isfinite(p.x) || !std::isfinite(p.y) || (logX_ && p.x <= 0.0)) continue;
                const bool shown = !(logY_ && p.y <= 0.0);
                if (shown) extend(p);
                if (open && !(p.colour == colour)) {
                    QCPGraphData last = data.back();
                    flush();
                    data.clear();
                    data.push_back(last);
                }
                colour = p.colour;
                open = true;
                data.push_back(QCPGraphData(p.x, shown ? p.y : std::numeric_limits<double>::quiet_NaN()));
            }
            flush();
        }
    }

    xAxis->setLabel(ToQString(m.BottomAxis().title));
    yAxis->setLabel(ToQString(m.LeftAxis().title));
    const Ranges target = ApplyRanges(hasData, xLo, xHi, yLo, yHi);
    Remember();
    if (animate && !(shown == target)) {
        zoomFrom_ = shown;
        zoomTo_ = target;
        xAxis->setRange(shown.x);
        yAxis->setRange(shown.y);
        zoomClock_.start();
        zoomTimer_.start();
    }
    replot();
    RefreshReadout();
}

double ChartWidget::PixelToX(double px) const { return xAxis->pixelToCoord(px); }
double ChartWidget::PixelToY(double py) const { return yAxis->pixelToCoord(py); }

int ChartWidget::PointAt(int seriesIndex, QPointF pixel) const {
    if (seriesIndex < 0 || seriesIndex >= model_.SeriesCount()) return -1;
    const auto& points = model_.Series(seriesIndex).Points();
    double a = PixelToX(pixel.x() - kHitTolerance), b = PixelToX(pixel.x() + kHitTolerance);
    if (a > b) std::swap(a, b);
    auto it = std::lower_bound(points.begin(), points.end(), a,
                               [](const ChartPoint& p, double x) { return p.x < x; });
    int best = -1;
    double bestD2 = kHitTolerance * kHitTolerance;
    for (; it != points.end() && it->x <= b; ++it) {
        if (!Drawable(*it)) continue;
        const QPointF at(xAxis->coordToPixel(it->x), yAxis->coordToPixel(it->y));
        const QPointF d = at - pixel;
        const double d2 = d.x() * d.x() + d.y() * d.y();
        if (d2 < bestD2 || (best < 0 && d2 <= bestD2)) {
            best = static_cast<int>(it - points.begin());
            bestD2 = d2;
        }
    }
    return best;
}

bool ChartWidget::OnSeries(int seriesIndex, QPointF pixel) const {
    if (seriesIndex < 0 || seriesIndex >= model_.SeriesCount()) return false;
    const ChartSeries& series = model_.Series(seriesIndex);
    if (series.Style() == SeriesStyle::Markers) return PointAt(seriesIndex, pixel) >= 0;
    const auto& points = series.Points();
    double a = PixelToX(pixel.x() - kHitTolerance), b = PixelToX(pixel.x() + kHitTolerance);
    if (a > b) std::swap(a, b);
    auto it = std::lower_bound(points.begin(), points.end(), a,
                               [](const ChartPoint& p, double x) { return p.x < x; });
    // The segment that enters the window starts one point earlier.
    if (it != points.begin()) --it;
    const double tol2 = kHitTolerance * kHitTolerance;
    for (; it != points.end() && std::next(it) != points.end(); ++it) {
        const ChartPoint& p = *it;
        const ChartPoint& q = *std::next(it);
        if (p.x > b) break;
        if (!Drawable(p) || !Drawable(q)) continue;
        const QPointF pa(xAxis->coordToPixel(p.x), yAxis->coordToPixel(p.y));
        const QPointF pb(xAxis->coordToPixel(q.x), yAxis->coordToPixel(q.y));
        if (SegmentDistance2(pixel, pa, pb) <= tol2) return true;
    }
    // A line of one point is drawn as nothing but can still be hit where it lies.
    if (points.size() == 1 && Drawable(points[0])) return PointAt(seriesIndex, pixel) >= 0;
    return false;
}

void ChartWidget::Run(const std::function<void()>& handler) {
    form_.Dispatch(handler);
    // The form redraws the charts it knows; this one may not be registered with it.
    RedrawIfChanged();
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    cursor_ = event->position();
    pressPos_ = event->position().toPoint();
    dragging_ = false;
    pressOnAxis_ = false;
    menuAtPress_ = false;
    // The topmost clickable series under the pointer takes the click, also where it
    // touches an axis line: with automatic scaling the lowest point of a curve lies on
    // the bottom axis.
    const int tolerance = static_cast<int>(kHitTolerance);
    if (axisRect()->rect().adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(pressPos_)) {
        for (int s = model_.SeriesCount() - 1; s >= 0; --s) {
            if (!model_.Series(s).Clickable() || !OnSeries(s, cursor_)) continue;
            const MouseButton button = ToButton(event->button());
            const double x = PixelToX(cursor_.x()), y = PixelToY(cursor_.y());
            Run([this, s, button, x, y] {
                if (model_.OnClickSeries) model_.OnClickSeries(s, button, x, y);
            });
            return;
        }
    }
    pressOnAxis_ = xAxis->selectTest(cursor_, false) >= 0 || yAxis->selectTest(cursor_, false) >= 0;
    if (pressOnAxis_) return;
    // Where the series take clicks (the minima window), right clicks belong to the
    // plot: the menu opens on its empty area only.
    bool seriesTakeClicks = false;
    for (int s = 0; s < model_.SeriesCount(); ++s) seriesTakeClicks = seriesTakeClicks || model_.Series(s).Clickable();
    const bool inPlot = axisRect()->rect().contains(pressPos_);
    menuAtPress_ = inPlot || !seriesTakeClicks;
    if (!inPlot) return;
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        band_->setGeometry(QRect(pressPos_, QSize()));
    }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    cursor_ = event->position();
    if (dragging_) {
        band_->setGeometry(QRect(pressPos_, cursor_.toPoint()).normalized());
        band_->show();
    }
    ReportPointer();
}

void ChartWidget::ReportPointer() {
    const double x = PixelToX(cursor_.x()), y = PixelToY(cursor_.y());
    readoutShown_ = true;
    readoutMapping_ = CurrentMapping();
    Run([this, x, y] {
        if (model_.OnMouseMove) model_.OnMouseMove(x, y);
    });
}

ChartWidget::Mapping ChartWidget::CurrentMapping() const {
    return {{xAxis->range(), yAxis->range()}, logX_, logY_, axisRect()->rect()};
}

void ChartWidget::RefreshReadout() {
    if (!readoutShown_ || CurrentMapping() == readoutMapping_) return;
    // The pointer is on the chart when the chart, or a readout laid over it, is the
    // widget under it (not another window in front).
    const QPoint pointer = QCursor::pos();
    QWidget* under = QApplication::widgetAt(pointer);
    if (under && (under == this || isAncestorOf(under))) {
        cursor_ = mapFromGlobal(QPointF(pointer));
        ReportPointer();
        return;
    }
    readoutShown_ = false;
    Run([this] {
        if (model_.OnReadoutStale) model_.OnReadoutStale();
    });
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
    cursor_ = event->position();
    const QPoint end = event->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        band_->hide();
        // The rectangle may be drawn in any direction; it zooms to what it covers
        // inside the plot area.
        const QRect rect = QRect(pressPos_, end).normalized().intersected(axisRect()->rect());
        if (rect.width() >= kMinimumZoomDrag && rect.height() >= kMinimumZoomDrag) {
            const double x1 = PixelToX(rect.left()), x2 = PixelToX(rect.right());
            const double y1 = PixelToY(rect.bottom()), y2 = PixelToY(rect.top());
            RunAnimated([this, x1, x2, y1, y2] { model_.ZoomTo(x1, x2, y1, y2); });
        }
        return;
    }
    if (pressOnAxis_) {
        pressOnAxis_ = false;
        const bool onAxis = xAxis->selectTest(cursor_, false) >= 0 || yAxis->selectTest(cursor_, false) >= 0;
        if (onAxis && (end - pressPos_).manhattanLength() <= kMinimumZoomDrag)
            Run([this] {
                if (model_.OnClickAxis) model_.OnClickAxis();
            });
    }
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    cursor_ = event->position();
    dragging_ = false;
    band_->hide();
    RunAnimated([this] {
        if (model_.OnDblClick) model_.OnDblClick();
    });
}

void ChartWidget::SetLoweredBevel(int width) {
    bevel_ = std::max(0, width);
    update();
}

void ChartWidget::SetInnerLoweredBevel(int width) {
    innerBevel_ = std::max(0, width);
    update();
}

void ChartWidget::paintEvent(QPaintEvent* event) {
    QCustomPlot::paintEvent(event);
    if (bevel_ <= 0 && innerBevel_ <= 0) return;
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, bevel_);
    // The inner bevel in the deeper shades of a sunken edge: shadow above and to the
    // left, midlight below and to the right.
    const QRect inner = rect().adjusted(bevel_, bevel_, -bevel_, -bevel_);
    QPalette deeper = palette();
    deeper.setColor(QPalette::Dark, palette().color(QPalette::Shadow));
    deeper.setColor(QPalette::Light, palette().color(QPalette::Midlight));
    qDrawShadePanel(&painter, inner, deeper, true, innerBevel_);
}

// Zooming is by dragging only; the wheel does nothing.
void ChartWidget::wheelEvent(QWheelEvent* event) { event->ignore(); }

// The menu opens where a right click does nothing else. On some window systems the
// menu is asked for as the button goes down, before the release that makes a click on
// an axis: it must not open there, or it would take that release.
void ChartWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse && !menuAtPress_) {
        event->accept();
        return;
    }
    QMenu menu(this);
    menu.addAction(QString::fromLatin1(kSaveAsCaption), this, [this] { SaveChartAs(); });
    menu.exec(event->globalPos());
    event->accept();
}

std::string ChartWidget::SaveAs(const std::string& path) {
    QString name = ToQString(path);
    const QString suffix = QFileInfo(name).suffix().toLower();
    const bool pdf = suffix == QLatin1String("pdf");
    if (!pdf && suffix != QLatin1String("png")) name += QLatin1String(".png");
    // Drawn from the model as it stands, not from a drawing still to come.
    RedrawIfChanged();
    FinishAnimation();
    // Written whole beside its name, then moved into place: a picture that could not
    // be written never replaces the one saved before.
    const std::string failure = "Unable to save the chart to " + FromQString(name);
    try {
        WriteFileAllOrNone(FromQString(name), [&](const std::string& temporary) {
            const QString file = ToQString(temporary);
            if (!(pdf ? savePdf(file, width(), height()) : savePng(file, width(), height())))
                throw std::runtime_error(failure);
        });
    } catch (const EInOutError& e) {
        // The box's first line stays the chart's; the second says what is wrong where.
        EInOutError error(e.Code(), failure);
        error.SetDetail(e.Detail(), e.SystemError());
        throw error;
    } catch (const std::exception&) {
        throw std::runtime_error(failure);
    }
    return FromQString(name);
}

void ChartWidget::SaveChartAs() {
    const auto path = form_.GetPlatform().SaveFileDialog("PNG picture (*.png);;PDF document (*.pdf)");
    if (!path) return;
    form_.Dispatch([this, &path] { form_.GetPlatform().RememberFolder(SaveAs(*path)); });
}

}  // namespace optc::qt
