#include "main/historycsv.h"
#include "main/historymodel.h"
#include "main/historytrend.h"

#include <QTimeZone>
#include <QtTest>

#include <ctime>

namespace {

QString dayJson(const QString& id, qint64 date, const QString& total = "1500", const QString& remain = "300",
                const QString& score = "83.3")
{
    return QStringLiteral(R"({"id":"%1","date":"%2","total":"%3","remain":"%4","score":"%5","grade":"D",)"
                          R"("breakfast":"300","firstsnack":"150","lunch":"450","secondsnack":"150",)"
                          R"("dinner":"300","thirdsnack":"150"})")
        .arg(id)
        .arg(date)
        .arg(total, remain, score);
}

QString reply(const QStringList& days)
{
    return QStringLiteral(R"({"result_code":0,"history_info":[%1]})").arg(days.join(u','));
}

qint64 noonUtc(int year, int month, int day)
{
    return QDateTime(QDate(year, month, day), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
}

// A small RFC 4180 reader: quoted fields may hold commas, quotes, line breaks.
QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            row.append(field);
            field.clear();
            rows.append(row);
            row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

} // namespace

class TestHistoryModel final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedReplies_data();
    void failedReplies();
    void successWithoutDaysIsEmpty_data();
    void successWithoutDaysIsEmpty();
    void fieldsAreRead();
    void oddDays_data();
    void oddDays();
    void dateFormat_data();
    void dateFormat();
    void aDayShowsUnderItsDateInEveryZone_data();
    void aDayShowsUnderItsDateInEveryZone();
    void fiveThousandDays();
    void csvRoundTrip();
    void csvTarget_data();
    void csvTarget();
    void csvField_data();
    void csvField();
    void trendPerDay();
    void trendFallsBackToWeeksAndMonths();
    void trendRunsAndTicks_data();
    void trendRunsAndTicks();
};

void TestHistoryModel::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

void TestHistoryModel::failedReplies_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("not JSON") << "<html>502 Bad Gateway</html>";
    QTest::newRow("empty") << "";
    QTest::newRow("array at top") << R"([{"id":"1"}])";
    QTest::newRow("refused") << R"({"result_code":1,"message":"Non Exist Email"})";
    QTest::newRow("refused as text") << R"({"result_code":"2","history_info":[]})";
}

void TestHistoryModel::successWithoutDaysIsEmpty_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no array") << R"({"result_code":0})";
    QTest::newRow("array is an object") << R"({"result_code":0,"history_info":{"id":"1"}})";
    QTest::newRow("array is text") << R"({"result_code":0,"history_info":"none"})";
}

void TestHistoryModel::successWithoutDaysIsEmpty()
{
    QFETCH(QString, text);
    const std::optional<HistoryRecords> records = HistoryReply::parse(text);
    QVERIFY(records);
    QVERIFY(records->empty());
}

void TestHistoryModel::failedReplies()
{
    QFETCH(QString, text);
    QVERIFY(!HistoryReply::parse(text));
}

void TestHistoryModel::fieldsAreRead()
{
    const auto records = HistoryReply::parse(reply({dayJson("57", noonUtc(2024, 3, 5))}));
    QVERIFY(records);
    QCOMPARE(records->size(), size_t(1));
    const HistoryModel& day = *records->front();
    QCOMPARE(day.id, 57);
    QCOMPARE(day.date, noonUtc(2024, 3, 5));
    QCOMPARE(day.total, "1500");
    QCOMPARE(day.remain, "300");
    QCOMPARE(day.score, "83.3");
    QCOMPARE(day.grade, "D");
    const QStringList meals{"300", "150", "450", "150", "300", "150"};
    for (int meal = 0; meal < 6; ++meal)
        QCOMPARE(day.mealFigure(meal), meals.at(meal));
    QCOMPARE(day.mealFigure(6), QString());

    QVERIFY(HistoryReply::parse(reply({}))->empty());
}

void TestHistoryModel::oddDays_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<int>("id");
    QTest::addColumn<qint64>("date");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("exercise"); // empty from a service without exercise

    QTest::newRow("numbers where texts belong")
        << R"({"id":12,"date":1709640000000,"total":1500.5})" << 12 << qint64(1709640000000) << "1500.5" << "";
    QTest::newRow("date not a number") << R"({"id":"3","date":"yesterday","total":"x"})" << 3 << qint64(0) << "x" << "";
    QTest::newRow("id too large") << R"({"id":"4294967296","date":"5"})" << 0 << qint64(5) << "" << "";
    QTest::newRow("id not a number") << R"({"id":"abc"})" << 0 << qint64(0) << "" << "";
    QTest::newRow("nested values") << R"({"id":["1"],"date":{"a":1},"total":[1]})" << 0 << qint64(0) << "" << "";
    QTest::newRow("exercise burned")
        << R"({"id":"6","exercise_calories":"172"})" << 6 << qint64(0) << "" << "172";
    QTest::newRow("exercise as a number")
        << R"({"id":"7","exercise_calories":86.5})" << 7 << qint64(0) << "" << "86.5";
    QTest::newRow("empty object") << "{}" << 0 << qint64(0) << "" << "";
}

