#include "readability.h"

#include "screenimage.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <functional>
#include <optional>

namespace {

// Cells of a long list beyond this many are not looked at.
constexpr int maxRows = 2000;

struct TextSize
{
    double points = 0;
    bool bold = false;
};

TextSize sizeOf(const QFont& font, const QWidget* widget)
{
    TextSize size{font.pointSizeF(), font.weight() >= QFont::Bold};
    if (size.points <= 0)
        size.points = font.pixelSize() * 72.0 / qMax(1, widget->logicalDpiY());
    return size;
}

// The fragment of a rich text that needs the most contrast: the smallest
// (and not bold) one decides.
TextSize richTextSize(const QString& html, const QWidget* widget)
{
    QTextDocument document;
    document.setDefaultFont(widget->font());
    document.setHtml(html);
    std::optional<TextSize> strictest;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.text().trimmed().isEmpty())
                continue;
            const TextSize size =
                sizeOf(fragment.charFormat().font().resolve(widget->font()), widget);
            if (!strictest ||
                Contrast::required(size.points, size.bold) >
                    Contrast::required(strictest->points, strictest->bold) ||
                size.points < strictest->points)
                strictest = size;
        }
    }
    return strictest.value_or(sizeOf(widget->font(), widget));
}


// The part of `widget` that can show, in `window`'s coordinates.
QRect shownRect(QWidget* widget, QWidget* window)
{
    const QRegion visible = widget->visibleRegion();
    if (visible.isEmpty())
        return {};
    return visible.boundingRect()
        .translated(widget->mapTo(window, QPoint(0, 0)))
        .intersected(window->rect());
}

// `rect` of `window` as drawn now, over what lies behind the window.
QImage render(QWidget* window, const QRect& rect, const QImage& backdrop)
{
    QImage image = backdrop.copy(rect).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, window->grab(rect));
    return image;
}

// A model that shows every cell without its text.
class TextlessModel final : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole)
            return QString();
        return QIdentityProxyModel::data(index, role);
    }
};

// Stands in for a view's delegates while it is installed: each cell is
// painted by its own delegate, from a model that has no texts.
class TextlessDelegate final : public QAbstractItemDelegate
{
public:
    explicit TextlessDelegate(QAbstractItemView* view)
        : m_view(view), m_default(view->itemDelegate())
    {
        QAbstractItemModel* model = view->model();
        m_textless.setSourceModel(model);
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            if (QAbstractItemDelegate* own = view->itemDelegateForColumn(column)) {
                m_columns.insert(column, own);
                view->setItemDelegateForColumn(column, this);
            }
        }
        for (int row = 0; row < qMin(maxRows, model->rowCount(view->rootIndex())); ++row) {
            if (QAbstractItemDelegate* own = view->itemDelegateForRow(row)) {
                m_rows.insert(row, own);
                view->setItemDelegateForRow(row, this);
            }
        }
        view->setItemDelegate(this);
    }

    ~TextlessDelegate() override
    {
        m_view->setItemDelegate(m_default);
        for (auto it = m_columns.cbegin(); it != m_columns.cend(); ++it)
            m_view->setItemDelegateForColumn(it.key(), it.value());
        for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
            m_view->setItemDelegateForRow(it.key(), it.value());
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (QAbstractItemDelegate* own = delegateFor(index))
            own->paint(painter, option, m_textless.mapFromSource(index));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QAbstractItemDelegate* own = delegateFor(index);
        return own ? own->sizeHint(option, index) : QSize();
    }

private:
    QAbstractItemDelegate* delegateFor(const QModelIndex& index) const
    {
        if (QAbstractItemDelegate* row = m_rows.value(index.row()))
            return row;
        if (QAbstractItemDelegate* column = m_columns.value(index.column()))
            return column;
        return m_default;
    }

    QAbstractItemView* m_view;
    QAbstractItemDelegate* m_default;
    QHash<int, QAbstractItemDelegate*> m_columns;
    QHash<int, QAbstractItemDelegate*> m_rows;
    TextlessModel m_textless;
};

// How one widget's text is taken away and put back.
struct TextSwap
{
    QString text;
    TextSize size;
    std::function<void()> take;
    std::function<void()> restore;
};

