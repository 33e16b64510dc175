#include "widgets/mylabel.h"

#include "widgets/activationkeys.h"

#include <QImage>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPixmap>

MyLabel::MyLabel(QWidget* parent)
    : QLabel(parent)
{
}

void MyLabel::setWrappedText(const QString& text)
{
    setWordWrap(true);
    setText(text);
}

void MyLabel::replyFinished(QNetworkReply* reply)
{
    if (!reply)
        return;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return;

    QImage picture;
    if (!picture.loadFromData(reply->readAll()) || picture.isNull())
        return;

    // A label that has no size yet shows the picture as it is rather than
    // an empty one.
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (!size().isEmpty())
        pixmap = pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setPixmap(pixmap);
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
