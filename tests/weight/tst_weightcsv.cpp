#include "weight/weightcsv.h"

#include <QtTest>

// Reading weight files written by other trackers and by our own export.
class TstWeightCsv final : public QObject
{
    Q_OBJECT

private slots:
    void importsWhatTrackersWrite_data();
    void importsWhatTrackersWrite();
    void exportReadsBackInEitherUnit();
};

namespace {

const QDate today(2026, 12, 7);

// "2026-08-01=84.2 2026-08-02=84.0"
QString shown(const QList<WeightEntry>& entries)
{
    QStringList parts;
    for (const WeightEntry& entry : entries)
        parts.append(entry.date.toString(Qt::ISODate) + u'=' + QString::number(entry.kg, 'f', 1));
    return parts.join(u' ');
}

QByteArray manyRows(int count)
{
    QByteArray csv = "date,weight\n";
    for (int i = 0; i < count; ++i)
        csv += QDate(1950, 1, 1).addDays(i % 20000).toString(Qt::ISODate).toLatin1() + ",80\n";
    return csv;
}

} // namespace

void TstWeightCsv::importsWhatTrackersWrite_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("skipped"); // reasons joined by " | "
    QTest::addColumn<QString>("refusal"); // its start

    QTest::newRow("ISO, our own export") << QByteArray("date,weight,unit\n2026-08-02,84.0,kg\n2026-08-01,84.2,kg\n")
                                         << "2026-08-01=84.2 2026-08-02=84.0" << "" << "";
    QTest::newRow("day first, semicolons, decimal comma, BOM, CRLF")
        << QByteArray("\xEF\xBB\xBFDatum;Gewicht (kg)\r\n01.08.2026;84,2\r\n13.08.2026;83,9\r\n")
        << "2026-08-01=84.2 2026-08-13=83.9" << "" << "";
    QTest::newRow("month first, pounds in the header")
        << QByteArray("Date,Weight (lbs)\n08/01/2026,185.6\n08/13/2026,185.0\n")
        << "2026-08-01=84.2 2026-08-13=83.9" << "" << "";
    QTest::newRow("two-digit years, day first") << QByteArray("date,kg\n25/12/25,90\n01/02/26,89.5\n")
                                                << "2025-12-25=90.0 2026-02-01=89.5" << "" << "";
    QTest::newRow("month names, quoted, with times")
        << QByteArray("\"Date\",\"Weight\"\n\"Aug 1, 2026 07:30\",\"84.2\"\n\"2 Aug 2026\",\"84.0 kg\"\n")
        << "2026-08-01=84.2 2026-08-02=84.0" << "" << "";
    QTest::newRow("ISO with times, weight_lb") << QByteArray("timestamp,weight_lb\n2026-08-01T07:12:00Z,176.4\n")
                                               << "2026-08-01=80.0" << "" << "";
    QTest::newRow("a unit column per row")
        << QByteArray("date,weight,unit\n2026-08-01,80,kg\n2026-08-02,176.4,lbs\n2026-08-03,12,stone\n")
        << "2026-08-01=80.0 2026-08-02=80.0" << "row 4: unknown unit \"stone\"" << "";
    QTest::newRow("no header") << QByteArray("2026-08-01,84.2\n2026-08-02,84.0\n")
                               << "2026-08-01=84.2 2026-08-02=84.0" << "" << "";
    QTest::newRow("goal and trend columns are not the weight")
        << QByteArray("Date,Goal weight,Trend,Body weight,Body fat\n2026-08-01,75,84.5,84.2,30\n")
        << "2026-08-01=84.2" << "" << "";
    QTest::newRow("the later row of a day wins")
        << QByteArray("date,weight\n2026-08-01,84.2\n2026-08-02,84.0\n2026-08-01,83.8\n")
        << "2026-08-01=83.8 2026-08-02=84.0" << "row 2: the same day as row 4, which replaces it" << "";
    QTest::newRow("rows skipped with their reasons")
        << QByteArray("date,weight\n,84\n2026-08-01,\n2026-08-02,heavy\n2026-08-03,12\n2026-12-09,80\n"
                      "1899-12-31,80\nsoon,80\n2026-08-04,84.1\n\n")
        << "2026-08-04=84.1"
        << "row 2: no date | row 3: no weight | row 4: \"heavy\" is not a weight | "
           "row 5: 12.0 kg is not between 20 and 500 kg | row 6: 2026-12-09 is in the future | "
           "row 7: 1899-12-31 is before 1900 | row 8: \"soon\" is not a date"
        << "";
    QTest::newRow("a quoted field over two lines keeps the row numbers")
        << QByteArray("date,weight,note\n2026-08-01,84.2,\"after a\nlong walk\"\n2026-08-02,x,\n")
        << "2026-08-01=84.2" << "row 4: \"x\" is not a weight" << "";
    QTest::newRow("decimal commas in a comma-separated file")
        << QByteArray("date,weight,unit\n2026-08-01,81,4\n2026-08-02,\"81,2 kg\"\n2026-08-03,81,0,kg\n"
                      "2026-08-04,81,lb\n")
        << "2026-08-04=36.7"
        << "row 2: \"81,4\" has a decimal comma, which a comma-separated file cannot hold; write 81.4 | "
           "row 3: \"81,2\" has a decimal comma, which a comma-separated file cannot hold; write 81.2 | "
           "row 4: \"81,0\" has a decimal comma, which a comma-separated file cannot hold; write 81.0"
        << "";
    QTest::newRow("decimal comma without a header") << QByteArray("2026-08-01,81,4\n2026-08-02,81.2\n")
                                                    << "2026-08-02=81.2"
                                                    << "row 1: \"81,4\" has a decimal comma, which a "
                                                       "comma-separated file cannot hold; write 81.4"
                                                    << "";
    QTest::newRow("ISO rows decide nothing for ambiguous ones")
        << QByteArray("date,weight\n2026-08-01,84.2\n03/04/2026,84.0\n") << "2026-08-01=84.2"
        << "row 3: the date 03/04/2026 could be day/month or month/day" << "";
    QTest::newRow("only ambiguous dates") << QByteArray("date,weight\n01/02/2026,84.2\n03/04/2026,84.0\n")
                                          << "" << "" << "The dates could be day/month or month/day;";
    QTest::newRow("both orders in one file") << QByteArray("date,weight\n13/01/2026,84.2\n01/13/2026,84.0\n")
                                             << "" << "" << "The dates mix day/month and month/day.";
    QTest::newRow("no weight column") << QByteArray("name,steps\nAnna,9000\n") << "" << ""
                                      << "No weight column";
    QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF\n\n") << "" << "" << "The file holds no weights.";
    QTest::newRow("too many rows") << manyRows(WeightCsv::maxRows + 1) << "" << ""
                                   << "The file has more than 100,000 rows";
}

