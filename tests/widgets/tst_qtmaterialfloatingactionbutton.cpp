#include "testenvironment.h"
#include "widgets/qtmaterialfloatingactionbutton.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

class TestFloatingActionButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void sitsInItsCorner_data();
    void sitsInItsCorner();
    void followsParentResize();
    void leavesLayoutPlacementAlone();
};

void TestFloatingActionButton::sitsInItsCorner_data()
{
    QTest::addColumn<Qt::Corner>("corner");
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("top");
    QTest::newRow("bottom right") << Qt::BottomRightCorner << false << false;
    QTest::newRow("bottom left") << Qt::BottomLeftCorner << true << false;
    QTest::newRow("top right") << Qt::TopRightCorner << false << true;
    QTest::newRow("top left") << Qt::TopLeftCorner << true << true;
}

void TestFloatingActionButton::sitsInItsCorner()
{
    QFETCH(Qt::Corner, corner);
    QFETCH(bool, left);
    QFETCH(bool, top);
    QWidget parent;
    parent.resize(400, 300);
    auto* button = new QtMaterialFloatingActionButton(QIcon(), &parent);
    button->setOffset(QSize(10, 20));
    button->setCorner(corner);
    const QRect geometry = button->geometry();
    QVERIFY(geometry.width() > 0);
    QCOMPARE(geometry.width(), geometry.height());
    QCOMPARE(left ? geometry.left() : parent.width() - geometry.right() - 1, 10);
    QCOMPARE(top ? geometry.top() : parent.height() - geometry.bottom() - 1, 20);
}

void TestFloatingActionButton::followsParentResize()
{
    QWidget parent;
    parent.resize(400, 300);
    auto* button = new QtMaterialFloatingActionButton(QIcon(), &parent);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const QPoint distance = QPoint(parent.width(), parent.height()) - button->geometry().bottomRight();
    parent.resize(640, 480);
    QCOMPARE(QPoint(parent.width(), parent.height()) - button->geometry().bottomRight(), distance);
}

void TestFloatingActionButton::leavesLayoutPlacementAlone()
{
    QWidget parent;
    auto* layout = new QVBoxLayout(&parent);
    auto* button = new QtMaterialFloatingActionButton(QIcon(), &parent);
    layout->addWidget(button);
    parent.resize(400, 300);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    parent.resize(500, 400);
    QApplication::processEvents();
    // The layout decides: the button stays inside the layout's area.
    QVERIFY(!button->geometry().isEmpty());
    QVERIFY(layout->geometry().contains(button->geometry()));
}

QTEST_MAIN(TestFloatingActionButton)
#include "tst_qtmaterialfloatingactionbutton.moc"
