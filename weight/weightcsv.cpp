#include "weight/weightcsv.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <optional>

namespace WeightCsv {

namespace {

struct Record
{
    int row = 0; // the file's line on which the record starts, from 1
    QStringList fields;
};

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromUtf8(bytes);
}

// The separator most used outside quotes on the first line with any text.
QChar separatorOf(const QString& text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    bool anyText = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n' && anyText)
            break;
        else if (c == u',')
            ++commas;
        else if (c == u';')
            ++semicolons;
        else if (c == u'\t')
            ++tabs;
        else if (!c.isSpace())
            anyText = true;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas && tabs > semicolons)
        return u'\t';
    return u',';
}

// Splits into records; quoted fields may hold separators, doubled quotes and
// line breaks. Stops after `limit` records (the caller then refuses).
QList<Record> recordsOf(const QString& text, QChar separator, int limit)
{
    QList<Record> records;
    Record record;
    QString field;
    bool quoted = false;
    bool fieldWasQuoted = false;
    int line = 1;
    record.row = 1;
    const auto endField = [&] {
        record.fields.append(fieldWasQuoted ? field : field.trimmed());
        field.clear();
        fieldWasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString& f) { return f.trimmed().isEmpty(); });
        if (!blank)
            records.append(record);
        record = Record{line, {}};
    };
    for (qsizetype i = 0; i < text.size() && records.size() <= limit; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && field.trimmed().isEmpty()) {
            quoted = true;
            fieldWasQuoted = true;
            field.clear();
        } else if (c == separator) {
            endField();
        } else if (c == u'\n') {
            ++line;
            endRecord();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.fields.isEmpty() || fieldWasQuoted)
        endRecord();
    return records;
}

// "Weight (kg)" -> {"weight", "kg"}; "weight_lb" -> {"weight", "lb"}.
QStringList wordsOf(const QString& name)
{
    static const QRegularExpression nonLetters(QStringLiteral("[^a-z]+"));
    return name.toLower().split(nonLetters, Qt::SkipEmptyParts);
}

std::optional<WeightUnit> unitOfWord(const QString& word)
{
    static const QHash<QString, WeightUnit> units = {
        {QStringLiteral("kg"), WeightUnit::Kilograms},
        {QStringLiteral("kgs"), WeightUnit::Kilograms},
        {QStringLiteral("kilo"), WeightUnit::Kilograms},
        {QStringLiteral("kilos"), WeightUnit::Kilograms},
        {QStringLiteral("kilogram"), WeightUnit::Kilograms},
        {QStringLiteral("kilograms"), WeightUnit::Kilograms},
        {QStringLiteral("lb"), WeightUnit::Pounds},
        {QStringLiteral("lbs"), WeightUnit::Pounds},
        {QStringLiteral("pound"), WeightUnit::Pounds},
        {QStringLiteral("pounds"), WeightUnit::Pounds},
    };
    const auto it = units.constFind(word.toLower());
    if (it == units.constEnd())
        return std::nullopt;
    return it.value();
}

std::optional<WeightUnit> unitOfName(const QString& name)
{
    for (const QString& word : wordsOf(name)) {
        if (const auto unit = unitOfWord(word))
            return unit;
    }
    return std::nullopt;
}

struct Columns
{
    int date = -1;
    int weight = -1;
    int unit = -1;
    std::optional<WeightUnit> weightUnit; // from the weight column's name
};

// The columns a header row names, or nothing when the row names no weight.
std::optional<Columns> columnsOf(const QStringList& header)
{
    static const QStringList dateWords = {QStringLiteral("date"),  QStringLiteral("day"),
                                          QStringLiteral("time"),  QStringLiteral("timestamp"),
                                          QStringLiteral("datum"), QStringLiteral("when")};
    // Columns that carry a weight but not the weighing itself.
    static const QStringList otherWeights = {
        QStringLiteral("goal"),   QStringLiteral("target"), QStringLiteral("trend"),
        QStringLiteral("change"), QStringLiteral("diff"),   QStringLiteral("fat"),
        QStringLiteral("muscle"), QStringLiteral("water"),  QStringLiteral("bone"),
        QStringLiteral("lean"),   QStringLiteral("bmi"),    QStringLiteral("moving")};
    Columns columns;
    int weightRank = 0;
    for (int i = 0; i < header.size(); ++i) {
        const QStringList words = wordsOf(header.at(i));
        if (words.isEmpty())
            continue;
        const bool other = std::any_of(words.cbegin(), words.cend(),
                                       [](const QString& w) { return otherWeights.contains(w); });
        if (columns.date < 0 && std::any_of(words.cbegin(), words.cend(), [](const QString& w) {
                return dateWords.contains(w);
            })) {
            columns.date = i;
        } else if (columns.unit < 0 && (words == QStringList{QStringLiteral("unit")} ||
                                        words == QStringList{QStringLiteral("units")} ||
                                        words.endsWith(QStringLiteral("unit")))) {
            columns.unit = i;
        } else if (!other) {
            // "weight" beats a name with a unit ("kg", "Gewicht (kg)"), which
            // beats "mass".
            const bool weight = words.contains(QStringLiteral("weight"));
            const bool unitName = unitOfName(header.at(i)).has_value();
            const bool mass = words.contains(QStringLiteral("mass"));
            const int rank = weight ? 3 : unitName ? 2 : mass ? 1 : 0;
            if (rank > weightRank) {
                weightRank = rank;
                columns.weight = i;
                columns.weightUnit = unitOfName(header.at(i));
            }
        }
    }
    if (columns.weight < 0)
        return std::nullopt;
    if (columns.date < 0)
        columns.date = columns.weight == 0 ? 1 : 0;
    return columns;
}

