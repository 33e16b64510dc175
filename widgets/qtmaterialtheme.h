#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QString>

// Named colours shared by the material widgets. Every key starts with its
// default; windows may recolour any key.
class QtMaterialTheme final : public QObject
{
    Q_OBJECT

public:
    explicit QtMaterialTheme(QObject* parent = nullptr);

    // The colour of `key`; an unknown key warns and yields an invalid colour.
    QColor getColor(const QString& key) const;
    void setColor(const QString& key, const QColor& color);

private:
    QHash<QString, QColor> m_colors;
};
