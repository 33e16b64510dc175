#include "account/accountlook.h"

#include "widgets/qtmaterialcircularprogress.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

const QColor ink(0x2F, 0x2E, 0x46);
const QColor leafGreen(0x7B, 0xC6, 0x7E);
const QColor messageRed(0xE1, 0x54, 0x40);

// Moves a frameless window when the member drags its background (presses on
// child controls never reach the window, so they keep working).
class WindowDragger final : public QObject
{
public:
    explicit WindowDragger(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_grabOffset = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
            }
            break;
        }
        case QEvent::MouseMove:
            if (m_dragging)
                m_window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - m_grabOffset);
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* m_window;
    QPoint m_grabOffset;
    bool m_dragging = false;
};

} // namespace

namespace AccountLook {

void makeFrameless(QDialog* dialog, bool translucent)
{
    dialog->setWindowFlags(dialog->windowFlags() | Qt::FramelessWindowHint);
    dialog->setAttribute(Qt::WA_TranslucentBackground, translucent);
    new WindowDragger(dialog);
}

QPixmap logo(int side)
{
    // A picture shipped with the resources wins over the drawn one.
    const QString shipped = QStringLiteral(":/main/assets/logo.png");
    if (QFile::exists(shipped)) {
        const QPixmap picture(shipped);
        if (!picture.isNull())
            return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;

    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QRectF(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s));

    // A leaf above the name.
    QPainterPath leaf;
    leaf.moveTo(0.5 * s, 0.16 * s);
    leaf.cubicTo(0.68 * s, 0.22 * s, 0.68 * s, 0.38 * s, 0.5 * s, 0.46 * s);
    leaf.cubicTo(0.32 * s, 0.38 * s, 0.32 * s, 0.22 * s, 0.5 * s, 0.16 * s);
    painter.setBrush(leafGreen);
    painter.drawPath(leaf);
    painter.setPen(QPen(ink, qMax(1.0, 0.012 * s)));
    painter.drawLine(QPointF(0.5 * s, 0.2 * s), QPointF(0.5 * s, 0.44 * s));

    QFont name(QStringLiteral("Roboto"));
    name.setBold(true);
    name.setPixelSize(qMax(6, int(0.2 * s)));
    painter.setFont(name);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0.47 * s, s, 0.22 * s), Qt::AlignCenter, QStringLiteral("OLVA"));

    QFont tagline(QStringLiteral("Roboto"));
    tagline.setPixelSize(qMax(4, int(0.07 * s)));
    tagline.setLetterSpacing(QFont::AbsoluteSpacing, 0.01 * s);
    painter.setFont(tagline);
    painter.setPen(leafGreen);
    painter.drawText(QRectF(0, 0.68 * s, s, 0.1 * s), Qt::AlignCenter, QStringLiteral("WEIGHT LOSS"));
    return pixmap;
}

QIcon closeIcon()
{
    const int side = 48;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(14, 14), QPointF(34, 34));
    painter.drawLine(QPointF(34, 14), QPointF(14, 34));
    return QIcon(pixmap);
}

QString noAnswerText()
{
    return QCoreApplication::translate("AccountLook",
                                       "The server did not answer. Please try again.");
}

QtMaterialSnackbar* createMessageBar(QWidget* dialog)
{
    auto* bar = new QtMaterialSnackbar(dialog);
    bar->setBackgroundColor(messageRed);
    bar->setFontSize(15);
    return bar;
}

QtMaterialCircularProgress* createBusyIndicator(QWidget* area)
{
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* indicator = new QtMaterialCircularProgress(area);
    indicator->setColor(ink);
    layout->addWidget(indicator, 0, Qt::AlignCenter);
    return indicator;
}

} // namespace AccountLook
