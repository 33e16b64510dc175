#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <optional>

// How readable a text is against what lies under it, by the WCAG 2.1
// arithmetic: relative luminance of sRGB colours and the ratio
// (L1 + 0.05) / (L2 + 0.05), which body text must bring to 4.5:1 and large
// text (18 pt, or 14 pt bold) to 3:1.
//
// measure() reads the two colours from two renders of the same place, one
// with the text and one without: the pixels that differ are the text.
class Contrast final
{
public:
    static double luminance(const QColor& colour);
    // 1 (same luminance) to 21 (black on white), whichever colour is lighter.
    static double ratio(const QColor& first, const QColor& second);
    static bool isLargeText(double pointSize, bool bold);
    static double required(double pointSize, bool bold);

    struct Sample
    {
        QColor text;
        QColor background;
        double ratio = 1.0;
        int pixels = 0; // how many pixels the colours were read from
    };

    // The text's colour is the mean of `withText` where the renders differ
    // the most (within a twentieth of the largest difference): the pixels the
    // glyphs cover whole. Anti-aliased edges are partly background, and
    // counting them would make small text read paler than it is drawn. The
    // background is the mean of `withoutText` under the strokes (where the
    // difference reaches half the largest), so a picture behind the text
    // counts where the text lies on it. Only `area` is looked at (the whole
    // images when it is null). Nothing when no pixel differs: no text was
    // drawn there.
    static std::optional<Sample> measure(const QImage& withText, const QImage& withoutText,
                                         const QRect& area = QRect());
};
