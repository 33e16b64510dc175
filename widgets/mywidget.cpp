#include "widgets/mywidget.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOption>

MyWidget::MyWidget(QWidget* parent)
    : QWidget(parent)
{
}

void MyWidget::setLabel(QLabel* label)
{
    m_label = label;
}

QLabel* MyWidget::label() const
{
    return m_label.data();
}

void MyWidget::mouseReleaseEvent(QMouseEvent* event)
{
    emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void MyWidget::paintEvent(QPaintEvent*)
{
    // A plain QWidget subclass ignores its style sheet unless it paints the
    // primitive itself.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
