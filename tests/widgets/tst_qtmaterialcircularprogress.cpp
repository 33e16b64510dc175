#include "testenvironment.h"
#include "widgets/qtmaterialcircularprogress.h"

#include <QtTest>

namespace {

// Whether the indicator's colour is drawn near `point` (a 5 x 5 patch, so
// antialiased edges count).
bool paintedNear(const QImage& image, QPoint point, const QColor& color)
{
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            const QPoint at = point + QPoint(dx, dy);
            if (image.rect().contains(at) && image.pixelColor(at).rgb() == color.rgb())
                return true;
        }
    }
    return false;
}

} // namespace

class TestQtMaterialCircularProgress final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void sizeAndLimits()
    {
        QtMaterialCircularProgress progress;
        QCOMPARE(progress.sizeHint(), QSize(66, 66));
        progress.setSize(0);
        QCOMPARE(progress.size(), 1);
        progress.setLineWidth(0);
        QCOMPARE(progress.lineWidth(), 0.5);
        progress.setValue(150);
        QCOMPARE(progress.value(), 100);
        progress.setValue(-3);
        QCOMPARE(progress.value(), 0);
    }

    void indeterminateKeepsTurning()
    {
        QtMaterialCircularProgress progress;
        progress.resize(80, 80);
        progress.show();
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        const qreal angle = progress.angle();
        const qreal length = progress.dashLength();
        QTRY_VERIFY(progress.angle() != angle);
        QTRY_VERIFY(progress.dashLength() != length);
        // The arc never vanishes and never closes into a ring.
        for (int i = 0; i < 20; ++i) {
            QTest::qWait(15);
            QVERIFY(progress.dashLength() >= 0.1 - 1e-9);
            QVERIFY(progress.dashLength() <= 30);
            QVERIFY(progress.angle() >= 0 && progress.angle() <= 719);
        }
    }

    void determinateArcFollowsValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("top");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("bottom");
        QTest::addColumn<bool>("left");
        QTest::newRow("0") << 0 << false << false << false << false;
        QTest::newRow("30: past three o'clock") << 30 << true << true << false << false;
        QTest::newRow("60: past six") << 60 << true << true << true << false;
        QTest::newRow("100: full circle") << 100 << true << true << true << true;
    }

    void determinateArcFollowsValue()
    {
        QFETCH(int, value);
        QFETCH(bool, top);
        QFETCH(bool, right);
        QFETCH(bool, bottom);
        QFETCH(bool, left);
        QtMaterialCircularProgress progress;
        progress.setProgressType(QtMaterialCircularProgress::ProgressType::Determinate);
        progress.setColor(Qt::blue);
        progress.setLineWidth(6);
        progress.setSize(64);
        progress.resize(64, 64);
        progress.setValue(value);
        const QImage image = progress.grab().toImage();
        // The middle of the stroke, 3 px inside the edge, at the four hours.
        QCOMPARE(paintedNear(image, {32, 4}, Qt::blue), top);
        QCOMPARE(paintedNear(image, {60, 32}, Qt::blue), right);
        QCOMPARE(paintedNear(image, {32, 60}, Qt::blue), bottom);
        QCOMPARE(paintedNear(image, {4, 36}, Qt::blue), left);
    }
};

QTEST_MAIN(TestQtMaterialCircularProgress)
#include "tst_qtmaterialcircularprogress.moc"
