#include "testenvironment.h"
#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialraisedbutton.h"

#include <QtTest>

class TestQtMaterialFlatButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void clickSignals_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("rightClicks");
        QTest::newRow("left") << Qt::LeftButton << 1 << 0;
        QTest::newRow("right") << Qt::RightButton << 0 << 1;
        QTest::newRow("middle") << Qt::MiddleButton << 0 << 0;
    }

    void clickSignals()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(int, clicks);
        QFETCH(int, rightClicks);
        QtMaterialFlatButton button("Buy");
        button.resize(120, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QSignalSpy rightClicked(&button, &QtMaterialFlatButton::rightClicked);

        QTest::mouseClick(&button, mouseButton, {}, QPoint(30, 20));
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(rightClicked.count(), rightClicks);
    }

    void rightClickComesBeforePressHandling()
    {
        QtMaterialFlatButton button("Item");
        button.resize(120, 40);
        int ripplesWhenSignalled = -1;
        connect(&button, &QtMaterialFlatButton::rightClicked, this,
                [&] { ripplesWhenSignalled = button.activeRipples(); });
        QTest::mousePress(&button, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(ripplesWhenSignalled, 0);
        // The ordinary press handling still ran afterwards.
        QCOMPARE(button.activeRipples(), 1);
        QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(10, 10));
    }

    void rippleStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("ripples");
        QTest::newRow("positioned") << int(Material::PositionedRipple) << true << 1;
        QTest::newRow("centred") << int(Material::CenteredRipple) << true << 1;
        QTest::newRow("none") << int(Material::NoRipple) << true << 0;
        QTest::newRow("disabled button") << int(Material::PositionedRipple) << false << 0;
    }

    void rippleStyle()
    {
        QFETCH(int, style);
        QFETCH(bool, enabled);
        QFETCH(int, ripples);
        QtMaterialFlatButton button("Save");
        button.resize(100, 40);
        button.setRippleStyle(Material::RippleStyle(style));
        button.setEnabled(enabled);
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(button.activeRipples(), ripples);
        // Ripples fade out and are dropped again.
        QTRY_COMPARE(button.activeRipples(), 0);
    }

    void themeColoursByRole_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QColor>("foreground");
        QTest::newRow("default transparent") << int(Material::Default) << int(Qt::TransparentMode)
                                             << QColor(0, 0, 0, 222);
        QTest::newRow("primary transparent") << int(Material::Primary) << int(Qt::TransparentMode)
                                             << QColor("#00bcd4");
        QTest::newRow("secondary transparent") << int(Material::Secondary) << int(Qt::TransparentMode)
                                               << QColor("#ff4081");
        QTest::newRow("primary opaque") << int(Material::Primary) << int(Qt::OpaqueMode) << QColor("#ffffff");
    }

    void themeColoursByRole()
    {
        QFETCH(int, role);
        QFETCH(int, mode);
        QFETCH(QColor, foreground);
        QtMaterialFlatButton button;
        button.setRole(Material::ButtonRole(role));
        button.setBackgroundMode(Qt::BGMode(mode));
        QCOMPARE(button.foregroundColor().rgb(), foreground.rgb());
        QVERIFY(qAbs(button.foregroundColor().alpha() - foreground.alpha()) <= 1);
        button.setForegroundColor(Qt::darkGreen);
        QCOMPARE(button.foregroundColor(), QColor(Qt::darkGreen));
    }

    void raisedShadowDeepensWhilePressed()
    {
        QtMaterialRaisedButton button("Pay");
        button.resize(100, 40);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const qreal resting = button.shadowBlur();
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_VERIFY(button.shadowBlur() > resting + 5);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_COMPARE(button.shadowBlur(), resting);
    }
};

QTEST_MAIN(TestQtMaterialFlatButton)
#include "tst_qtmaterialflatbutton.moc"