void TstWeightCsv::importsWhatTrackersWrite()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entries);
    QFETCH(QString, skipped);
    QFETCH(QString, refusal);
    const WeightImport result = WeightCsv::parse(file, WeightUnit::Kilograms, today);
    QVERIFY2(refusal.isEmpty() ? result.refusal.isEmpty() : result.refusal.startsWith(refusal),
             qPrintable(result.refusal));
    QCOMPARE(shown(result.entries), entries);
    QCOMPARE(result.taken, int(result.entries.size()));
    QCOMPARE(result.skipped.join(QStringLiteral(" | ")), skipped);
}

void TstWeightCsv::exportReadsBackInEitherUnit()
{
    const QList<WeightEntry> entries = {{QDate(2026, 8, 1), 80.0}, {QDate(2026, 8, 2), 79.9}, {QDate(2026, 8, 3), 123.4}};
    const QByteArray pounds = WeightCsv::exportCsv(entries, WeightUnit::Pounds);
    QVERIFY(pounds.startsWith("date,weight,unit\n2026-08-01,176.4,lb\n"));
    for (const WeightUnit unit : {WeightUnit::Kilograms, WeightUnit::Pounds}) {
        // Read back as a member of the other unit would: the file names its own.
        const WeightUnit other = unit == WeightUnit::Pounds ? WeightUnit::Kilograms : WeightUnit::Pounds;
        const WeightImport back = WeightCsv::parse(WeightCsv::exportCsv(entries, unit), other, today);
        QCOMPARE(shown(back.entries), shown(entries));
        QVERIFY(back.skipped.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TstWeightCsv)
#include "tst_weightcsv.moc"
