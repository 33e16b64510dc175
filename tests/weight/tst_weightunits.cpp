#include "weight/weightunits.h"

#include <QTest>

class TestWeightUnits final : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void noDriftOverTheWholeRange();
    void parse_data();
    void parse();
};

void TestWeightUnits::roundTrip_data()
{
    QTest::addColumn<double>("kg");
    QTest::addColumn<QString>("pounds");
    QTest::addColumn<double>("typedKg"); // the pounds typed back, as kept

    QTest::newRow("80.0") << 80.0 << "176.4" << 80.01;
    QTest::newRow("63.3") << 63.3 << "139.6" << 63.32;
    QTest::newRow("lightest") << 20.0 << "44.1" << 20.0;
    QTest::newRow("heaviest") << 500.0 << "1102.3" << 499.99;
}

void TestWeightUnits::roundTrip()
{
    QFETCH(double, kg);
    QFETCH(QString, pounds);
    QFETCH(double, typedKg);
    QCOMPARE(WeightUnits::number(kg, WeightUnit::Pounds), pounds);
    const double typed = WeightUnits::parse(pounds, WeightUnit::Pounds).value();
    QCOMPARE(typed, typedKg);
    QCOMPARE(WeightUnits::number(typed, WeightUnit::Pounds), pounds);
    QCOMPARE(WeightUnits::number(typed, WeightUnit::Kilograms), QString::number(kg, 'f', 1));
}

void TestWeightUnits::noDriftOverTheWholeRange()
{
    // A shown pound value, typed back, shows the same in both units, however
    // often the member switches.
    for (int tenths = 200; tenths <= 5000; ++tenths) {
        double kg = tenths / 10.0;
        for (int trip = 0; trip < 3; ++trip)
            kg = WeightUnits::parse(WeightUnits::number(kg, WeightUnit::Pounds), WeightUnit::Pounds)
                     .value();
        QCOMPARE(WeightUnits::number(kg, WeightUnit::Kilograms), QString::number(tenths / 10.0, 'f', 1));
    }
}

void TestWeightUnits::parse_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("kg"); // 0: refused

    const int kg = int(WeightUnit::Kilograms);
    const int lb = int(WeightUnit::Pounds);
    QTest::newRow("kilograms") << "81.4" << kg << 81.4;
    QTest::newRow("decimal comma") << " 176,4 " << lb << 80.01;
    QTest::newRow("unit typed along") << "80 kg" << kg << 80.0;
    QTest::newRow("more decimals rounded") << "80.06" << kg << 80.1;
    QTest::newRow("the other unit") << "80 lb" << kg << 0.0;
    QTest::newRow("empty") << "" << kg << 0.0;
    QTest::newRow("words") << "eighty" << kg << 0.0;
    QTest::newRow("negative") << "-80" << kg << 0.0;
    QTest::newRow("zero") << "0" << kg << 0.0;
    QTest::newRow("two numbers") << "80 81" << kg << 0.0;
}

void TestWeightUnits::parse()
{
    QFETCH(QString, typed);
    QFETCH(int, unit);
    QFETCH(double, kg);
    const std::optional<double> parsed = WeightUnits::parse(typed, WeightUnit(unit));
    QCOMPARE(parsed.value_or(0), kg);
}

QTEST_GUILESS_MAIN(TestWeightUnits)
#include "tst_weightunits.moc"
