#include "testenvironment.h"
#include "widgets/mylabel.h"

#include <QtTest>

class TestMyLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void clickedOnEveryPress()
    {
        MyLabel label;
        label.resize(50, 20);
        QSignalSpy clicked(&label, &MyLabel::clicked);
        QTest::mousePress(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QTest::mouseRelease(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QTest::mousePress(&label, Qt::RightButton);
        QCOMPARE(clicked.count(), 2);
    }

    void wrappedText()
    {
        MyLabel label;
        label.setWrappedText("a rather long line that should wrap");
        QVERIFY(label.wordWrap());
        QCOMPARE(label.text(), QString("a rather long line that should wrap"));
    }
};

QTEST_MAIN(TestMyLabel)
#include "tst_mylabel.moc"