void TestHistoryModel::oddDays()
{
    QFETCH(QString, day);
    QFETCH(int, id);
    QFETCH(qint64, date);
    QFETCH(QString, total);
    QFETCH(QString, exercise);

    const auto records = HistoryReply::parse(reply({day, "\"not a day\"", "17"}));
    QVERIFY(records);
    QCOMPARE(records->size(), size_t(1)); // entries that are not objects are left out
    QCOMPARE(records->front()->id, id);
    QCOMPARE(records->front()->date, date);
    QCOMPARE(records->front()->total, total);
    QCOMPARE(records->front()->exercise, exercise);
}

void TestHistoryModel::dateFormat_data()
{
    QTest::addColumn<qint64>("date");
    QTest::addColumn<QString>("text");

    QTest::newRow("midnight UTC") << QDateTime(QDate(2024, 3, 5), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch()
                                  << "March 05 2024";
    QTest::newRow("noon UTC") << noonUtc(2026, 12, 31) << "December 31 2026";
    QTest::newRow("time 0") << qint64(0) << "January 01 1970";
    QTest::newRow("before 1970") << qint64(-86400000) << "December 31 1969";
}

void TestHistoryModel::dateFormat()
{
    QFETCH(qint64, date);
    QFETCH(QString, text);
    QCOMPARE(HistoryModel::formatDate(date), text);
}

void TestHistoryModel::aDayShowsUnderItsDateInEveryZone_data()
{
    QTest::addColumn<QByteArray>("zone");
    for (const char* zone : {"Etc/GMT+12", "Pacific/Pago_Pago", "America/Los_Angeles", "UTC",
                             "Asia/Kolkata", "Pacific/Auckland", "Pacific/Chatham", "Pacific/Fiji",
                             "Pacific/Tongatapu", "Pacific/Apia", "Pacific/Kiritimati"})
        QTest::newRow(zone) << QByteArray(zone);
}

void TestHistoryModel::aDayShowsUnderItsDateInEveryZone()
{
    QFETCH(QByteArray, zone);
    const QTimeZone timeZone(zone);
    QVERIFY(timeZone.isValid());
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    // A member there tracks a day (summer and winter, first and last minute)
    // under the local date; the service sends that date as noon UTC.
    for (const QDate& date : {QDate(2026, 1, 15), QDate(2026, 7, 15)}) {
        for (const QDateTime& moment : {date.startOfDay(timeZone).addSecs(30),
                                        date.endOfDay(timeZone).addSecs(-30)}) {
            const QDate tracked = moment.toTimeZone(timeZone).date();
            const qint64 sent = noonUtc(tracked.year(), tracked.month(), tracked.day());
            QCOMPARE(HistoryModel::dayOf(sent), tracked);
            QCOMPARE(HistoryModel::formatDate(sent), english.toString(tracked, "MMMM dd yyyy"));
        }
    }
}

void TestHistoryModel::fiveThousandDays()
{
    QStringList days;
    for (int i = 0; i < 5000; ++i)
        days.append(dayJson(QString::number(i + 1), noonUtc(2010, 1, 1) + qint64(i) * 86400000));
    const auto records = HistoryReply::parse(reply(days));
    QVERIFY(records);
    QCOMPARE(records->size(), size_t(5000));
    QCOMPARE(records->back()->id, 5000);
}

void TestHistoryModel::csvRoundTrip()
{
    const QString awkward = R"({"id":"2","date":"%1","total":"1,800","remain":"-300","score":"say \"hi\"",)"
                            R"j("grade":"=HYPERLINK(1)","breakfast":"line\nbreak","lunch":"450",)j"
                            R"("exercise_calories":"172"})";
    const auto records = HistoryReply::parse(
        reply({dayJson("1", noonUtc(2024, 3, 5)), awkward.arg(noonUtc(2024, 3, 6)), R"({"id":"3","date":"x"})"}));
    QVERIFY(records);

    const QByteArray csv = HistoryCsv::toCsv(*records);
    QVERIFY(csv.endsWith("\r\n"));
    // The same bytes whatever the member's language.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const QByteArray spanish = HistoryCsv::toCsv(*records);
    QLocale::setDefault(before);
    QCOMPARE(spanish, csv);
    const QList<QStringList> rows = readCsv(QString::fromUtf8(csv));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(0), (QStringList{"Date", "Target", "Total", "Remaining", "Score", "Grade", "Breakfast",
                                      "First Snack", "Lunch", "Second Snack", "Dinner", "Third Snack", "Exercise"}));
    QCOMPARE(rows.at(1), (QStringList{"2024-03-05", "1800", "1500", "300", "83.3", "D", "300", "150", "450", "150",
                                      "300", "150", ""}));
    QCOMPARE(rows.at(2), (QStringList{"2024-03-06", "", "1,800", "-300", "say \"hi\"", "'=HYPERLINK(1)",
                                      "line\nbreak", "", "450", "", "", "", "172"}));
    QCOMPARE(rows.at(3).size(), 13);
    QCOMPARE(rows.at(3).at(0), QString()); // no readable date
}

