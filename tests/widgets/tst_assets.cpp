#include "testenvironment.h"

#include <QImage>
#include <QtTest>

// The built-in pictures are drawn at build time; a missing or broken one
// would leave a window with an empty button.
class TestAssets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void pictureLoads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimumSide");
        // Button pictures are at least twice their largest shown side (home
        // and back 70 px, sample 80 px): a screen of ratio 2 only scales down.
        const QList<QPair<const char*, int>> pictures = {
            {"logo.png", 300}, {"background.png", 800}, {"img_back.png", 140}, {"img_back1.png", 140},
            {"home_light.png", 140}, {"back_light.png", 140},
            {"expand.png", 48}, {"collpase.png", 48}, {"check.png", 48}, {"star.png", 48},
            {"settings.png", 48}, {"sample.png", 160}, {"right_arrow.png", 48}, {"play.png", 48},
            {"play_button.png", 48}, {"pause_button.png", 48}, {"add.png", 48}, {"workout.png", 150},
            {"coaching.png", 150}, {"food.png", 150}, {"telethealth.png", 150}, {"nutrition.png", 150},
            {"pintototaskbar.png", 200}, {"fullscreen.png", 48}, {"volume.png", 48},
        };
        for (const auto& [name, side] : pictures)
            QTest::newRow(name) << QString::fromLatin1(name) << side;
    }

    void pictureLoads()
    {
        QFETCH(QString, name);
        QFETCH(int, minimumSide);
        const QImage image(":/main/assets/" + name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QVERIFY(qMin(image.width(), image.height()) >= minimumSide);
        // Not a blank canvas: the centre row holds more than one colour.
        const int y = image.height() / 2;
        QSet<QRgb> colours;
        for (int x = 0; x < image.width(); x += 4)
            colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 1);
    }

    void fontsAreCompiledIn_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("regular") << ":/fonts/roboto_regular";
        QTest::newRow("medium") << ":/fonts/roboto_medium";
        QTest::newRow("bold") << ":/fonts/roboto_bold";
    }

    void fontsAreCompiledIn()
    {
        QFETCH(QString, path);
        QFile font(path);
        QVERIFY(font.open(QIODevice::ReadOnly));
        QVERIFY(font.size() > 10000);
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
