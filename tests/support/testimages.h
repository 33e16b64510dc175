#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace TestImages {

// A PNG file of one colour, for servers that hand out pictures.
QByteArray png(const QSize& size, const QColor& colour);

} // namespace TestImages
