#include "pseudotranslation.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace PseudoTranslation {

namespace {

QChar accented(QChar letter)
{
    static const QHash<QChar, QChar> accents = [] {
        const QString plain = QStringLiteral("aceinostuyzdghklrwACEINOSTUYZDGHKLRW");
        const QString marked = QStringLiteral("àçëïñöšţüýžďĝĥķļŕŵÅÇÉÎÑÖŠŢÜÝŽĎĜĤĶĻŔŴ");
        QHash<QChar, QChar> map;
        for (qsizetype index = 0; index < plain.size(); ++index)
            map.insert(plain.at(index), marked.at(index));
        return map;
    }();
    return accents.value(letter, letter);
}

// What stays as written: a tag, an entity, a placeholder, a mnemonic.
const QRegularExpression& kept()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(<[^>]*>|&(?:#\d+|#x[0-9a-fA-F]+|[a-zA-Z]+);|%L?(?:\d+|n)|&&|&.)"));
    return pattern;
}

bool breaksLine(const QString& token)
{
    return token.startsWith(QLatin1String("<br"), Qt::CaseInsensitive) ||
           token.startsWith(QLatin1String("</p"), Qt::CaseInsensitive) ||
           token.startsWith(QLatin1String("</li"), Qt::CaseInsensitive);
}

// One line of output under construction: its letters counted, and where the
// padding goes (after its last shown character, before closing tags).
class Line
{
public:
    void appendShown(const QString& text, int count)
    {
        m_text += text;
        m_shown += count;
        m_end = m_text.size();
    }
    void appendHidden(const QString& text) { m_text += text; }
    QString finished() const
    {
        if (m_shown == 0)
            return m_text;
        // In words of four, so that a wrapped text can still break its lines.
        const int extra = int(std::ceil(m_shown * 0.4));
        QString padding = extra < 2 ? QStringLiteral("~") : QString();
        for (int index = 0; extra >= 2 && index < extra; ++index)
            padding += index % 5 == 0 ? QLatin1Char(' ') : QLatin1Char('~');
        return m_text.left(m_end) + padding + m_text.mid(m_end);
    }

private:
    QString m_text;
    int m_shown = 0;
    qsizetype m_end = 0;
};

} // namespace

QString of(const QString& source)
{
    QString result;
    Line line;
    int letters = 0;
    qsizetype position = 0;
    const auto plainUpTo = [&](qsizetype end) {
        for (; position < end; ++position) {
            const QChar character = source.at(position);
            if (character == QLatin1Char('\n')) {
                result += line.finished() + character;
                line = Line();
                continue;
            }
            if (character.isLetter())
                ++letters;
            line.appendShown(QString(accented(character)), 1);
        }
    };
    auto matches = kept().globalMatch(source);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        plainUpTo(match.capturedStart());
        const QString token = match.captured();
        if (token.startsWith(QLatin1Char('<'))) {
            line.appendHidden(token);
            if (breaksLine(token)) {
                result += line.finished();
                line = Line();
            }
        } else if (token.startsWith(QLatin1Char('%'))) {
            line.appendShown(token, 0); // what it stands for is not the text's to lengthen
        } else {
            line.appendShown(token, 1); // an entity, "&&" or a mnemonic
        }
        position = match.capturedEnd();
    }
    plainUpTo(source.size());
    result += line.finished();
    // A text with nothing to read (a lone "%1") stays as it is.
    return letters == 0 ? source : result;
}

QStringList numerusOf(const QString& source)
{
    static const QRegularExpression bracketed(QStringLiteral(R"(\((\p{L}+)\))"));
    QString one = source;
    QString many = source;
    one.replace(bracketed, QString());
    many.replace(bracketed, QStringLiteral("\\1"));
    return {of(one), of(many)};
}

} // namespace PseudoTranslation
