#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

class QWidget;

// A picture painted behind one widget's own painting and nowhere else: the
// labels, buttons and fields inside the widget keep their own looks and show
// the picture only where they are transparent. The picture covers the widget,
// scaled to fill it and centred, cut where its proportions differ.
class ScreenBackground final : public QObject
{
    Q_OBJECT

public:
    // Gives `widget` `picture` (replacing a picture it had); `source` says
    // where the picture came from. A null picture changes nothing.
    static void set(QWidget* widget, const QPixmap& picture, const QString& source);

    // Where the picture `widget` shows came from; empty when it has none.
    static QString sourceOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ScreenBackground(QWidget* widget);
    static ScreenBackground* of(const QWidget* widget);

    QPixmap m_picture;
    QString m_source;
};