std::optional<TextSwap> swapFor(QWidget* widget)
{
    if (auto* bar = qobject_cast<QtMaterialSnackbar*>(widget)) {
        if (bar->messages().isEmpty())
            return std::nullopt;
        const QColor colour = bar->textColor();
        return TextSwap{bar->messages().constFirst(), sizeOf(bar->font(), bar),
                        [bar] { bar->setTextColor(Qt::transparent); },
                        [bar, colour] { bar->setTextColor(colour); }};
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QString text = label->text();
        if (text.isEmpty())
            return std::nullopt;
        const bool rich = label->textFormat() == Qt::RichText ||
                          (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
        return TextSwap{rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text,
                        rich ? richTextSize(text, label) : sizeOf(label->font(), label),
                        [label] { label->setText(QString()); },
                        [label, text] { label->setText(text); }};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QString text = button->text();
        if (text.isEmpty())
            return std::nullopt;
        // An icon moves when its text goes: both renders are taken without it.
        const QIcon icon = button->icon();
        return TextSwap{text, sizeOf(button->font(), button),
                        [button] { button->setText(QString()); },
                        [button, text, icon] {
                            button->setText(text);
                            if (!icon.isNull())
                                button->setIcon(icon);
                        }};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QString text = edit->text();
        if (text.isEmpty() || edit->echoMode() == QLineEdit::NoEcho)
            return std::nullopt;
        const QString placeholder = edit->placeholderText();
        const int cursor = edit->cursorPosition();
        const int selectionStart = edit->selectionStart();
        const int selectionLength = edit->selectedText().size();
        const bool modified = edit->isModified();
        return TextSwap{edit->displayText(), sizeOf(edit->font(), edit),
                        [edit] {
                            // Nobody hears of it: a search box would search.
                            const QSignalBlocker quiet(edit);
                            edit->setPlaceholderText(QString());
                            edit->setText(QString());
                        },
                        [=] {
                            const QSignalBlocker quiet(edit);
                            edit->setText(text);
                            edit->setPlaceholderText(placeholder);
                            edit->setCursorPosition(cursor);
                            if (selectionStart >= 0)
                                edit->setSelection(selectionStart, selectionLength);
                            edit->setModified(modified);
                        }};
    }
    if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
        QTextDocument* document = edit->document();
        if (document->isEmpty())
            return std::nullopt;
        // The characters turn transparent in one undoable edit: nothing
        // moves, and undoing it gives every fragment its own colour back.
        return TextSwap{document->toPlainText().left(60), sizeOf(edit->font(), edit),
                        [document] {
                            const bool undoable = document->isUndoRedoEnabled();
                            document->setUndoRedoEnabled(true);
                            QTextCursor all(document);
                            all.select(QTextCursor::Document);
                            QTextCharFormat clear;
                            clear.setForeground(Qt::transparent);
                            all.mergeCharFormat(clear);
                            document->setProperty("galleryUndoable", undoable);
                        },
                        [document] {
                            document->undo();
                            document->setUndoRedoEnabled(
                                document->property("galleryUndoable").toBool());
                        }};
    }
    if (auto* progress = qobject_cast<QProgressBar*>(widget)) {
        if (!progress->isTextVisible() || progress->text().isEmpty())
            return std::nullopt;
        return TextSwap{progress->text(), sizeOf(progress->font(), progress),
                        [progress] { progress->setTextVisible(false); },
                        [progress] { progress->setTextVisible(true); }};
    }
    return std::nullopt;
}

TextReading reading(const QString& widget, const Contrast::Sample& sample, const TextSize& size)
{
    TextReading result;
    result.widget = widget;
    result.sample = sample;
    result.large = Contrast::isLargeText(size.points, size.bold);
    result.required = Contrast::required(size.points, size.bold);
    return result;
}

void readWidget(QWidget* widget, QWidget* window, const QImage& backdrop,
                QList<TextReading>& readings)
{
    std::optional<TextSwap> swap = swapFor(widget);
    if (!swap)
        return;
    const QRect area = shownRect(widget, window);
    if (area.isEmpty())
        return;
    // A single line half scrolled out of view would read as the edges of its
    // letters; it is read when scrolled in.
    const QRect whole(widget->mapTo(window, QPoint(0, 0)), widget->size());
    const int lineTop = whole.center().y() - widget->fontMetrics().height() / 2;
    if (area.height() < whole.height() &&
        (area.top() > lineTop || area.bottom() < lineTop + widget->fontMetrics().height()) &&
        !swap->text.contains(QLatin1Char('\n')) && whole.height() < 3 * widget->fontMetrics().height())
        return;
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button && !button->icon().isNull())
        button->setIcon(QIcon());
    // A text cursor would move to where the text was: read-only fields
    // draw none.
    auto* edit = qobject_cast<QLineEdit*>(widget);
    const bool hideCursor = edit && !edit->isReadOnly();
    if (hideCursor)
        edit->setReadOnly(true);
    const QImage with = render(window, area, backdrop);
    swap->take();
    const QImage without = render(window, area, backdrop);
    swap->restore();
    if (hideCursor)
        edit->setReadOnly(false);
    if (const std::optional<Contrast::Sample> sample = Contrast::measure(with, without))
        readings.append(reading(describeWidget(widget, swap->text), *sample, swap->size));
}

