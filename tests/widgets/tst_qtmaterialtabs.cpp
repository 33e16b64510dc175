#include "testenvironment.h"
#include "widgets/qtmaterialtabs.h"

#include <QLayout>
#include <QtTest>

class TestQtMaterialTabs : public QObject
{
    Q_OBJECT

private:
    QtMaterialTabs* m_tabs = nullptr;

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void init()
    {
        m_tabs = new QtMaterialTabs;
        m_tabs->addTab("Workout");
        m_tabs->addTab("Programs");
        m_tabs->addTab("Search");
        m_tabs->resize(600, 48);
        m_tabs->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tabs));
    }

    void cleanup()
    {
        delete m_tabs;
        m_tabs = nullptr;
    }

    void firstTabIsCurrent()
    {
        QCOMPARE(m_tabs->count(), 3);
        QCOMPARE(m_tabs->currentIndex(), 0);
        QVERIFY(m_tabs->tab(0)->isActive());
        QVERIFY(!m_tabs->tab(1)->isActive());
    }

    void setCurrentTabEmits_data()
    {
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<QList<int>>("emitted");
        QTest::addColumn<int>("current");
        QTest::newRow("other tab") << QList<int>{2} << QList<int>{2} << 2;
        // The store rebuilds its list on this signal, so it comes again.
        QTest::newRow("already current") << QList<int>{0} << QList<int>{0} << 0;
        QTest::newRow("same twice") << QList<int>{1, 1} << QList<int>{1, 1} << 1;
        QTest::newRow("out of range ignored") << QList<int>{-1, 3, 99} << QList<int>{} << 0;
    }

    void setCurrentTabEmits()
    {
        QFETCH(QList<int>, requests);
        QFETCH(QList<int>, emitted);
        QFETCH(int, current);
        QSignalSpy spy(m_tabs, &QtMaterialTabs::currentChanged);
        for (int index : requests)
            m_tabs->setCurrentTab(index);
        QList<int> actual;
        for (const QList<QVariant>& args : std::as_const(spy))
            actual << args.at(0).toInt();
        QCOMPARE(actual, emitted);
        QCOMPARE(m_tabs->currentIndex(), current);
        for (int i = 0; i < m_tabs->count(); ++i)
            QCOMPARE(m_tabs->tab(i)->isActive(), i == current);
    }

    void clickingTabsEmits()
    {
        QSignalSpy spy(m_tabs, &QtMaterialTabs::currentChanged);
        QtMaterialTab* second = m_tabs->tab(1);
        QTest::mouseClick(second, Qt::LeftButton, {}, second->rect().center());
        QTest::mouseClick(second, Qt::LeftButton, {}, second->rect().center());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
        QCOMPARE(spy.at(1).at(0).toInt(), 1);
        QCOMPARE(m_tabs->currentIndex(), 1);
    }

    void inkBarEndsUnderCurrentTab()
    {
        m_tabs->setInkColor(Qt::red);
        m_tabs->setCurrentTab(2);
        const QRect third = m_tabs->tab(2)->geometry();
        const QPoint underThird(third.center().x(), third.bottom());
        QTRY_COMPARE(m_tabs->grab().toImage().pixelColor(underThird), QColor(Qt::red));
        const QRect first = m_tabs->tab(0)->geometry();
        QVERIFY(m_tabs->grab().toImage().pixelColor(QPoint(first.center().x(), first.bottom()))
                != QColor(Qt::red));
    }

    // White text on black: the brightest pixel of a tab is its text.
    void inactiveTextStrength_data()
    {
        QTest::addColumn<qreal>("opacity");
        QTest::addColumn<bool>("tabAddedLater");
        QTest::addColumn<bool>("fullStrength");
        QTest::newRow("dimmed by default") << -1.0 << false << false;
        QTest::newRow("full strength") << 1.0 << false << true;
        QTest::newRow("full strength, tab added later") << 1.0 << true << true;
    }

    void inactiveTextStrength()
    {
        QFETCH(qreal, opacity);
        QFETCH(bool, tabAddedLater);
        QFETCH(bool, fullStrength);
        m_tabs->setBackgroundColor(Qt::black);
        m_tabs->setTextColor(Qt::white);
        if (opacity >= 0)
            m_tabs->setInactiveTextOpacity(opacity);
        if (tabAddedLater)
            m_tabs->addTab("Later");
        QtMaterialTab* inactive = m_tabs->tab(m_tabs->count() - 1);
        QVERIFY(!inactive->isActive());
        QTRY_VERIFY(inactive->isVisible());
        m_tabs->layout()->activate();
        const QImage picture = m_tabs->grab(inactive->geometry()).toImage();
        int brightest = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                brightest = qMax(brightest, qGray(picture.pixel(x, y)));
        QCOMPARE(brightest == 255, fullStrength);
        QVERIFY(brightest > 128);
    }
};

QTEST_MAIN(TestQtMaterialTabs)
#include "tst_qtmaterialtabs.moc"
