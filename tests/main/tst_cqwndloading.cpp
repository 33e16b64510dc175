#include "main/cqwndloading.h"
#include "testenvironment.h"

#include <QtTest>

class TestCqWndLoading final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void closeIsRefusedWhileLoading()
    {
        CqWndLoading overlay;
        QVERIFY(!overlay.isLoading());

        overlay.show();
        QVERIFY(overlay.isLoading());
        QVERIFY(!overlay.close());
        QVERIFY(overlay.isVisible());

        overlay.stopLoading();
        QVERIFY(!overlay.isLoading());
        QVERIFY(!overlay.isVisible());
    }

    void showingAgainStartsLoadingAgain()
    {
        CqWndLoading overlay;
        overlay.show();
        overlay.stopLoading();
        overlay.show();
        QVERIFY(overlay.isLoading());
        overlay.stopLoading();
    }
};

QTEST_MAIN(TestCqWndLoading)
#include "tst_cqwndloading.moc"
