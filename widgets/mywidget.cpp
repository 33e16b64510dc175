#include "widgets/mywidget.h"

#include "widgets/activationkeys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
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

void MyWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    event->accept(); // its release comes here and is reported
}

void MyWidget::mouseReleaseEvent(QMouseEvent* event)
{
    emit clicked();
    QWidget::mouseReleaseEvent(event);
    // A clickable parent must not report the same click again.
    event->accept();
}

void MyWidget::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && isActivationKey(event->key())) {
        emit clicked();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MyWidget::connectNotify(const QMetaMethod& signal)
{
    QWidget::connectNotify(signal);
    if (signal == QMetaMethod::fromSignal(&MyWidget::clicked) && focusPolicy() == Qt::NoFocus)
        setFocusPolicy(Qt::StrongFocus);
}

void MyWidget::paintEvent(QPaintEvent*)
{
    // A plain QWidget subclass ignores its style sheet unless it paints the
    // primitive itself.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
