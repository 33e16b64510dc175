#include "widgets/qtmaterialfloatingactionbutton.h"

#include "widgets/qtmaterialiconbutton.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int normalDiameter = 56;
constexpr int miniDiameter = 40;

bool layoutContains(const QLayout* layout, const QWidget* widget)
{
    if (!layout)
        return false;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget || layoutContains(item->layout(), widget))
            return true;
    }
    return false;
}

} // namespace

QtMaterialFloatingActionButton::QtMaterialFloatingActionButton(QWidget* parent)
    : QtMaterialFloatingActionButton(QIcon(), parent)
{
}

QtMaterialFloatingActionButton::QtMaterialFloatingActionButton(const QIcon& icon, QWidget* parent)
    : QtMaterialRaisedButton(parent)
{
    setIcon(icon);
    init();
}

void QtMaterialFloatingActionButton::init()
{
    setRole(Material::Secondary);
    setRippleStyle(Material::CenteredRipple);
    setIconSize(QSize(24, 24));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(sizeHint());
    watchParent();
}

void QtMaterialFloatingActionButton::setCorner(Qt::Corner corner)
{
    m_corner = corner;
    placeAtCorner();
}

void QtMaterialFloatingActionButton::setOffset(const QSize& offset)
{
    m_offset = offset;
    placeAtCorner();
}

void QtMaterialFloatingActionButton::setMini(bool mini)
{
    m_mini = mini;
    updateGeometry();
    if (!managedByLayout())
        resize(sizeHint());
    placeAtCorner();
}

int QtMaterialFloatingActionButton::diameter() const
{
    return m_mini ? miniDiameter : normalDiameter;
}

QSize QtMaterialFloatingActionButton::sizeHint() const
{
    return {diameter(), diameter()};
}

bool QtMaterialFloatingActionButton::event(QEvent* event)
{
    if (event->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    else if (event->type() == QEvent::ParentChange)
        watchParent();
    return QtMaterialRaisedButton::event(event);
}

bool QtMaterialFloatingActionButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        placeAtCorner();
    return QtMaterialRaisedButton::eventFilter(watched, event);
}

void QtMaterialFloatingActionButton::watchParent()
{
    if (QWidget* parent = parentWidget()) {
        parent->installEventFilter(this);
        placeAtCorner();
    }
}

bool QtMaterialFloatingActionButton::managedByLayout() const
{
    const QWidget* parent = parentWidget();
    return parent && layoutContains(parent->layout(), this);
}

void QtMaterialFloatingActionButton::placeAtCorner()
{
    const QWidget* parent = parentWidget();
    if (!parent || managedByLayout())
        return;
    const int side = diameter();
    const bool left = m_corner == Qt::TopLeftCorner || m_corner == Qt::BottomLeftCorner;
    const bool top = m_corner == Qt::TopLeftCorner || m_corner == Qt::TopRightCorner;
    const int x = left ? m_offset.width() : parent->width() - m_offset.width() - side;
    const int y = top ? m_offset.height() : parent->height() - m_offset.height() - side;
    setGeometry(x, y, side, side);
    // It floats over the content: siblings filled in later must not cover it.
    raise();
}

QPainterPath QtMaterialFloatingActionButton::shape() const
{
    // The largest circle centred in the button, whatever size a layout gave it.
    const qreal side = qMin(width(), height());
    QPainterPath path;
    path.addEllipse(QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side));
    return path;
}

void QtMaterialFloatingActionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    paintHover(painter);
    paintRipples(painter);

    const QColor color = isEnabled() ? foregroundColor() : disabledForegroundColor();
    const QPixmap pixmap = tintedIconPixmap(icon(), iconSize(), color, devicePixelRatioF());
    if (pixmap.isNull())
        return;
    const QRect target(QPoint((width() - iconSize().width()) / 2, (height() - iconSize().height()) / 2),
                       iconSize());
    painter.drawPixmap(target, pixmap);
}
