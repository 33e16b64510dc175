#include "textfit.h"

#include "readability.h"
#include "widgets/elidedtext.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QToolButton>

#include <optional>

namespace {

// Pixels a text may lose before it counts as cut off: a pixel of an edge
// across, the lowest bit of descenders down.
constexpr int slackAcross = 1;
constexpr int slackDown = 2;

// The text as painted: "&Save" shows "Save", "&&" an ampersand.
QString withoutMnemonics(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (text.at(index) == QLatin1Char('&') && index + 1 < text.size())
            ++index;
        shown += text.at(index);
    }
    return shown;
}

QSize plainSize(const QFontMetrics& metrics, const QString& text)
{
    int width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    return {width, int(lines.size()) * metrics.height()};
}

QString sizeText(const QSize& size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

bool fits(const QRect& text, const QRect& room)
{
    return text.left() >= room.left() - slackAcross && text.right() <= room.right() + slackAcross &&
           text.top() >= room.top() - slackDown && text.bottom() <= room.bottom() + slackDown;
}

// Why `text`, painted at `rect` of `widget`, does not show whole: too
// large for the widget's `room` for it (all of it unless told), or sticking
// out of a widget around it.
std::optional<QString> cutBy(const QWidget* widget, const QWidget* window, const QRect& rect,
                             std::optional<QRect> room = std::nullopt)
{
    if (!fits(rect, room.value_or(widget->rect())))
        return QStringLiteral("needs %1 px, has %2")
            .arg(sizeText(rect.size()), sizeText(room.value_or(widget->rect()).size()));
    QRect inParent = rect;
    for (const QWidget* up = widget; up != window && up->parentWidget(); up = up->parentWidget()) {
        const QWidget* parent = up->parentWidget();
        // The content of a scroll area scrolls: what is out of view is not
        // lost. Not so the feature windows, shown maximised in the main
        // window's area: one wider than the area hides its right edge (it
        // may still scroll down, as a long page does).
        const auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
        const bool inArea = area && area->viewport() == parent;
        const bool inMainArea = inArea && qobject_cast<const QMdiArea*>(area);
        if (inArea && !inMainArea)
            break;
        inParent.translate(up->pos());
        const QRect room = inMainArea ? QRect(parent->rect().left(), inParent.top(),
                                              parent->width(), inParent.height())
                                      : parent->rect();
        if (!fits(inParent, room))
            return QStringLiteral("sticks out of %1 %2")
                .arg(QLatin1String(parent->metaObject()->className()),
                     parent->objectName().isEmpty() ? QStringLiteral("(unnamed)")
                                                    : parent->objectName());
        if (inMainArea)
            break;
    }
    return std::nullopt;
}

void checkLabel(QLabel* label, QWidget* window, QStringList& found)
{
    const QString text = label->text();
    if (text.isEmpty())
        return;
    if (label->wordWrap()) {
        // A wrapped text loses its last lines to a label too low for them.
        const int height = label->heightForWidth(label->width());
        if (height > label->height() + slackDown)
            found.append(describeWidget(label, text) +
                         QStringLiteral(": needs %1 px down, has %2").arg(height).arg(label->height()));
        return;
    }
    // A label that does not wrap asks for the size of its text, plus its
    // margins and frame.
    const QMargins margins = label->contentsMargins();
    const int margin = label->margin();
    const QSize textSize = label->sizeHint().shrunkBy(margins) - QSize(2 * margin, 2 * margin);
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const QRect rect = QStyle::alignedRect(label->layoutDirection(),
                                           QStyle::visualAlignment(label->layoutDirection(), label->alignment()),
                                           textSize, room);
    if (const std::optional<QString> why = cutBy(label, window, rect))
        found.append(describeWidget(label, text) + QStringLiteral(": ") + *why);
}

void checkButton(QAbstractButton* button, QWidget* window, QStringList& found)
{
    const QString text = withoutMnemonics(button->text());
    if (text.isEmpty())
        return;
    QSize size = plainSize(button->fontMetrics(), text);
    QRect rect;
    std::optional<QRect> room;
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
        // The text starts after the indicator.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool check = qobject_cast<QCheckBox*>(button);
        const QRect contents = button->style()->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
        if (!button->icon().isNull())
            size.rwidth() += button->iconSize().width() + 4;
        rect = QRect(QPoint(contents.left(), (button->height() - size.height()) / 2), size);
    } else {
        auto* tool = qobject_cast<QToolButton*>(button);
        auto* push = qobject_cast<QPushButton*>(button);
        const bool iconBeside = !button->icon().isNull() &&
                                (!tool || tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon);
        if (iconBeside)
            size.rwidth() += button->iconSize().width() + 4;
        // A push button's style (style sheet padding and border included)
        // clips its label to the contents; the material buttons paint over
        // their whole width.
        if (push && !push->inherits("QtMaterialFlatButton")) {
            QStyleOptionButton option;
            option.initFrom(push);
            option.text = push->text();
            option.icon = push->icon();
            option.iconSize = push->iconSize();
            if (push->isFlat())
                option.features |= QStyleOptionButton::Flat;
            if (push->isDefault())
                option.features |= QStyleOptionButton::DefaultButton;
            room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
        }
        rect = QStyle::alignedRect(button->layoutDirection(), Qt::AlignCenter, size,
                                   room.value_or(button->rect()));
    }
    if (const std::optional<QString> why = cutBy(button, window, rect, room))
        found.append(describeWidget(button, button->text()) + QStringLiteral(": ") + *why);
}

