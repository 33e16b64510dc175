#include "main/historylistview.h"

#include "main/historyrowdelegate.h"

#include <QKeyEvent>

HistoryListView::HistoryListView(QWidget* parent)
    : QListView(parent)
{
    setItemDelegate(new HistoryRowDelegate(this));
    // Every row has the same height: the view then never asks the delegate
    // for the size of each of thousands of rows.
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // hover highlight
    viewport()->setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractItemView::clicked, this, &HistoryListView::dayChosen);
}

void HistoryListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (currentIndex().isValid() && !event->isAutoRepeat()) {
            event->accept();
            emit dayChosen(currentIndex());
            return;
        }
        break;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}
