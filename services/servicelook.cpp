#include "services/servicelook.h"

#include <QDialog>
#include <QFont>

namespace ServiceLook {

QString pinkOrangeButton(int cornerRadius)
{
    return QStringLiteral("QPushButton { color: white; border: none; border-radius: %1px;"
                          " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #CE396E, stop:1 #B8520A); }"
                          " QPushButton:focus { border: 2px solid white; }")
        .arg(cornerRadius);
}

QString blueButton()
{
    return QStringLiteral("QPushButton { color: white; border: none;"
                          " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1e63c9, stop:1 #2076c8); }"
                          " QPushButton:focus { border: 2px solid white; }");
}

QFont roboto(int pointSize, int weight)
{
    QFont font(QStringLiteral("Roboto"), pointSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

void makeFrameless(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    dialog->setAttribute(Qt::WA_TranslucentBackground);
}

} // namespace ServiceLook
