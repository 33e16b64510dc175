#include "widgets/qtmaterialstyle.h"

#include "widgets/qtmaterialtheme.h"

#include <QFontDatabase>

QtMaterialStyle& QtMaterialStyle::instance()
{
    static QtMaterialStyle style;
    return style;
}

QtMaterialStyle::QtMaterialStyle()
    : m_theme(new QtMaterialTheme(this))
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_regular"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_medium"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/roboto_bold"));
}

void QtMaterialStyle::setTheme(QtMaterialTheme* theme)
{
    if (!theme || theme == m_theme)
        return;
    delete m_theme;
    m_theme = theme;
    m_theme->setParent(this);
}

QColor QtMaterialStyle::themeColor(const QString& key) const
{
    return m_theme->getColor(key);
}