// A date as read from a cell, before the file's day/month order is known.
struct ReadDate
{
    QDate date;    // ISO, month names, or day and month equal
    int first = 0; // numeric d/m/y or m/d/y: the two leading numbers
    int second = 0;
    int year = 0;
    bool numeric = false; // first/second/year hold an unresolved date
    bool readable = false;
};

int fullYear(int year, const QDate& today)
{
    if (year >= 100)
        return year;
    // Two digits: this century up to next year, the last one before that.
    return year <= today.year() % 100 + 1 ? 2000 + year : 1900 + year;
}

ReadDate readDate(const QString& cell, const QDate& today)
{
    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})(?:[T ].*)?$"));
    static const QRegularExpression compact(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})[-/.](\\d{4}|\\d{2})(?:[T ,].*)?$"));
    static const QRegularExpression timeTail(QStringLiteral("(\\d{4})[ ,T]+\\d{1,2}:\\d{2}.*$"));
    ReadDate read;
    const QString text = cell.trimmed();
    auto match = iso.match(text);
    if (!match.hasMatch())
        match = compact.match(text);
    if (match.hasMatch()) {
        read.date =
            QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        read.readable = read.date.isValid();
        return read;
    }
    match = numeric.match(text);
    if (match.hasMatch()) {
        read.first = match.captured(1).toInt();
        read.second = match.captured(2).toInt();
        read.year = fullYear(match.captured(3).toInt(), today);
        if (read.first == read.second) {
            read.date = QDate(read.year, read.first, read.second);
            read.readable = read.date.isValid();
        } else {
            read.numeric = true;
            read.readable = true;
        }
        return read;
    }
    // Month names ("1 Aug 2026", "Aug 1, 2026"), in English, without a time.
    QString named = text;
    named.replace(timeTail, QStringLiteral("\\1"));
    static const QStringList formats = {
        QStringLiteral("d MMM yyyy"),      QStringLiteral("d MMMM yyyy"),
        QStringLiteral("MMM d, yyyy"),     QStringLiteral("MMMM d, yyyy"),
        QStringLiteral("MMM d yyyy"),      QStringLiteral("MMMM d yyyy"),
        QStringLiteral("d-MMM-yyyy"),      QStringLiteral("d-MMM-yy"),
        QStringLiteral("ddd, d MMM yyyy"), QStringLiteral("dddd, MMMM d, yyyy")};
    const QLocale c = QLocale::c();
    for (const QString& format : formats) {
        QDate date = c.toDate(named, format);
        if (date.isValid()) {
            if (format.endsWith(QStringLiteral("-yy")))
                date = QDate(fullYear(date.year() % 100, today), date.month(), date.day());
            read.date = date;
            read.readable = true;
            return read;
        }
    }
    return read;
}

struct ReadWeight
{
    double value = 0;
    std::optional<WeightUnit> unit; // named in the cell ("81.4 kg")
    bool readable = false;
    QString unknownUnit;
};

ReadWeight readWeight(const QString& cell)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,5}(?:[.,]\\d+)?|[.,]\\d+)\\s*([A-Za-z]*)\\.?$"));
    ReadWeight read;
    const auto match = form.match(cell.trimmed());
    if (!match.hasMatch())
        return read;
    QString digits = match.captured(1);
    digits.replace(u',', u'.');
    bool ok = false;
    read.value = digits.toDouble(&ok);
    read.readable = ok && std::isfinite(read.value);
    if (!match.captured(2).isEmpty()) {
        read.unit = unitOfWord(match.captured(2));
        if (!read.unit)
            read.unknownUnit = match.captured(2);
    }
    return read;
}