void checkTabBar(QTabBar* bar, QStringList& found)
{
    for (int index = 0; index < bar->count(); ++index) {
        const QString text = withoutMnemonics(bar->tabText(index));
        if (text.isEmpty() || !bar->isTabVisible(index))
            continue;
        QSize size = plainSize(bar->fontMetrics(), text);
        if (!bar->tabIcon(index).isNull())
            size.rwidth() += bar->iconSize().width() + 4;
        // What of the tab the bar shows: tabs past its end are clipped.
        const QRect tab = bar->tabRect(index).intersected(bar->rect());
        const bool vertical = bar->shape() == QTabBar::RoundedEast || bar->shape() == QTabBar::RoundedWest ||
                              bar->shape() == QTabBar::TriangularEast || bar->shape() == QTabBar::TriangularWest;
        const int room = vertical ? tab.height() : tab.width();
        if (size.width() > room + slackAcross)
            found.append(QStringLiteral("%1 tab %2: needs %3 px across, has %4")
                             .arg(describeWidget(bar, text))
                             .arg(index)
                             .arg(size.width())
                             .arg(room));
    }
}

void checkGroupBox(QGroupBox* box, QStringList& found)
{
    const QString title = withoutMnemonics(box->title());
    if (title.isEmpty())
        return;
    int width = box->fontMetrics().horizontalAdvance(title);
    if (box->isCheckable())
        width += box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                 box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    if (width > box->width() + slackAcross)
        found.append(QStringLiteral("%1 title: needs %2 px across, has %3")
                         .arg(describeWidget(box, box->title()))
                         .arg(width)
                         .arg(box->width()));
}

void checkHeader(QHeaderView* header, QStringList& found)
{
    QAbstractItemModel* model = header->model();
    if (!model)
        return;
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) || header->sectionSize(section) == 0)
            continue;
        const QString text = model->headerData(section, header->orientation()).toString();
        if (text.isEmpty())
            continue;
        const QVariant font = model->headerData(section, header->orientation(), Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : header->font());
        int width = plainSize(metrics, text).width() + 2 * margin;
        if (header->isSortIndicatorShown() && header->sortIndicatorSection() == section)
            width += header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header) + margin;
        const int room = header->orientation() == Qt::Horizontal ? header->sectionSize(section)
                                                                 : header->width();
        if (width > room + slackAcross)
            found.append(QStringLiteral("%1 section %2: needs %3 px across, has %4")
                             .arg(describeWidget(header, text))
                             .arg(section)
                             .arg(width)
                             .arg(room));
    }
}

} // namespace

QStringList TextFit::cutOff(QWidget* window)
{
    QStringList found;
    if (!window || !window->isVisible())
        return found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // Dialogs parented to the window are windows of their own.
        if (widget->window() != window || !widget->isVisible() || widget->size().isEmpty() ||
            Readability::coveredInArea(widget) || ElidedText::isMarked(widget))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            checkLabel(label, window, found);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            checkButton(button, window, found);
        else if (auto* bar = qobject_cast<QTabBar*>(widget))
            checkTabBar(bar, found);
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            checkGroupBox(box, found);
        else if (auto* header = qobject_cast<QHeaderView*>(widget))
            checkHeader(header, found);
    }
    return found;
}