void readCells(QAbstractItemView* view, QWidget* window, const QImage& backdrop,
               QList<TextReading>& readings)
{
    QAbstractItemModel* model = view->model();
    QWidget* viewport = view->viewport();
    if (!model || !viewport->isVisible())
        return;
    const QRect area = shownRect(viewport, window);
    if (area.isEmpty())
        return;
    const QPoint offset = viewport->mapTo(window, QPoint(0, 0)) - area.topLeft();
    const QRect image(QPoint(0, 0), area.size());
    struct Cell
    {
        QModelIndex index;
        QRect rect;
    };
    QList<Cell> cells;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < qMin(maxRows, model->rowCount(root)); ++row) {
        for (int column = 0; column < model->columnCount(root); ++column) {
            const QModelIndex index = model->index(row, column, root);
            if (index.data(Qt::DisplayRole).toString().isEmpty())
                continue;
            const QRect rect = view->visualRect(index).translated(offset).intersected(image);
            if (!rect.isEmpty())
                cells.append({index, rect});
        }
    }
    if (cells.isEmpty())
        return;
    const QImage with = render(window, area, backdrop);
    QImage without;
    {
        TextlessDelegate textless(view);
        without = render(window, area, backdrop);
    }
    for (const Cell& cell : std::as_const(cells)) {
        const std::optional<Contrast::Sample> sample = Contrast::measure(with, without, cell.rect);
        if (!sample)
            continue;
        const QVariant font = cell.index.data(Qt::FontRole);
        const TextSize size = sizeOf(font.isValid() ? font.value<QFont>() : view->font(), view);
        const QString where =
            QStringLiteral("%1 %2 cell %3,%4 \"%5\"")
                .arg(QLatin1String(view->metaObject()->className()),
                     view->objectName().isEmpty() ? QStringLiteral("(unnamed)")
                                                  : view->objectName())
                .arg(cell.index.row())
                .arg(cell.index.column())
                .arg(cell.index.data(Qt::DisplayRole).toString().simplified().left(48));
        readings.append(reading(where, *sample, size));
    }
}

} // namespace

// Behind the top sub-window of an area: every feature window is shown
// maximised, so the top one covers the others.
bool Readability::coveredInArea(const QWidget* widget)
{
    for (const QWidget* up = widget; up; up = up->parentWidget()) {
        const auto* sub = qobject_cast<const QMdiSubWindow*>(up);
        if (!sub || !sub->mdiArea())
            continue;
        const QList<QMdiSubWindow*> stacked =
            sub->mdiArea()->subWindowList(QMdiArea::StackingOrder);
        if (!stacked.isEmpty() && stacked.last() != sub)
            return true;
    }
    return false;
}

QString describeWidget(const QWidget* widget, const QString& text)
{
    QString shown = text.simplified();
    if (shown.size() > 48)
        shown = shown.left(45) + QStringLiteral("...");
    const QString name =
        widget->objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget->objectName();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QLatin1String(widget->metaObject()->className()), name, shown);
}

QString TextReading::describe() const
{
    return QStringLiteral("%1: %2:1 (needs %3:1), %4 on %5")
        .arg(widget)
        .arg(sample.ratio, 0, 'f', 2)
        .arg(required, 0, 'f', 1)
        .arg(sample.text.name(), sample.background.name());
}

QList<TextReading> Readability::read(QWidget* window)
{
    QList<TextReading> readings;
    if (!window || !window->isVisible())
        return readings;
    const QImage backdrop = ScreenImage::behind(window);
    // What the message bar covers while it shows is read once it goes: a
    // text half under it would read as the few pixels that stick out.
    QRegion covered;
    for (QtMaterialSnackbar* bar : window->findChildren<QtMaterialSnackbar*>()) {
        if (bar->isVisible() && bar->window() == window)
            covered += bar->boxRect().translated(bar->mapTo(window, QPoint(0, 0)));
    }
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // Dialogs parented to the window are windows of their own.
        if (widget->window() != window || !widget->isVisible() || widget->size().isEmpty())
            continue;
        // Inactive controls need no contrast.
        if (!widget->isEnabled() || Readability::coveredInArea(widget))
            continue;
        if (qobject_cast<QHeaderView*>(widget))
            continue;
        if (!qobject_cast<QtMaterialSnackbar*>(widget) &&
            covered.intersects(shownRect(widget, window)))
            continue;
        if (auto* view = qobject_cast<QAbstractItemView*>(widget))
            readCells(view, window, backdrop, readings);
        else
            readWidget(widget, window, backdrop, readings);
    }
    return readings;
}
