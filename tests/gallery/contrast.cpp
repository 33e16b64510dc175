#include "contrast.h"

#include <QtMath>

#include <algorithm>
#include <cstdlib>

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : qPow((channel + 0.055) / 1.055, 2.4);
}

int difference(QRgb first, QRgb second)
{
    return std::max({std::abs(qRed(first) - qRed(second)), std::abs(qGreen(first) - qGreen(second)),
                     std::abs(qBlue(first) - qBlue(second))});
}

} // namespace

double Contrast::luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double Contrast::ratio(const QColor& first, const QColor& second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool Contrast::isLargeText(double pointSize, bool bold)
{
    return pointSize >= 18.0 || (bold && pointSize >= 14.0);
}

double Contrast::required(double pointSize, bool bold)
{
    return isLargeText(pointSize, bold) ? 3.0 : 4.5;
}

std::optional<Contrast::Sample> Contrast::measure(const QImage& withText, const QImage& withoutText,
                                                  const QRect& area)
{
    if (withText.size() != withoutText.size() || withText.isNull())
        return std::nullopt;
    // Opaque pixels as drawn: both renders are flattened by the caller.
    const QImage with = withText.convertToFormat(QImage::Format_RGB32);
    const QImage without = withoutText.convertToFormat(QImage::Format_RGB32);
    const QRect bounds = area.isNull() ? with.rect() : area.intersected(with.rect());
    if (bounds.isEmpty())
        return std::nullopt;

    int largest = 0;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(with.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(without.constScanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x)
            largest = std::max(largest, difference(a[x], b[x]));
    }
    if (largest == 0)
        return std::nullopt;

    // Whole glyph pixels for the text, every stroke pixel for what is under it.
    const int covered = largest - largest / 20;
    const int stroke = (largest + 1) / 2;
    double text[3] = {0, 0, 0};
    double background[3] = {0, 0, 0};
    int textCount = 0;
    int backgroundCount = 0;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(with.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(without.constScanLine(y));
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            const int change = difference(a[x], b[x]);
            if (change >= covered) {
                text[0] += qRed(a[x]);
                text[1] += qGreen(a[x]);
                text[2] += qBlue(a[x]);
                ++textCount;
            }
            if (change >= stroke) {
                background[0] += qRed(b[x]);
                background[1] += qGreen(b[x]);
                background[2] += qBlue(b[x]);
                ++backgroundCount;
            }
        }
    }
    const auto mean = [](const double* sum, int count) {
        return QColor(qRound(sum[0] / count), qRound(sum[1] / count), qRound(sum[2] / count));
    };
    Sample sample;
    sample.text = mean(text, textCount);
    sample.background = mean(background, backgroundCount);
    sample.ratio = ratio(sample.text, sample.background);
    sample.pixels = backgroundCount;
    return sample;
}
