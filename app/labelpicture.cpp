#include "app/labelpicture.h"

#include "app/pictureloader.h"

#include <QLabel>
#include <QPixmap>

namespace LabelPicture {

namespace {

const char* const requestedAddress = "pictureAddress";

} // namespace

bool fetch(QLabel* label, const QString& address)
{
    if (!label)
        return false;
    label->setProperty(requestedAddress, address);
    return PictureLoader::instance()->load(address, label, [label, address](const QImage& picture) {
        if (label->property(requestedAddress).toString() != address)
            return;
        QPixmap pixmap = QPixmap::fromImage(picture);
        if (!label->size().isEmpty())
            pixmap = pixmap.scaled(label->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        label->setPixmap(pixmap);
    });
}

} // namespace LabelPicture
