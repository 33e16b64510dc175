#include "contrast.h"

#include <QPainter>
#include <QtTest>

// The WCAG arithmetic, and reading a text's colours from two renders.
class TestContrast final : public QObject
{
    Q_OBJECT

private slots:
    void ratio_data();
    void ratio();
    void required_data();
    void required();
    void measure_data();
    void measure();
    void nothingDrawnIsNoText();
};

void TestContrast::ratio_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<double>("expected");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("#777 on white") << QColor("#777777") << QColor(Qt::white) << 4.48;
    QTest::newRow("#767676 on white") << QColor("#767676") << QColor(Qt::white) << 4.54;
    QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.00;
    QTest::newRow("white on #2F2E46") << QColor(Qt::white) << QColor("#2F2E46") << 13.13;
    QTest::newRow("white on orange #F6710E") << QColor(Qt::white) << QColor("#F6710E") << 2.88;
    QTest::newRow("same grey") << QColor("#808080") << QColor("#808080") << 1.0;
}

void TestContrast::ratio()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(double, expected);
    QVERIFY2(qAbs(Contrast::ratio(text, background) - expected) < 0.01,
             qPrintable(QString::number(Contrast::ratio(text, background))));
}

void TestContrast::required_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<double>("expected");
    QTest::newRow("12 pt") << 12.0 << false << 4.5;
    QTest::newRow("17.9 pt") << 17.9 << false << 4.5;
    QTest::newRow("18 pt") << 18.0 << false << 3.0;
    QTest::newRow("14 pt") << 14.0 << false << 4.5;
    QTest::newRow("14 pt bold") << 14.0 << true << 3.0;
    QTest::newRow("13.5 pt bold") << 13.5 << true << 4.5;
}

void TestContrast::required()
{
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(double, expected);
    QCOMPARE(Contrast::required(points, bold), expected);
}

void TestContrast::measure_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<int>("points"); // 0: a solid stroke instead of text
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    // Solid strokes: the colours exactly.
    QTest::newRow("solid #777 on white")
        << QColor("#777777") << QColor(Qt::white) << 0 << 4.47 << 4.49;
    QTest::newRow("solid white on #2F2E46")
        << QColor(Qt::white) << QColor("#2F2E46") << 0 << 13.11 << 13.14;
    // Glyph edges blend into the background; the whole glyph pixels keep
    // the reading near the colour drawn, even for small grey text.
    QTest::newRow("text black on white")
        << QColor(Qt::black) << QColor(Qt::white) << 14 << 19.0 << 21.0;
    QTest::newRow("text white on orange")
        << QColor(Qt::white) << QColor("#F6710E") << 14 << 2.7 << 2.89;
    QTest::newRow("small text #777 on white")
        << QColor("#777777") << QColor(Qt::white) << 10 << 4.2 << 4.49;
}

void TestContrast::measure()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(int, points);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QImage without(200, 60, QImage::Format_RGB32);
    without.fill(background);
    QImage with = without;
    QPainter painter(&with);
    if (points > 0) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(QFont(QStringLiteral("Sans Serif"), points));
        painter.setPen(text);
        painter.drawText(with.rect(), Qt::AlignCenter, QStringLiteral("Daily Score 87"));
    } else {
        painter.fillRect(20, 20, 120, 6, text);
    }
    painter.end();
    const std::optional<Contrast::Sample> sample = Contrast::measure(with, without);
    QVERIFY(sample);
    QVERIFY2(sample->ratio >= minimum && sample->ratio <= maximum,
             qPrintable(QString::number(sample->ratio)));
    QCOMPARE(sample->background, background);
    QVERIFY(sample->pixels > 0);
    // Only the given area is read: outside the stroke nothing differs.
    QVERIFY(!Contrast::measure(with, without, QRect(0, 0, 10, 10)));
}

void TestContrast::nothingDrawnIsNoText()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QVERIFY(!Contrast::measure(image, image));
    QVERIFY(!Contrast::measure(image, image.scaled(20, 20)));
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
