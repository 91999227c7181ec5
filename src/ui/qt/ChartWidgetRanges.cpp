#include "ui/qt/ChartWidget.h"

// The chart's axis ranges: the data's or the model's fixed bounds, the animated move
// from one range to the next, and the axes' layout around the labels.
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <functional>

#include "ui/qt/ChartTickers.h"

namespace optc::qt {

namespace {

// Values spread by less than this fraction of their size count as all equal.
constexpr double kFlatSpread = 1e-9;

// The range an axis shows: the data's, or the model's fixed bounds.
QCPRange AxisRange(const ChartAxis& axis, bool hasData, double lo, double hi) {
    const bool log = axis.logarithmic;
    if (!hasData) {
        lo = log ? 1.0 : 0.0;
        hi = log ? 10.0 : 1.0;
    } else if (lo == hi) {
        if (log) {
            lo /= 10.0;
            hi *= 10.0;
        } else {
            const double pad = lo == 0.0 ? 1.0 : std::abs(lo) * 0.1;
            lo -= pad;
            hi += pad;
        }
    } else if (!log && hi - lo <= kFlatSpread * std::max(std::abs(lo), std::abs(hi))) {
        // Values equal but for the last digits of their arithmetic (a constant
        // resampled, for one): flat as well, a tenth of the value either side.
        const double value = lo + (hi - lo) / 2.0;
        const double pad = std::abs(value) * 0.1;
        lo = value - pad;
        hi = value + pad;
    }
    if (!axis.automaticMinimum) lo = axis.minimum;
    if (!axis.automaticMaximum) hi = axis.maximum;
    if (log && lo <= 0.0) lo = hi > 0.0 ? hi / 1000.0 : 1.0;
    if (log && hi <= lo) hi = lo * 10.0;
    if (!(hi > lo)) hi = lo + 1.0;
    return QCPRange(lo, hi);
}

void SetScale(QCPAxis* axis, bool log, int minorTicks) {
    const auto type = log ? QCPAxis::stLogarithmic : QCPAxis::stLinear;
    if (axis->scaleType() == type) return;
    axis->setScaleType(type);
    axis->setTicker(MakeTicker(log, minorTicks));
}

// The range a fraction t of the way from a to b; on a logarithmic axis the exponents
// move evenly.
QCPRange Between(const QCPRange& a, const QCPRange& b, double t, bool log) {
    if (t >= 1.0) return b;
    auto mix = [t, log](double u, double v) {
        if (log && u > 0.0 && v > 0.0) return std::pow(10.0, std::log10(u) + (std::log10(v) - std::log10(u)) * t);
        return u + (v - u) * t;
    };
    return QCPRange(mix(a.lower, b.lower), mix(a.upper, b.upper));
}

}  // namespace

ChartWidget::Ranges ChartWidget::ApplyRanges(bool hasData, double xLo, double xHi, double yLo, double yHi) {
    SetScale(xAxis, logX_, -1);
    SetScale(yAxis, logY_, leftMinorTicks_);
    const Ranges ranges{AxisRange(model_.BottomAxis(), hasData, xLo, xHi),
                        AxisRange(model_.LeftAxis(), hasData, yLo, yHi)};
    xAxis->setRange(ranges.x);
    yAxis->setRange(ranges.y);
    return ranges;
}

void ChartWidget::ShowRanges(const Ranges& ranges) {
    xAxis->setRange(ranges.x);
    yAxis->setRange(ranges.y);
    replot();
    RefreshReadout();
}

void ChartWidget::AnimationStep() {
    const double t = std::min(1.0, static_cast<double>(zoomClock_.elapsed()) / zoomAnimationMs_);
    if (t >= 1.0) {
        FinishAnimation();
        return;
    }
    // Fast at first, settling gently on the new range.
    const double eased = 1.0 - (1.0 - t) * (1.0 - t) * (1.0 - t);
    ShowRanges({Between(zoomFrom_.x, zoomTo_.x, eased, logX_), Between(zoomFrom_.y, zoomTo_.y, eased, logY_)});
}

void ChartWidget::FinishAnimation() {
    if (!zoomTimer_.isActive()) return;
    zoomTimer_.stop();
    ShowRanges(zoomTo_);
}

void ChartWidget::RunAnimated(const std::function<void()>& handler) {
    animateNextRedraw_ = true;
    Run(handler);
    animateNextRedraw_ = false;
}

void ChartWidget::UseResultGraphAxes() {
    QFont labels = xAxis->tickLabelFont();
    labels.setPixelSize(kTickLabelPixels);
    QFont titles = xAxis->labelFont();
    titles.setPixelSize(kAxisTitlePixels);
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setTickLabelFont(labels);
        axis->setLabelFont(titles);
    }
    leftMinorTicks_ = kLeftMinorTicks;
    yAxis->setTicker(MakeTicker(logY_, leftMinorTicks_));
    yAxis->setSubTickLength(kMinorTickLength, 0);
    if (!fixedBottomBand_) connect(this, &QCustomPlot::beforeReplot, this, [this] { FitBottomLabelBand(); });
    fixedBottomBand_ = true;
    replot();
}

// The bottom axis's title keeps its place below the label band whether the labels take
// one line or two: the space between labels and title takes up the difference.
void ChartWidget::FitBottomLabelBand() {
    QVector<double> ticks;
    QVector<QString> labels;
    xAxis->ticker()->generate(xAxis->range(), locale(), xAxis->numberFormat().at(0), xAxis->numberPrecision(), ticks,
                              nullptr, &labels);
    const QFontMetrics metrics(xAxis->tickLabelFont());
    int height = 0;
    for (const QString& label : labels)
        height = std::max(height, metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignHCenter, label).height());
    const int outside = std::max({0, xAxis->tickLengthOut(), xAxis->subTickLengthOut()});
    xAxis->setLabelPadding(std::max(0, kBottomLabelBand - outside - xAxis->tickLabelPadding() - height));
}

}  // namespace optc::qt
