#include "account/linkbutton.h"

#include <QPainter>

namespace {
const QColor linkColour(0x2F, 0x2E, 0x46);
const QColor disabledColour(0x9A, 0x99, 0xA8);
const int textFlags = Qt::AlignLeft | Qt::AlignVCenter; // no mnemonic handling

QFont linkFont(QFont font)
{
    font.setUnderline(true);
    font.setBold(true);
    return font;
}
} // namespace

LinkButton::LinkButton(QWidget* parent)
    : QPushButton(parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
}

QSize LinkButton::sizeHint() const
{
    const QRect text = QFontMetrics(linkFont(font())).boundingRect(QRect(0, 0, 10000, 10000), textFlags, this->text());
    return text.size() + QSize(4, 4);
}

QSize LinkButton::minimumSizeHint() const
{
    return sizeHint();
}

void LinkButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(linkFont(font()));
    painter.setPen(isEnabled() ? linkColour : disabledColour);
    painter.drawText(rect().adjusted(2, 2, -2, -2), textFlags, text());
}
