#include "widgets/mylabel.h"

#include "widgets/activationkeys.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>

MyLabel::MyLabel(QWidget* parent)
    : QLabel(parent)
{
}

void MyLabel::setWrappedText(const QString& text)
{
    setWordWrap(true);
    setText(text);
}

void MyLabel::mousePressEvent(QMouseEvent* event)
{
    emit clicked();
    QLabel::mousePressEvent(event);
    // QLabel ignores the press; a clickable parent would then act on it too.
    event->accept();
}

void MyLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // The press was ours, so is its release (a MyWidget parent clicks on release).
    event->accept();
}

void MyLabel::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && isActivationKey(event->key())) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void MyLabel::connectNotify(const QMetaMethod& signal)
{
    QLabel::connectNotify(signal);
    if (signal == QMetaMethod::fromSignal(&MyLabel::clicked) && focusPolicy() == Qt::NoFocus)
        setFocusPolicy(Qt::StrongFocus);
}
