#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

// The button of service card `id` ("item_<id>") whose text is `text`; null
// when the card has none.
inline QPushButton* cardButton(QWidget* list, int id, const QString& text)
{
    for (QPushButton* button : list->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id))) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}