// In a comma-separated file a decimal comma cannot be told from a
// separator: "81,4" quoted, or unquoted and so split into the fields 81 and
// 4 (an extra field, or digits where the unit belongs). Reading either as a
// number would guess; the weight it looks like, with a decimal point, is
// given back so the reason can name it.
std::optional<QString> decimalCommaOf(const Record& record, const Columns& columns,
                                      qsizetype headerFields)
{
    static const QRegularExpression quoted(QStringLiteral("^(\\d+),(\\d+)\\s*([A-Za-z]*)\\.?$"));
    static const QRegularExpression whole(QStringLiteral("^\\d+$"));
    static const QRegularExpression fraction(QStringLiteral("^(\\d+)\\s*([A-Za-z]*)\\.?$"));
    const QString weight = record.fields.value(columns.weight).trimmed();
    if (const auto match = quoted.match(weight); match.hasMatch())
        return match.captured(1) + u'.' + match.captured(2);
    if (!whole.match(weight).hasMatch() || columns.weight + 1 >= record.fields.size())
        return std::nullopt;
    const auto match = fraction.match(record.fields.at(columns.weight + 1).trimmed());
    const bool split = headerFields < 0 || record.fields.size() > headerFields
                       || columns.unit == columns.weight + 1;
    if (!match.hasMatch() || !split)
        return std::nullopt;
    return weight + u'.' + match.captured(1);
}

QString ambiguousReason()
{
    return QCoreApplication::translate(
        "WeightCsv", "The dates could be day/month or month/day; no day after the 12th "
                     "tells which. Change them to year-month-day (2026-08-01) and import again.");
}

} // namespace

QByteArray exportCsv(const QList<WeightEntry>& entries, WeightUnit unit)
{
    QByteArray csv = "date,weight,unit\n";
    const QByteArray symbol = WeightUnits::symbol(unit).toLatin1();
    for (const WeightEntry& entry : entries) {
        csv += entry.date.toString(Qt::ISODate).toLatin1() + ',' +
               WeightUnits::number(entry.kg, unit).toLatin1() + ',' + symbol + '\n';
    }
    return csv;
}

