#include "testenvironment.h"
#include "widgets/mywidget.h"

#include <QLabel>
#include <QtTest>

class TestMyWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void clickedOnRelease_data()
    {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void clickedOnRelease()
    {
        QFETCH(Qt::MouseButton, mouseButton);
        MyWidget widget;
        widget.resize(80, 40);
        QSignalSpy clicked(&widget, &MyWidget::clicked);
        QTest::mousePress(&widget, mouseButton);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(&widget, mouseButton);
        QCOMPARE(clicked.count(), 1);
    }

    void companionLabel()
    {
        MyWidget widget;
        QVERIFY(!widget.label());
        auto* check = new QLabel(&widget);
        widget.setLabel(check);
        QCOMPARE(widget.label(), check);
        // A label deleted by its owner is not handed out afterwards.
        delete check;
        QVERIFY(!widget.label());
    }

    void paintsStyleSheetBackground()
    {
        MyWidget widget;
        widget.resize(40, 40);
        widget.setStyleSheet("background-color: rgb(10, 200, 30);");
        QCOMPARE(widget.grab().toImage().pixelColor(20, 20), QColor(10, 200, 30));
    }
};

QTEST_MAIN(TestMyWidget)
#include "tst_mywidget.moc"
