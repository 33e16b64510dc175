#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <vector>

class FoodItemModel;
class FoodModel;

// Finds foods of a whole catalogue by the beginnings of the words of their
// names (or of their category's name), ignoring case and accents: "cre bru"
// finds "Crème brûlée". Every word is folded once when the index is built,
// so a keystroke costs a binary search and a look at the candidates.
//
// Ranking: names that begin with the query, then names where the first
// query word begins an earlier word, then matches through the category's
// name; shorter names before longer ones, then alphabetical.
class FoodSearch final
{
public:
    struct Hit
    {
        FoodItemModel* food = nullptr;
        qint32 category = 0;
    };

    static constexpr int defaultLimit = 50;

    // Indexes every food of every category (by ascending category id).
    void rebuild(const QMap<qint32, FoodModel*>& categories);
    void clear();
    int size() const { return int(m_foods.size()); }

    // At most `limit` foods whose words begin with every word of `query`;
    // none for a query without letters or digits.
    QList<Hit> find(const QString& query, int limit = defaultLimit) const;

    // Lower case without accents or marks ("Crème" -> "creme"); a few
    // letters with no decomposition are spelled out ("æ" -> "ae").
    static QString fold(const QString& text);
    // The folded words of a text; apostrophes join ("Ben's" -> "bens").
    static QStringList words(const QString& text);

private:
    struct Food
    {
        FoodItemModel* food = nullptr;
        qint32 category = 0;
        QString name;      // folded words joined by single spaces
        QStringList words; // name words, then the category's words
        int nameWords = 0;
        int order = 0; // place in alphabetical order (name, category, id)
    };
    struct Word
    {
        QString text;
        int food = 0;
        int position = 0; // the word's place among the food's words
    };

    std::vector<Food> m_foods;
    std::vector<Word> m_words; // sorted by text
};
