#include "widgets/qtmaterialtheme.h"

#include <QDebug>

namespace {

QColor blackAt(qreal opacity)
{
    QColor color(Qt::black);
    color.setAlphaF(float(opacity));
    return color;
}

} // namespace

QtMaterialTheme::QtMaterialTheme(QObject* parent)
    : QObject(parent)
{
    m_colors = {
        {QStringLiteral("primary1"), QColor(0x00, 0xbc, 0xd4)},
        {QStringLiteral("primary2"), QColor(0x00, 0x97, 0xa7)},
        {QStringLiteral("primary3"), blackAt(0.54)},
        {QStringLiteral("accent1"), QColor(0xff, 0x40, 0x81)},
        {QStringLiteral("accent2"), QColor(0xf5, 0xf5, 0xf5)},
        {QStringLiteral("accent3"), QColor(0x9e, 0x9e, 0x9e)},
        {QStringLiteral("text"), blackAt(0.87)},
        {QStringLiteral("alternateText"), QColor(0xff, 0xff, 0xff)},
        {QStringLiteral("canvas"), QColor(0xff, 0xff, 0xff)},
        {QStringLiteral("border"), QColor(0xe0, 0xe0, 0xe0)},
        {QStringLiteral("disabled"), blackAt(0.26)},
        {QStringLiteral("disabled2"), blackAt(0.12)},
        {QStringLiteral("disabled3"), QColor(0xe0, 0xe0, 0xe0)},
    };
}

QColor QtMaterialTheme::getColor(const QString& key) const
{
    const auto found = m_colors.constFind(key);
    if (found == m_colors.constEnd()) {
        qWarning().noquote() << QStringLiteral("A theme color matching the key '") + key
                                    + QStringLiteral("' could not be found.");
        return {};
    }
    return *found;
}

void QtMaterialTheme::setColor(const QString& key, const QColor& color)
{
    m_colors.insert(key, color);
}
