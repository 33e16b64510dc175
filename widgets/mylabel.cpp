#include "widgets/mylabel.h"

#include <QImage>
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
}
