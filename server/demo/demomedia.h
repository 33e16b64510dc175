#pragma once

#include <QColor>
#include <QSize>
#include <QString>

// Pictures and videos of the demo data, made here: pictures are drawn with
// QPainter, videos are test clips rendered by ffmpeg. Paths are relative to
// the files folder, as they appear under "/uploadfiles/".
namespace DemoMedia {

// Draws a picture with a gradient, simple shapes and a caption and saves it
// (format from the suffix). False when it cannot be written.
bool drawPicture(const QString& filesDir, const QString& relativePath, const QSize& size,
                 const QString& caption, const QColor& base);

// Draws a screen background and saves it: abstract and wordless, dark and
// quiet enough for the client's white text to be read over any part of it.
// `base` sets its hue; `seed` varies the shapes. False when it cannot be written.
bool drawBackground(const QString& filesDir, const QString& relativePath, const QSize& size,
                    const QColor& base, quint32 seed);

// Renders a short test clip (H.264 + AAC in MP4). When rendering is switched
// off a small placeholder file is written instead; when ffmpeg is missing or
// fails, nothing is written and false is returned so the caller can leave
// the video out.
bool renderVideo(const QString& filesDir, const QString& relativePath, int seconds, int variant);

void setVideosRendered(bool rendered);
bool videosRendered();

// A colour from a fixed palette, for variety across demo pictures.
QColor paletteColor(int index);

} // namespace DemoMedia
