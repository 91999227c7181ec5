#include "ui/qt/ChartTickers.h"

namespace optc::qt {

namespace {
// Beyond this a double has no further digits to show.
constexpr int kMostDigits = 17;

bool Distinct(const QVector<QString>& labels) {
    for (qsizetype i = 1; i < labels.size(); ++i)
        if (labels[i] == labels[i - 1]) return false;
    return true;
}
}  // namespace

int DistinctLabelTicker::getSubTickCount(double tickStep) {
    return minorTicks_ >= 0 ? minorTicks_ : QCPAxisTicker::getSubTickCount(tickStep);
}

QVector<QString> DistinctLabelTicker::createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                                        QChar formatChar, int precision) {
    QVector<QString> labels = QCPAxisTicker::createLabelVector(ticks, locale, formatChar, precision);
    for (int digits = precision + 1; !Distinct(labels) && digits <= kMostDigits; ++digits)
        labels = QCPAxisTicker::createLabelVector(ticks, locale, formatChar, digits);
    return labels;
}

QSharedPointer<QCPAxisTicker> MakeTicker(bool logarithmic, int minorTicks) {
    if (!logarithmic) return QSharedPointer<QCPAxisTicker>(new DistinctLabelTicker(minorTicks));
    auto* ticker = new QCPAxisTickerLog;
    if (minorTicks >= 0) ticker->setSubTickCount(minorTicks);
    return QSharedPointer<QCPAxisTicker>(ticker);
}

}  // namespace optc::qt
