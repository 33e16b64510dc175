#include "membertexts.h"

#include "readability.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTextDocumentFragment>

namespace {

bool inPanel(const QWidget* widget, const QWidget* window, const QStringList& panels)
{
    for (const QWidget* up = widget; up && up != window; up = up->parentWidget()) {
        for (const QString& panel : panels) {
            if (up->inherits(qPrintable(panel)))
                return true;
        }
    }
    return false;
}

} // namespace

QStringList MemberTexts::of(QWidget* window, const QStringList& leaveOut)
{
    QStringList texts{window->windowTitle(), window->accessibleName()};
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisible() ||
            Readability::coveredInArea(widget) || inPanel(widget, window, leaveOut))
            continue;
        texts << widget->accessibleName() << widget->accessibleDescription() << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QString text = label->text();
            const bool rich = label->textFormat() == Qt::RichText ||
                              (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
            texts << (rich ? QTextDocumentFragment::fromHtml(text).toPlainText() : text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            texts << edit->placeholderText();
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            for (int index = 0; index < box->count(); ++index)
                texts << box->itemText(index);
        } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
            for (int index = 0; index < bar->count(); ++index)
                texts << bar->tabText(index) << bar->tabToolTip(index);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            texts << group->title();
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            for (int section = 0; header->model() && section < header->count(); ++section)
                texts << header->model()->headerData(section, header->orientation()).toString();
        } else if (auto* messages = qobject_cast<QtMaterialSnackbar*>(widget)) {
            texts << messages->messages();
        }
    }
    QStringList shown;
    for (const QString& text : std::as_const(texts)) {
        const QString trimmed = text.trimmed();
        if (!trimmed.isEmpty() && !shown.contains(trimmed))
            shown.append(trimmed);
    }
    return shown;
}
