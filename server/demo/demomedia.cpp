#include "server/demo/demomedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

namespace DemoMedia {

namespace {

bool g_videosRendered = true;

QString absolutePath(const QString& filesDir, const QString& relativePath)
{
    const QString path = filesDir + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
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
