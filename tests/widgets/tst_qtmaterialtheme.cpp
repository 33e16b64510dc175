#include "testenvironment.h"
#include "widgets/qtmaterialstyle.h"
#include "widgets/qtmaterialtheme.h"

#include <QFontDatabase>
#include <QtTest>

class TestQtMaterialTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void defaultColors_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QColor>("expected");
        const auto black = [](qreal opacity) {
            QColor c(Qt::black);
            c.setAlphaF(float(opacity));
            return c;
        };
        QTest::newRow("primary1") << "primary1" << QColor("#00bcd4");
        QTest::newRow("primary2") << "primary2" << QColor("#0097a7");
        QTest::newRow("primary3") << "primary3" << black(0.54);
        QTest::newRow("accent1") << "accent1" << QColor("#ff4081");
        QTest::newRow("accent2") << "accent2" << QColor("#f5f5f5");
        QTest::newRow("accent3") << "accent3" << QColor("#9e9e9e");
        QTest::newRow("text") << "text" << black(0.87);
        QTest::newRow("alternateText") << "alternateText" << QColor("#ffffff");
        QTest::newRow("canvas") << "canvas" << QColor("#ffffff");
        QTest::newRow("border") << "border" << QColor("#e0e0e0");
        QTest::newRow("disabled") << "disabled" << black(0.26);
        QTest::newRow("disabled2") << "disabled2" << black(0.12);
        QTest::newRow("disabled3") << "disabled3" << QColor("#e0e0e0");
    }

    void defaultColors()
    {
        QFETCH(QString, key);
        QFETCH(QColor, expected);
        QtMaterialTheme theme;
        const QColor actual = theme.getColor(key);
        QCOMPARE(actual.rgb(), expected.rgb());
        QVERIFY(qAbs(actual.alphaF() - expected.alphaF()) < 0.01);
    }

    void unknownKeyWarnsAndYieldsInvalidColor_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("unknown") << "primary4";
        QTest::newRow("empty") << "";
        QTest::newRow("wrong case") << "Primary1";
    }

    void unknownKeyWarnsAndYieldsInvalidColor()
    {
        QFETCH(QString, key);
        QtMaterialTheme theme;
        const QString warning = "A theme color matching the key '" + key + "' could not be found.";
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QVERIFY(!theme.getColor(key).isValid());
    }

    void setColorOverridesAndAddsKeys()
    {
        QtMaterialTheme theme;
        theme.setColor("primary1", Qt::red);
        theme.setColor("brand", QColor("#2f2e46"));
        QCOMPARE(theme.getColor("primary1"), QColor(Qt::red));
        QCOMPARE(theme.getColor("brand"), QColor("#2f2e46"));
    }

    void styleSwapsThemeAndRegistersFonts()
    {
        QtMaterialStyle& style = QtMaterialStyle::instance();
        QVERIFY(&style == &QtMaterialStyle::instance());
        QVERIFY(QFontDatabase::families().contains("Roboto"));

        auto* theme = new QtMaterialTheme;
        theme->setColor("primary1", Qt::green);
        style.setTheme(theme);
        QCOMPARE(style.themeColor("primary1"), QColor(Qt::green));
        style.setTheme(nullptr); // ignored, keeps the current theme
        QCOMPARE(style.themeColor("primary1"), QColor(Qt::green));
        style.setTheme(new QtMaterialTheme);
        QCOMPARE(style.themeColor("primary1"), QColor("#00bcd4"));
    }
};

QTEST_MAIN(TestQtMaterialTheme)
#include "tst_qtmaterialtheme.moc"
