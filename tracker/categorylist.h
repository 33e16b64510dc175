#pragma once

#include "tracker/foodcatalogue.h"

#include <QObject>

class QBoxLayout;
class QWidget;
class QtMaterialRaisedButton;

// The tracker's category list: the "Add Category" button that shows and
// hides it, one entry per category of the catalogue (in reply order), and
// the check mark of the category last opened. Opening an entry closes the
// list, names the button after it and tells which category to show.
class CategoryList final : public QObject
{
    Q_OBJECT

public:
    // `content` holds the entries in `entries`; the button goes into
    // `buttonPlace`.
    CategoryList(QWidget* content, QBoxLayout* entries, QBoxLayout* buttonPlace,
                 QObject* parent = nullptr);

    QtMaterialRaisedButton* button() const { return m_button; }
    // One entry per element, in order; called once, when the catalogue came.
    void build(const QList<FoodCatalogue::Entry>& entries);

signals:
    // Every check mark hides (true) before the opened entry shows its own.
    void hidden(bool hide);
    void opened(qint32 category);

private:
    void toggle();
    void applyState();
    void open(QWidget* entry);

    QWidget* m_content;
    QBoxLayout* m_entries;
    QtMaterialRaisedButton* m_button;
};
