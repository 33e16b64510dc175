#include "testenvironment.h"
#include "widgets/mylabel.h"
#include "widgets/mywidget.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>
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

    // A clickable label in a clickable row: one click, one action.
    void nestedClickablesFireOnce_data()
    {
        QTest::addColumn<bool>("innerIsLabel");
        QTest::newRow("label in widget") << true;
        QTest::newRow("widget in widget") << false;
    }

    void nestedClickablesFireOnce()
    {
        QFETCH(bool, innerIsLabel);
        MyWidget row;
        row.resize(200, 60);
        QSignalSpy rowClicked(&row, &MyWidget::clicked);
        QWidget* inner = nullptr;
        std::unique_ptr<QSignalSpy> innerClicked;
        if (innerIsLabel) {
            auto* label = new MyLabel(&row);
            innerClicked = std::make_unique<QSignalSpy>(label, &MyLabel::clicked);
            inner = label;
        } else {
            auto* widget = new MyWidget(&row);
            innerClicked = std::make_unique<QSignalSpy>(widget, &MyWidget::clicked);
            inner = widget;
        }
        inner->setGeometry(10, 10, 50, 30);
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));

        QTest::mouseClick(inner, Qt::LeftButton);
        QCOMPARE(innerClicked->count(), 1);
        QCOMPARE(rowClicked.count(), 0);
        // Outside the inner control the row still clicks.
        QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(150, 30));
        QCOMPARE(rowClicked.count(), 1);
        QCOMPARE(innerClicked->count(), 1);
    }

    void keyboardReachesClickables_data()
    {
        QTest::addColumn<bool>("label");
        QTest::addColumn<int>("key");
        QTest::newRow("label, Space") << true << int(Qt::Key_Space);
        QTest::newRow("label, Return") << true << int(Qt::Key_Return);
        QTest::newRow("label, Enter") << true << int(Qt::Key_Enter);
        QTest::newRow("widget, Space") << false << int(Qt::Key_Space);
        QTest::newRow("widget, Return") << false << int(Qt::Key_Return);
        QTest::newRow("widget, Enter") << false << int(Qt::Key_Enter);
    }

    void keyboardReachesClickables()
    {
        QFETCH(bool, label);
        QFETCH(int, key);
        QWidget window;
        auto* before = new QLineEdit(&window);
        QWidget* control = label ? static_cast<QWidget*>(new MyLabel(&window)) : new MyWidget(&window);
        control->setGeometry(0, 30, 80, 30);
        // Not a control until something listens.
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
        int clicks = 0;
        if (label)
            connect(static_cast<MyLabel*>(control), &MyLabel::clicked, this, [&] { ++clicks; });
        else
            connect(static_cast<MyWidget*>(control), &MyWidget::clicked, this, [&] { ++clicks; });
        QCOMPARE(control->focusPolicy(), Qt::StrongFocus);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key(key));
        QCOMPARE(clicks, 1);
        QTest::keyClick(control, Qt::Key_A);
        QCOMPARE(clicks, 1);
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
