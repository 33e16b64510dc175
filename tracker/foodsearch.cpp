#include "tracker/foodsearch.h"

#include "tracker/foodmodel.h"

#include <algorithm>
#include <tuple>

namespace {

// Letters that NFD leaves whole.
QString spelledOut(QChar c)
{
    switch (c.unicode()) {
    case 0x00DF:
        return QStringLiteral("ss"); // ß
    case 0x00E6:
        return QStringLiteral("ae"); // æ
    case 0x0153:
        return QStringLiteral("oe"); // œ
    case 0x00F8:
        return QStringLiteral("o"); // ø
    case 0x0142:
        return QStringLiteral("l"); // ł
    case 0x0111:
        return QStringLiteral("d"); // đ
    case 0x0131:
        return QStringLiteral("i"); // dotless i
    default:
        return {};
    }
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019) || c == QChar(0x02BC);
}

} // namespace

QString FoodSearch::fold(const QString& text)
{
    // Decomposed before folding: "İ" has no one-letter lower case and would
    // stay a capital, but decomposes into "I" and a dot that goes below.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        if (c.unicode() < 0x80) {
            folded.append(c);
            continue;
        }
        const QString spelled = spelledOut(c);
        folded.append(spelled.isEmpty() ? c : spelled);
    }
    return folded;
}

QStringList FoodSearch::words(const QString& text)
{
    const QString folded = fold(text);
    QStringList result;
    QString word;
    for (QChar c : folded) {
        if (c.isLetterOrNumber()) {
            word.append(c);
        } else if (!isApostrophe(c) && !word.isEmpty()) {
            result.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        result.append(word);
    return result;
}

void FoodSearch::clear()
{
    m_foods.clear();
    m_words.clear();
}

void FoodSearch::rebuild(const QMap<qint32, FoodModel*>& categories)
{
    clear();
    for (auto it = categories.cbegin(); it != categories.cend(); ++it) {
        const QStringList categoryWords = words(it.value()->title);
        for (FoodItemModel* item : it.value()->items) {
            Food food;
            food.food = item;
            food.category = it.key();
            food.words = words(item->title);
            food.name = food.words.join(QLatin1Char(' '));
            food.nameWords = int(food.words.size());
            food.words += categoryWords;
            const int index = int(m_foods.size());
            for (int position = 0; position < food.words.size(); ++position)
                m_words.push_back({food.words.at(position), index, position});
            m_foods.push_back(std::move(food));
        }
    }
    std::sort(m_words.begin(), m_words.end(),
              [](const Word& a, const Word& b) { return a.text < b.text; });
    // Ties are broken by one number, not by comparing names per keystroke.
    std::vector<int> order(m_foods.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const Food& x = m_foods[size_t(a)];
        const Food& y = m_foods[size_t(b)];
        return std::tie(x.name, x.category, x.food->id) < std::tie(y.name, y.category, y.food->id);
    });
    for (size_t place = 0; place < order.size(); ++place)
        m_foods[size_t(order[place])].order = int(place);
}

QList<FoodSearch::Hit> FoodSearch::find(const QString& query, int limit) const
{
    const QStringList wanted = words(query);
    if (wanted.isEmpty() || limit <= 0)
        return {};

    // Candidates: the foods with a word that begins with the query word
    // that the fewest words begin with, found by binary search.
    using WordIt = std::vector<Word>::const_iterator;
    std::pair<WordIt, WordIt> range{m_words.cend(), m_words.cend()};
    qsizetype keyIndex = -1;
    for (qsizetype q = 0; q < wanted.size(); ++q) {
        const QString& text = wanted.at(q);
        const auto first =
            std::lower_bound(m_words.cbegin(), m_words.cend(), text,
                             [](const Word& w, const QString& t) { return w.text < t; });
        const auto last = std::partition_point(
            first, m_words.cend(), [&text](const Word& w) { return w.text.startsWith(text); });
        if (first == last)
            return {};
        if (keyIndex < 0 || last - first < range.second - range.first) {
            range = {first, last};
            keyIndex = q;
        }
    }

    // Each candidate's earliest word that the chosen query word begins.
    std::vector<int> candidates;
    std::vector<int> earliest(m_foods.size(), -1);
    for (auto word = range.first; word != range.second; ++word) {
        int& first = earliest[size_t(word->food)];
        if (first < 0)
            candidates.push_back(word->food);
        if (first < 0 || word->position < first)
            first = word->position;
    }

    struct Ranked
    {
        int tier;
        int position;
        int length;
        int food;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(candidates.size());
    if (wanted.size() == 1) {
        // One word (most keystrokes): the scan above has ranked it already;
        // a name begins with it exactly when its first word does.
        for (int index : candidates) {
            const Food& food = m_foods[size_t(index)];
            const int first = earliest[size_t(index)];
            const int tier = first == 0 ? 0 : (first < food.nameWords ? 1 : 2);
            ranked.push_back({tier, first, int(food.name.size()), index});
        }
    }
    const QString joined = wanted.join(QLatin1Char(' '));
    for (int index : wanted.size() == 1 ? std::vector<int>{} : candidates) {
        const Food& food = m_foods[size_t(index)];
        bool inName = true;
        int position = food.nameWords;
        bool all = true;
        for (int q = 0; q < wanted.size() && all; ++q) {
            int first = -1;
            for (int w = 0; w < food.words.size(); ++w) {
                if (food.words.at(w).startsWith(wanted.at(q))) {
                    first = w;
                    break;
                }
            }
            if (first < 0)
                all = false;
            else if (first >= food.nameWords)
                inName = false;
            if (q == 0 && first >= 0)
                position = first;
        }
        if (!all)
            continue;
        const int tier = food.name.startsWith(joined) ? 0 : (inName ? 1 : 2);
        ranked.push_back({tier, position, int(food.name.size()), index});
    }

    auto before = [this](const Ranked& a, const Ranked& b) {
        return std::tie(a.tier, a.position, a.length, m_foods[size_t(a.food)].order) <
               std::tie(b.tier, b.position, b.length, m_foods[size_t(b.food)].order);
    };
    const size_t count = std::min(ranked.size(), size_t(limit));
    std::partial_sort(ranked.begin(), ranked.begin() + qsizetype(count), ranked.end(), before);

    QList<Hit> hits;
    hits.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        const Food& food = m_foods[size_t(ranked[i].food)];
        hits.append({food.food, food.category});
    }
    return hits;
}