WeightImport parse(const QByteArray& bytes, WeightUnit assumed, const QDate& today)
{
    WeightImport result;
    if (bytes.size() > maxBytes) {
        result.refusal =
            QCoreApplication::translate(
                "WeightCsv",
                "The file is larger than %1 MB; split it and import the parts one by one.")
                .arg(maxBytes / (1024 * 1024));
        return result;
    }
    const QString text = decode(bytes);
    const QList<Record> records = recordsOf(text, separatorOf(text), maxRows + 1);
    if (records.isEmpty()) {
        result.refusal = QCoreApplication::translate("WeightCsv", "The file holds no weights.");
        return result;
    }

    // A first row that names a weight column is the header; a file without
    // one holds date, weight and perhaps unit, in that order.
    const bool commaSeparated = separatorOf(text) == u',';
    qsizetype firstData = 1;
    std::optional<Columns> columns = columnsOf(records.first().fields);
    if (!columns) {
        if (readDate(records.first().fields.value(0), today).readable) {
            columns = Columns{0, 1, records.first().fields.size() > 2 ? 2 : -1, std::nullopt};
            firstData = 0;
        } else {
            result.refusal = QCoreApplication::translate(
                "WeightCsv", "No weight column: the first row should name the columns, "
                             "e.g. date,weight,unit.");
            return result;
        }
    }
    if (records.size() - firstData > maxRows) {
        result.refusal =
            QCoreApplication::translate(
                "WeightCsv",
                "The file has more than %1 rows; split it and import the parts one by one.")
                .arg(QLocale().toString(maxRows));
        return result;
    }

    // Which order the numeric dates are in: a day after the 12th decides.
    QList<ReadDate> dates;
    dates.reserve(records.size());
    bool dayFirstSeen = false, monthFirstSeen = false, otherDatesSeen = false,
         ambiguousSeen = false;
    for (qsizetype i = firstData; i < records.size(); ++i) {
        const ReadDate read = readDate(records.at(i).fields.value(columns->date), today);
        dates.append(read);
        if (read.numeric) {
            dayFirstSeen |= read.first > 12 && read.second <= 12;
            monthFirstSeen |= read.second > 12 && read.first <= 12;
            ambiguousSeen |= read.first <= 12 && read.second <= 12;
        } else if (read.readable) {
            otherDatesSeen = true;
        }
    }
    if (dayFirstSeen && monthFirstSeen) {
        result.refusal = QCoreApplication::translate(
            "WeightCsv", "The dates mix day/month and month/day. Change them to "
                         "year-month-day (2026-08-01) and import again.");
        return result;
    }
    if (ambiguousSeen && !dayFirstSeen && !monthFirstSeen && !otherDatesSeen) {
        result.refusal = ambiguousReason();
        return result;
    }

    QMap<QDate, std::pair<double, int>> taken; // day -> kg and the row it came from
    const auto skip = [&result](const QString& why) { result.skipped.append(why); };
    const auto rowText = [](int row) { return QString::number(row); };
    for (qsizetype i = firstData; i < records.size(); ++i) {
        const Record& record = records.at(i);
        const int row = record.row;
        const QString dateCell = record.fields.value(columns->date).trimmed();
        const QString weightCell = record.fields.value(columns->weight).trimmed();
        ReadDate read = dates.at(i - firstData);
        if (dateCell.isEmpty()) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: no date").arg(row));
            continue;
        }
        if (read.numeric) {
            if (!dayFirstSeen && !monthFirstSeen) {
                skip(QCoreApplication::translate(
                         "WeightCsv", "row %1: the date %2 could be day/month or month/day")
                         .arg(rowText(row), dateCell));
                continue;
            }
            read.date = dayFirstSeen ? QDate(read.year, read.second, read.first)
                                     : QDate(read.year, read.first, read.second);
        }
        if (!read.date.isValid()) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: \"%2\" is not a date")
                     .arg(rowText(row), dateCell.left(40)));
            continue;
        }
        if (read.date < WeightLimits::earliestDate()) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: %2 is before 1900")
                     .arg(rowText(row), read.date.toString(Qt::ISODate)));
            continue;
        }
        if (read.date > WeightLimits::latestDate(today)) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: %2 is in the future")
                     .arg(rowText(row), read.date.toString(Qt::ISODate)));
            continue;
        }
        if (weightCell.isEmpty()) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: no weight").arg(row));
            continue;
        }
        if (commaSeparated) {
            const qsizetype headerFields = firstData > 0 ? records.first().fields.size() : -1;
            if (const auto meant = decimalCommaOf(record, *columns, headerFields)) {
                skip(QCoreApplication::translate("WeightCsv",
                                                 "row %1: \"%2\" has a decimal comma, which a "
                                                 "comma-separated file cannot hold; write %3")
                         .arg(rowText(row), QString(*meant).replace(u'.', u','), *meant));
                continue;
            }
        }
        const ReadWeight weight = readWeight(weightCell);
        if (!weight.readable) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: \"%2\" is not a weight")
                     .arg(rowText(row), weightCell.left(40)));
            continue;
        }
        std::optional<WeightUnit> unit = weight.unit;
        QString unknownUnit = weight.unknownUnit;
        if (!unit && unknownUnit.isEmpty() && columns->unit >= 0) {
            const QString unitCell = record.fields.value(columns->unit).trimmed();
            unit = unitOfWord(unitCell);
            if (!unit && !unitCell.isEmpty())
                unknownUnit = unitCell;
        }
        if (!unknownUnit.isEmpty()) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: unknown unit \"%2\"")
                     .arg(rowText(row), unknownUnit.left(20)));
            continue;
        }
        const WeightUnit rowUnit = unit.value_or(columns->weightUnit.value_or(assumed));
        const double kg = WeightUnits::typedToKg(weight.value, rowUnit);
        if (!WeightLimits::isValidKg(kg)) {
            skip(QCoreApplication::translate("WeightCsv", "row %1: %2 is not between %3 and %4 kg")
                     .arg(rowText(row), WeightUnits::text(kg, rowUnit),
                          QString::number(WeightLimits::minKg),
                          QString::number(WeightLimits::maxKg)));
            continue;
        }
        // The later row of a day wins.
        const auto earlier = taken.constFind(read.date);
        if (earlier != taken.constEnd())
            skip(QCoreApplication::translate("WeightCsv",
                                             "row %1: the same day as row %2, which replaces it")
                     .arg(rowText(earlier->second), rowText(row)));
        taken.insert(read.date, {kg, row});
    }
    for (auto it = taken.cbegin(); it != taken.cend(); ++it)
        result.entries.append(WeightEntry{it.key(), it->first});
    result.taken = int(result.entries.size());
    return result;
}

} // namespace WeightCsv