void TestHistoryModel::csvTarget_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("remain");
    QTest::addColumn<QString>("target");

    QTest::newRow("under target") << "1377" << "123" << "1500";
    QTest::newRow("over target") << "1600" << "-100" << "1500";
    QTest::newRow("decimals add up to the hundredth") << "0.1" << "0.2" << "0.3";
    QTest::newRow("quarter calories") << "1200.5" << "299.25" << "1499.75";
    QTest::newRow("large, no exponent") << "1e7" << "0" << "10000000";
    QTest::newRow("total missing") << "" << "300" << "";
    QTest::newRow("remaining not a number") << "1500" << "abc" << "";
    QTest::newRow("thousands separator") << "1,800" << "-300" << "";
}

void TestHistoryModel::csvTarget()
{
    QFETCH(QString, total);
    QFETCH(QString, remain);
    QTEST(HistoryCsv::target(total, remain), "target");
}

void TestHistoryModel::csvField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");

    QTest::newRow("plain") << "1500" << "1500";
    QTest::newRow("negative number") << "-25" << "-25";
    QTest::newRow("comma") << "a,b" << "\"a,b\"";
    QTest::newRow("quote") << "a\"b" << "\"a\"\"b\"";
    QTest::newRow("carriage return") << "a\rb" << "\"a\rb\"";
    QTest::newRow("formula") << "=1+2" << "'=1+2";
    QTest::newRow("at sign") << "@SUM(A1)" << "'@SUM(A1)";
    QTest::newRow("plus text") << "+x" << "'+x";
    QTest::newRow("empty") << "" << "";
}

void TestHistoryModel::csvField()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(HistoryCsv::field(text), field);
}

void TestHistoryModel::trendPerDay()
{
    // Sent newest first, as the server does; a day without a date is left out.
    const auto records = HistoryReply::parse(reply({
        dayJson("3", noonUtc(2024, 3, 7), "2000", "-200", "90"),
        dayJson("2", noonUtc(2024, 3, 6), "1500", "300", "83.3"),
        dayJson("1", noonUtc(2024, 3, 5), "abc", "1800", "0"),
        R"({"id":"9","date":"nope","total":"5000"})",
    }));
    QVERIFY(records);
    const HistoryTrend trend = HistoryTrend::build(*records, 100);
    QCOMPARE(trend.step, HistoryTrend::Step::Day);
    QCOMPARE(trend.points.size(), 3);
    QCOMPARE(trend.points.at(0).start, QDate(2024, 3, 5));
    QCOMPARE(trend.points.at(0).eaten, 0.0);
    QCOMPARE(trend.points.at(0).target, 1800.0);
    QCOMPARE(trend.points.at(1).eaten, 1500.0);
    QCOMPARE(trend.points.at(1).target, 1800.0);
    QCOMPARE(trend.points.at(1).score, 83.3);
    QCOMPARE(trend.points.at(2).start, QDate(2024, 3, 7));
    QCOMPARE(trend.points.at(2).target, 1800.0);
}

