#include "server/demo/demomedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cmath>

namespace DemoMedia {

namespace {

bool g_videosRendered = true;

QString absolutePath(const QString& filesDir, const QString& relativePath)
{
    const QString path = filesDir + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

// `base`'s hue turned by `hueTurn` degrees, with its saturation scaled by
// `saturation` and the given brightness: the muted tones of the backgrounds.
QColor tone(const QColor& base, int hueTurn, qreal saturation, qreal value, qreal alpha = 1)
{
    const qreal hue = base.hsvHueF() < 0 ? 0 : base.hsvHueF();
    const qreal turned = hue + hueTurn / 360.0;
    // A greyish base still gives a tinted picture rather than a grey one.
    return QColor::fromHsvF(turned - std::floor(turned),
                            qBound(0.3, base.hsvSaturationF() * saturation, 1.0), value, alpha);
}

} // namespace

QColor paletteColor(int index)
{
    static const QColor colors[] = {
        QColor(0xCE, 0x39, 0x6E), QColor(0xF6, 0x71, 0x0E), QColor(0x3B, 0x3A, 0x55),
        QColor(0x2E, 0x8B, 0x57), QColor(0x1E, 0x6F, 0xB8), QColor(0x8E, 0x44, 0xAD),
        QColor(0xC0, 0x8B, 0x2C), QColor(0x16, 0xA0, 0x85),
    };
    const int count = int(std::size(colors));
    return colors[((index % count) + count) % count];
}

bool drawPicture(const QString& filesDir, const QString& relativePath, const QSize& size,
                 const QString& caption, const QColor& base)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, base.darker(180));
    gradient.setColorAt(1, base.lighter(120));
    painter.fillRect(image.rect(), gradient);

    // A few soft circles so the pictures are told apart at a glance.
    painter.setPen(Qt::NoPen);
    const int unit = qMin(size.width(), size.height());
    for (int i = 0; i < 5; ++i) {
        QColor circle = base.lighter(140 + i * 15);
        circle.setAlpha(60);
        painter.setBrush(circle);
        const int radius = unit / 6 + (i * unit) / 12;
        const int x = (size.width() * (i * 37 % 100)) / 100;
        const int y = (size.height() * (i * 61 % 100)) / 100;
        painter.drawEllipse(QPoint(x, y), radius, radius);
    }

    QFont font;
    font.setPixelSize(qMax(10, unit / 9));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect().adjusted(unit / 20, unit / 20, -unit / 20, -unit / 20),
                     Qt::AlignCenter | Qt::TextWordWrap, caption);
    painter.end();
    return image.save(absolutePath(filesDir, relativePath));
}

bool drawBackground(const QString& filesDir, const QString& relativePath, const QSize& size,
                    const QColor& base, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = size.width();
    const qreal height = size.height();
    const qreal extent = qMax(width, height);
    QRandomGenerator random(seed);

    // A deep wash from one corner to the other.
    QLinearGradient wash(0, 0, width, height);
    wash.setColorAt(0, tone(base, -12, 0.55, 0.20));
    wash.setColorAt(1, tone(base, 18, 0.60, 0.11));
    painter.fillRect(image.rect(), wash);

    // Large soft glows, a little lighter than the wash, fading to nothing.
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const QPointF centre(random.bounded(width), random.bounded(height));
        const qreal radius = extent * (0.25 + random.bounded(0.35));
        QRadialGradient glow(centre, radius);
        const int hueTurn = random.bounded(-30, 31);
        glow.setColorAt(0, tone(base, hueTurn, 0.65, 0.34, 0.45));
        glow.setColorAt(1, tone(base, hueTurn, 0.65, 0.34, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius, radius);
    }

    // A few thin flowing lines across the picture.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        const qreal baseline = height * (0.2 + random.bounded(0.6));
        const qreal amplitude = height * (0.05 + random.bounded(0.12));
        const qreal waves = 0.6 + random.bounded(1.2);
        const qreal phase = random.bounded(6.28);
        QPainterPath line;
        for (int x = 0; x <= size.width(); x += 8) {
            const qreal wave = std::sin(phase + waves * 6.28 * x / width);
            const QPointF point(x, baseline + amplitude * wave);
            if (x == 0)
                line.moveTo(point);
            else
                line.lineTo(point);
        }
        const QColor colour = tone(base, random.bounded(-20, 21), 0.5, 0.45, 0.35);
        painter.setPen(QPen(colour, 1.5 + random.bounded(2.5)));
        painter.drawPath(line);
    }

    // Darker towards the edges, where windows put their titles and menus.
    QRadialGradient vignette(QPointF(width / 2, height / 2), extent * 0.75);
    vignette.setColorAt(0.4, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 110));
    painter.setPen(Qt::NoPen);
    painter.setBrush(vignette);
    painter.drawRect(image.rect());
    painter.end();
    return image.save(absolutePath(filesDir, relativePath));
}

bool renderVideo(const QString& filesDir, const QString& relativePath, int seconds, int variant)
{
    const QString path = absolutePath(filesDir, relativePath);
    if (!g_videosRendered) {
        // Not a playable video: enough bytes for downloads and ranges.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        QByteArray block(64 * 1024, Qt::Uninitialized);
        for (int i = 0; i < block.size(); ++i)
            block[i] = char((i * 7 + variant) & 0xff);
        for (int i = 0; i < 4; ++i)
            file.write(block);
        return true;
    }
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return false;
    static const char* const sources[] = {"testsrc", "testsrc2", "smptebars", "rgbtestsrc"};
    const QString source = QString::fromLatin1(sources[variant % int(std::size(sources))])
        + QStringLiteral("=size=640x360:rate=25");
    const QString tone = QStringLiteral("sine=frequency=%1:sample_rate=44100").arg(330 + 110 * (variant % 4));
    QProcess process;
    process.start(ffmpeg, {QStringLiteral("-y"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                           QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), source,
                           QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), tone,
                           QStringLiteral("-t"), QString::number(seconds),
                           QStringLiteral("-c:v"), QStringLiteral("libx264"),
                           QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                           QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                           QStringLiteral("-c:a"), QStringLiteral("aac"),
                           QStringLiteral("-movflags"), QStringLiteral("+faststart"), path});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        process.kill();
        QFile::remove(path);
        return false;
    }
    return true;
}

void setVideosRendered(bool rendered)
{
    g_videosRendered = rendered;
}

bool videosRendered()
{
    return g_videosRendered;
}

} // namespace DemoMedia
