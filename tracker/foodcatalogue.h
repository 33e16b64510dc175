#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class FoodModel;

// The food catalogue of one tracker window, read from the getFoodList reply:
// categories by ascending id, plus the category list in reply order (a
// repeated id gives a second entry that opens the later category). The
// catalogue owns its records.
class FoodCatalogue final : public QObject
{
public:
    enum class Status {
        Empty,    // nothing loaded yet
        Loaded,   // the reply was read (food_list may still be empty)
        Refused,  // result_code was not 0
        NotJson,  // the text was not a JSON object
    };

    struct Entry
    {
        qint32 id = 0;
        QString title;
    };

    explicit FoodCatalogue(QObject* parent = nullptr);

    // Empties the catalogue first, whatever the reply holds, then reads it.
    Status load(const QString& replyText);
    void clear();

    // The reply of the catalogue loaded last in this run, when it was loaded
    // for member `userId` (a tracker window's, say), so that others need not
    // ask the service again; empty otherwise. `generation` grows with each.
    static QString heldReply(const QString& userId, int* generation = nullptr);

    Status status() const { return m_status; }
    bool isEmpty() const { return m_categories.isEmpty(); }
    const QMap<qint32, FoodModel*>& categories() const { return m_categories; }
    QList<qint32> categoryIds() const { return m_categories.keys(); }
    FoodModel* category(qint32 id) const { return m_categories.value(id); }
    const QList<Entry>& entries() const { return m_entries; }

private:
    QMap<qint32, FoodModel*> m_categories;
    QList<Entry> m_entries;
    Status m_status = Status::Empty;
};
