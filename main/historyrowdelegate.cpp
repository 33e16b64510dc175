#include "main/historyrowdelegate.h"

#include "main/historylistmodel.h"

#include <QPainter>

namespace {

const QColor rowColour(59, 58, 85, 200);
const QColor hoverColour(74, 73, 104, 220);
const QColor focusColour(246, 113, 14); // the orange end of the title gradient
constexpr int datePadding = 20;

} // namespace

HistoryRowDelegate::HistoryRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
    , m_dateFont(QStringLiteral("Arial"), 18, QFont::Bold)
    , m_exerciseFont(QStringLiteral("Arial"), 14)
    , m_arrow(QStringLiteral(":/main/assets/right_arrow.png"))
{
}

QRect HistoryRowDelegate::dateRect(const QRect& row)
{
    // The date takes 11 of 12 parts of the width, the arrow the last one.
    const int dateWidth = row.width() * 11 / 12;
    return QRect(row.left(), row.top(), dateWidth, row.height());
}

QRect HistoryRowDelegate::arrowRect(const QRect& row)
{
    const QRect date = dateRect(row);
    return QRect(date.right() + 1, row.top(), row.width() - date.width(), row.height());
}

void HistoryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const QRect row(option.rect.left(), option.rect.top(), option.rect.width(), rowHeight);
    painter->save();
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    painter->fillRect(row, hovered ? hoverColour : rowColour);

    const QRect date = dateRect(row).adjusted(datePadding, 0, 0, 0);
    painter->setFont(m_dateFont);
    painter->setPen(Qt::white);
    const QString text = index.data(Qt::DisplayRole).toString();
    // The day's exercise to the right of the date, in a lighter weight; the
    // date keeps the room it needs and the exercise gets what is left.
    const QString exercise = index.data(HistoryListModel::exerciseRole).toString();
    const int dateWidth = painter->fontMetrics().horizontalAdvance(text);
    painter->drawText(date, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      painter->fontMetrics().elidedText(text, Qt::ElideRight, date.width()));
    if (!exercise.isEmpty()) {
        painter->setFont(m_exerciseFont);
        const QRect rest = date.adjusted(dateWidth + datePadding, 0, -datePadding, 0);
        if (rest.width() > 0)
            painter->drawText(rest, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                              painter->fontMetrics().elidedText(exercise, Qt::ElideRight,
                                                                rest.width()));
    }

    if (!m_arrow.isNull())
        painter->drawPixmap(arrowRect(row), m_arrow);

    // Where the keyboard is: the row that Space or Enter opens.
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        painter->setPen(QPen(focusColour, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(row.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QSize HistoryRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index)
    return QSize(option.rect.width(), rowHeight + rowGap);
}
