#include "weight/weightsummary.h"
#include "weight/weighttrend.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

const QDate day0(2026, 1, 1);
constexpr double none = std::numeric_limits<double>::quiet_NaN();

// "0:80 1:176.4lb": day offset, weight, optional unit.
QList<WeightEntry> entriesOf(const QString& weighings)
{
    QList<WeightEntry> entries;
    for (const QString& item : weighings.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char(':'));
        const bool pounds = parts[1].endsWith(QLatin1String("lb"));
        const auto kg =
            WeightUnits::parse(parts[1], pounds ? WeightUnit::Pounds : WeightUnit::Kilograms);
        entries.append(WeightEntry{day0.addDays(parts[0].toInt()), kg.value_or(0)});
    }
    return entries;
}

// Daily weighings from `start`, `step` a day, for `days` days.
QString ramp(double start, double step, int days)
{
    QStringList items;
    for (int n = 0; n < days; ++n)
        items << QStringLiteral("%1:%2").arg(n).arg(start + step * n, 0, 'f', 1);
    return items.join(QLatin1Char(' '));
}

std::optional<double> optionalOf(double value)
{
    return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

} // namespace

class TestWeightTrend final : public QObject
{
    Q_OBJECT

private slots:
    void summary_data();
    void summary();
    void laterEntryOfADayWins();
};

void TestWeightTrend::summary_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<int>("today");
    QTest::addColumn<double>("goal");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("trend");
    QTest::addColumn<double>("weekly");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("goalDay");
    QTest::addColumn<double>("bmi");

    using S = WeightSummary::GoalState;
    // t = w + 0.9 (1 - 0.9^n) for a ramp losing 0.1 a day: 77.2 + 0.8529 on day 28;
    // (78.0529 - 80) / 4 = -0.4868 a week; 3.0529 kg to go at 0.0695 a day: 44 days.
    QTest::newRow("steady loss") << ramp(80, -0.1, 29) << 28 << 75.0 << 175.0 << 78.0529 << -0.48678
                                 << int(S::OnTheWay) << 28 + 44 << 25.5;
    QTest::newRow("gain towards a higher goal")
        << ramp(70, 0.1, 29) << 28 << 80.0 << none << 71.9471 << 0.48678 << int(S::OnTheWay)
        << 28 + 116 << none;
    QTest::newRow("gain away from the goal") << ramp(70, 0.1, 29) << 28 << 65.0 << none << 71.9471
                                             << 0.48678 << int(S::NotMoving) << -1 << none;
    QTest::newRow("below a lower goal, still losing") << ramp(80, -0.1, 29) << 28 << 79.0 << none
                                                      << 78.0529 << -0.48678 << int(S::Reached)
                                                      << -1 << none;
    QTest::newRow("above a higher goal, still gaining") << ramp(70, 0.1, 29) << 28 << 71.0 << none
                                                        << 71.9471 << 0.48678 << int(S::Reached)
                                                        << -1 << none;
    QTest::newRow("plateau") << ramp(80, 0, 29) << 28 << 75.0 << none << 80.0 << 0.0
                             << int(S::NotMoving) << -1 << none;
    // 80 + 0.1 (70 - 80) = 79; 79 + 0.1 (70 - 79) = 78.1.
    QTest::newRow("a drop, under a week")
        << "0:80 1:70 2:70" << 2 << 75.0 << none << 78.1 << none << int(S::NotMoving) << -1 << none;
    // Nine days without a weighing leave 80; the next moves it a tenth of 10.
    QTest::newRow("gap of nine days")
        << "0:80 10:90" << 10 << 75.0 << none << 81.0 << 0.7 << int(S::NotMoving) << -1 << none;
    QTest::newRow("gap up to today") << "0:80 10:90" << 15 << 85.0 << none << 81.0 << 1.0 * 7 / 15
                                     << int(S::OnTheWay) << 15 + 60 << none;
    QTest::newRow("gaps between weighings") << "0:80 4:70 9:70 16:70" << 16 << none << none << 77.29
                                            << -1.185625 << int(S::NoGoal) << -1 << none;
    // 80 / 1.75^2 = 26.12.
    QTest::newRow("single entry") << "0:80" << 0 << 70.0 << 175.0 << 80.0 << none
                                  << int(S::NotMoving) << -1 << 26.1;
    QTest::newRow("single entry at the goal")
        << "0:72" << 3 << 72.0 << none << 72.0 << none << int(S::Reached) << -1 << none;
    QTest::newRow("no entries") << "" << 0 << 72.0 << 175.0 << none << none << int(S::NoGoal) << -1
                                << none;
    // 176.4 lb is kept as 80.01 kg, 165.3 lb as 74.98 kg:
    // 80 + 0.1 (80.01 - 80) = 80.001; 80.001 + 0.1 (74.98 - 80.001) = 79.4989.
    QTest::newRow("both units") << "0:80 1:176.4lb 2:165.3lb" << 2 << none << none << 79.4989 << none
                                << int(S::NoGoal) << -1 << none;
}

void TestWeightTrend::summary()
{
    QFETCH(QString, entries);
    QFETCH(int, today);
    QFETCH(double, goal);
    QFETCH(double, height);
    QFETCH(double, trend);
    QFETCH(double, weekly);
    QFETCH(int, state);
    QFETCH(int, goalDay);
    QFETCH(double, bmi);

    const WeightSummary summary = WeightSummary::of(
        WeightTrend(entriesOf(entries)), day0.addDays(today), optionalOf(goal), optionalOf(height));
    QCOMPARE(summary.trendKg.has_value(), !std::isnan(trend));
    if (summary.trendKg)
        QVERIFY2(std::abs(*summary.trendKg - trend) < 1e-3,
                 qPrintable(QString::number(*summary.trendKg)));
    QCOMPARE(summary.weeklyChangeKg.has_value(), !std::isnan(weekly));
    if (summary.weeklyChangeKg)
        QVERIFY2(std::abs(*summary.weeklyChangeKg - weekly) < 1e-3,
                 qPrintable(QString::number(*summary.weeklyChangeKg)));
    QCOMPARE(int(summary.goal), state);
    QCOMPARE(summary.goalDate, goalDay < 0 ? QDate() : day0.addDays(goalDay));
    QCOMPARE(summary.bmi.has_value(), !std::isnan(bmi));
    if (summary.bmi)
        QCOMPARE(*summary.bmi, bmi);
    if (state == int(WeightSummary::GoalState::Reached))
        QVERIFY(summary.goalText(WeightUnit::Kilograms).endsWith(QLatin1String(": reached")));
    if (state == int(WeightSummary::GoalState::NotMoving))
        QVERIFY(summary.goalText(WeightUnit::Kilograms)
                    .endsWith(QLatin1String("not moving towards your goal")));
}

void TestWeightTrend::laterEntryOfADayWins()
{
    // Out of order, and day 1 twice: the trend is that of 0:80 1:70.
    const WeightTrend trend({{day0.addDays(1), 90}, {day0, 80}, {day0.addDays(1), 70}});
    QCOMPARE(trend.points().size(), 2);
    QCOMPARE(trend.at(day0.addDays(5)).value(), 79.0);
    QVERIFY(!trend.at(day0.addDays(-1)));
}

QTEST_GUILESS_MAIN(TestWeightTrend)
#include "tst_weighttrend.moc"
