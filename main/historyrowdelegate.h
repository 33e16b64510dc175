#pragma once

#include <QFont>
#include <QPixmap>
#include <QStyledItemDelegate>

// Paints one day of the history list as its row looks: a 70-pixel band with
// the date in white on the left eleven twelfths and the arrow picture
// stretched over the last twelfth, 2 pixels apart from the next row.
class HistoryRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int rowHeight = 70;
    static constexpr int rowGap = 2;

    explicit HistoryRowDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where the date and the arrow go inside a row's rectangle.
    static QRect dateRect(const QRect& row);
    static QRect arrowRect(const QRect& row);

private:
    QFont m_dateFont;
    QFont m_exerciseFont;
    QPixmap m_arrow;
};
