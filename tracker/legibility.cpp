#include "tracker/legibility.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace Legibility {

namespace {

const QColor fieldText(0x2f, 0x2e, 0x46);
// 5.3:1 on the palest field.
const QColor fieldPlaceholder(0x5f, 0x5e, 0x78);

void applyFieldColours(QWidget* field)
{
    const QPalette current = field->palette();
    if (current.color(QPalette::Text) == fieldText &&
        current.color(QPalette::PlaceholderText) == fieldPlaceholder)
        return;
    QPalette colours = current;
    colours.setColor(QPalette::Text, fieldText);
    colours.setColor(QPalette::PlaceholderText, fieldPlaceholder);
    field->setPalette(colours);
}

// Style sheets hand a widget its pre-sheet palette back whenever it is
// re-polished (a new parent, a changed sheet): the colours go on again.
class FieldColours final : public QObject
{
public:
    explicit FieldColours(QLineEdit* field) : QObject(field) { field->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() &&
            (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
             event->type() == QEvent::Polish))
            applyFieldColours(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void titleOnScrim(QLabel* title, QBoxLayout* row)
{
    // White on this band over pure white still reads at 5.7:1.
    title->setStyleSheet(QStringLiteral("color: white; background-color: rgba(59, 58, 85, 200);"
                                        " border-radius: 10px; padding: 4px 24px;"));
    row->setAlignment(title, Qt::AlignCenter);
}

void darkFieldText(QLineEdit* field)
{
    if (!field->property("legibleField").toBool()) {
        field->setProperty("legibleField", true);
        new FieldColours(field);
    }
    applyFieldColours(field);
}

} // namespace Legibility
