#pragma once

#include <QColor>
#include <QObject>
#include <QString>

class QtMaterialTheme;

// The one style object of the material widgets: owns the current theme and
// registers the Roboto fonts with the application on first use.
class QtMaterialStyle final : public QObject
{
    Q_OBJECT

public:
    static QtMaterialStyle& instance();

    // Takes ownership of `theme`; a null theme is ignored.
    void setTheme(QtMaterialTheme* theme);
    QtMaterialTheme* theme() const { return m_theme; }
    QColor themeColor(const QString& key) const;

private:
    QtMaterialStyle();

    QtMaterialTheme* m_theme = nullptr;
};