void TestHistoryModel::trendFallsBackToWeeksAndMonths()
{
    // Ten years of days from Monday 2015-01-05.
    QStringList days;
    const QDate first(2015, 1, 5);
    for (int i = 0; i < 3650; ++i) {
        const QDate day = first.addDays(i);
        days.append(dayJson(QString::number(i + 1), noonUtc(day.year(), day.month(), day.day()),
                            QString::number(1000 + i % 7 * 100), "500", "80"));
    }
    const auto records = HistoryReply::parse(reply(days));
    QVERIFY(records);

    const HistoryTrend daily = HistoryTrend::build(*records, 4000);
    QCOMPARE(daily.step, HistoryTrend::Step::Day);
    QCOMPARE(daily.points.size(), 3650);

    const HistoryTrend weekly = HistoryTrend::build(*records, 600);
    QCOMPARE(weekly.step, HistoryTrend::Step::Week);
    QCOMPARE(weekly.points.size(), 522); // 521 whole weeks and one day
    QCOMPARE(weekly.points.at(0).start, first);
    QCOMPARE(weekly.points.at(0).days, 7);
    QCOMPARE(weekly.points.at(0).eaten, 1300.0); // 1000..1600 averaged
    QCOMPARE(weekly.points.at(0).target, 1800.0);

    const HistoryTrend monthly = HistoryTrend::build(*records, 200);
    QCOMPARE(monthly.step, HistoryTrend::Step::Month);
    QCOMPARE(monthly.points.at(0).start, QDate(2015, 1, 1));
    QCOMPARE(monthly.points.at(0).days, 27);
    QCOMPARE(monthly.points.size(), 121); // January 2015 to January 2025
    QCOMPARE(monthly.points.at(5).score, 80.0);

    const HistoryTrend quarterly = HistoryTrend::build(*records, 100);
    QCOMPARE(quarterly.step, HistoryTrend::Step::Quarter);
    QCOMPARE(quarterly.points.size(), 41); // 2015 Q1 to 2025 Q1
    QCOMPARE(quarterly.points.at(1).start, QDate(2015, 4, 1));
    QCOMPARE(quarterly.points.at(1).days, 91);

    const HistoryTrend yearly = HistoryTrend::build(*records, 12);
    QCOMPARE(yearly.step, HistoryTrend::Step::Year);
    QCOMPARE(yearly.points.size(), 11);
    QCOMPARE(yearly.points.at(1).days, 366); // 2016
    QCOMPARE(yearly.points.at(10).days, 1);  // 2025-01-01

    // More years than room: still yearly, the best it can do.
    QCOMPARE(HistoryTrend::build(*records, 3).points.size(), 11);
}

void TestHistoryModel::trendRunsAndTicks_data()
{
    // Days counted from Monday 2024-03-04.
    QTest::addColumn<QList<int>>("days");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<QList<int>>("runLengths");
    QTest::addColumn<QStringList>("ticks"); // empty: only checked to be distinct and few enough

    QTest::newRow("one tracked day") << QList<int>{0} << 100 << 10 << QList<int>{1} << QStringList{"Mar 04 2024"};
    QTest::newRow("three days in a row")
        << QList<int>{0, 1, 2} << 100 << 10 << QList<int>{3}
        << QStringList{"Mar 04 2024", "Mar 05 2024", "Mar 06 2024"};
    QTest::newRow("a week with gaps: every day marked")
        << QList<int>{0, 1, 3, 6} << 100 << 10 << QList<int>{2, 1, 1}
        << QStringList{"Mar 04 2024", "Mar 05 2024", "Mar 06 2024", "Mar 07 2024",
                       "Mar 08 2024", "Mar 09 2024", "Mar 10 2024"};
    QTest::newRow("a week with gaps, room for three labels")
        << QList<int>{0, 1, 3, 6} << 100 << 3 << QList<int>{2, 1, 1}
        << QStringList{"Mar 04 2024", "Mar 07 2024", "Mar 10 2024"};
    QList<int> quarter;
    for (int day = 0; day < 90; ++day)
        quarter.append(day);
    QTest::newRow("90 days") << quarter << 100 << 10 << QList<int>{90} << QStringList();
    QTest::newRow("weeks, one untracked")
        << QList<int>{0, 7, 8, 21} << 3 << 10 << QList<int>{2, 1}
        << QStringList{"Mar 04 2024", "Mar 11 2024", "Mar 18 2024", "Mar 25 2024"};
}

void TestHistoryModel::trendRunsAndTicks()
{
    QFETCH(QList<int>, days);
    QFETCH(int, maxPoints);
    QFETCH(int, maxTicks);
    QFETCH(QList<int>, runLengths);
    QFETCH(QStringList, ticks);

    QStringList json;
    const QDate monday(2024, 3, 4);
    for (int offset : days) {
        const QDate day = monday.addDays(offset);
        json.append(dayJson(QString::number(offset), noonUtc(day.year(), day.month(), day.day())));
    }
    const auto records = HistoryReply::parse(reply(json));
    QVERIFY(records);
    const HistoryTrend trend = HistoryTrend::build(*records, maxPoints);

    // The runs follow each other, breaking at untracked steps only.
    QList<int> lengths;
    qsizetype next = 0;
    for (const HistoryTrend::Run& run : trend.runs()) {
        QCOMPARE(run.first, next);
        lengths.append(int(run.count));
        next += run.count;
    }
    QCOMPARE(lengths, runLengths);

    QStringList labels;
    for (const QDate& tick : trend.ticks(maxTicks))
        labels.append(trend.tickLabel(tick));
    if (!ticks.isEmpty())
        QCOMPARE(labels, ticks);
    QVERIFY(!labels.isEmpty() && labels.size() <= maxTicks);
    QCOMPARE(labels.constFirst(), trend.tickLabel(trend.points.constFirst().start));
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
}

QTEST_GUILESS_MAIN(TestHistoryModel)
#include "tst_historymodel.moc"
