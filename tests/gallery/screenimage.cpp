#include "screenimage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

QRect screenArea()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect(0, 0, 1366, 768);
}

} // namespace

QList<QWidget*> ScreenImage::stack(QWidget* front)
{
    QList<QWidget*> main;
    QList<QWidget*> plain;
    QList<QWidget*> modal;
    QWidget* activeModal = QApplication::activeModalWidget();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window == front || window == activeModal)
            continue;
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip)
            continue;
        // The main window lies under everything else.
        if (qobject_cast<QMainWindow*>(window))
            main.append(window);
        else
            (window->isModal() ? modal : plain).append(window);
    }
    QList<QWidget*> all = main + plain + modal;
    if (activeModal && activeModal != front && activeModal->isVisible())
        all.append(activeModal);
    if (front)
        all.append(front);
    return all;
}

QImage ScreenImage::compose(QWidget* front, bool withFront)
{
    const QRect area = screenArea();
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(QColor(40, 40, 40)); // the desktop
    QPainter painter(&image);
    for (QWidget* window : stack(front)) {
        if (window == front && !withFront)
            continue;
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    }
    return image;
}

QImage ScreenImage::behind(QWidget* front)
{
    const QRect area = screenArea();
    QImage image(front->size(), QImage::Format_RGB32);
    image.fill(QColor(40, 40, 40));
    QPainter painter(&image);
    painter.drawImage(area.topLeft() - front->geometry().topLeft(), compose(front, false));
    return image;
}

QString ScreenImage::useOffscreen(const QSize& size)
{
    const QJsonObject screen{{QStringLiteral("name"), QStringLiteral("gallery")},
                             {QStringLiteral("x"), 0},
                             {QStringLiteral("y"), 0},
                             {QStringLiteral("width"), size.width()},
                             {QStringLiteral("height"), size.height()},
                             {QStringLiteral("logicalDpi"), 96},
                             {QStringLiteral("logicalBaseDpi"), 96},
                             {QStringLiteral("dpr"), 1.0}};
    const QJsonObject configuration{{QStringLiteral("screens"), QJsonArray{screen}}};
    const QString path = QDir::temp().filePath(QStringLiteral("olva-offscreen-%1-%2x%3.json")
                                                   .arg(QCoreApplication::applicationPid())
                                                   .arg(size.width())
                                                   .arg(size.height()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QJsonDocument(configuration).toJson());
    qputenv("QT_QPA_PLATFORM",
            QByteArrayLiteral("offscreen:configfile=") + QFile::encodeName(path));
    return path;
}

QSize ScreenImage::parseSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return {};
    bool widthOk = false;
    bool heightOk = false;
    const QSize size(parts.at(0).toInt(&widthOk), parts.at(1).toInt(&heightOk));
    return widthOk && heightOk && size.width() > 0 && size.height() > 0 ? size : QSize();
}
