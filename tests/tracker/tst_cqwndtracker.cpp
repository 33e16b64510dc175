#include "trackertestdata.h"

#include "tracker/cqwndtracker.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/daystore.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodtablemodel.h"
#include "tracker/searchresultsmodel.h"
#include "tracker/ownfoodupload.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "app/settingsstore.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialraisedbutton.h"
#include "widgets/qtmaterialsnackbar.h"

#include "fakeserver.h"
#include "testenvironment.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// As a real double click arrives: press, release, then the double click on
// the same spot (QTest::mouseDClick alone sends only the last).
void doubleClick(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    QTest::mousePress(widget, button, modifiers, pos);
    QTest::mouseRelease(widget, button, modifiers, pos);
    QTest::mouseDClick(widget, button, modifiers, pos);
    QTest::mouseRelease(widget, button, modifiers, pos);
}

// Runs `meanwhile` once the next modal dialog shows, then presses its
// `button`. Delete the returned poll when no dialog is to come any more.
std::unique_ptr<QTimer> whileNextModal(const std::function<void()>& meanwhile, const QString& button)
{
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(10);
    QObject::connect(poll.get(), &QTimer::timeout, poll.get(), [timer = poll.get(), meanwhile, button] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        meanwhile();
        if (auto* answer = modal->findChild<QAbstractButton*>(button))
            answer->click();
    });
    poll->start();
    return poll;
}

} // namespace

// The tracker window driven like a member: clicks on cells, typing, the
// confirmation dialogs answered, against the fake server's catalogue.
class TestCqWndTracker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void endpointsAreTheTrackersOwn();
    void headerShowsTheStoredFigures();
    void categoryListFollowsTheReply();
    void openingACategoryFillsTheTable();
    void markingRule_data();
    void markingRule();
    void typingAnOtherAmount();
    void saveWritesTheMealAndShowsABlock();
    void reopeningRestoresTheMeal();
    void savingTwoMealsKeepsThemApart();
    void removingAChosenFood();
    void removingACategoryKeepsTheOther();
    void cancellingARemovalChangesNothing();
    void addingAFood_data();
    void addingAFood();
    void uploadReplyNamesTheFood();
    void uploadFailures_data();
    void uploadFailures();
    void slowUploads_data();
    void slowUploads();
    void savingWhileAnUploadIsOut();
    void deletingOwnFoods();
    void deletingAChosenOwnFoodKeepsItsShare();
    void catalogueFailures_data();
    void catalogueFailures();
    void sampleIconOpensTheSampleMeals();
    void figuresAreReadOutWithTheirValues_data();
    void figuresAreReadOutWithTheirValues();
    void searchChoosesAsTheTableDoes();
    void aNewDayMeetsTheWindow_data();
    void aNewDayMeetsTheWindow();
    void copyingKeepsUnsavedChoices_data();
    void copyingKeepsUnsavedChoices();

private:
    void openTracker(int meal, const QByteArray& catalogue = TrackerTestData::catalogue());
    MyWidget* categoryEntry(const QString& title, int id) const;
    void openCategory(const QString& title, int id);
    QTableView* table() const;
    QAbstractItemModel* model() const;
    void clickCell(int row, int column);
    bool marked(int row, int column) const;
    void typeOther(int row, const QString& text);
    QString text(const QString& labelName) const;
    // What a screen reader announces for the widget.
    QString spoken(const QString& widgetName) const;
    QtMaterialRaisedButton* blockButton(int category) const;
    QTableWidget* blockTable(int category) const;
    bool messagePosted(const QString& text) const;
    // Types Soup, 120 cal and 1 g of each nutrient and adds it.
    void addSoup();
    void save();

    FakeServer* m_server = nullptr;
    std::unique_ptr<CqWndTracker> m_window;
    std::unique_ptr<QSignalSpy> m_messages;
};

void TestCqWndTracker::initTestCase()
{
    TestEnvironment::isolate();
    // Figures as plain digits, whatever the machine's language groups them by.
    QLocale::setDefault(QLocale::c());
    m_server = new FakeServer(this);
    m_server->useAsApiHost();
    QVERIFY(MainWindow::instance());
}

void TestCqWndTracker::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("eater@example.com");
    currentUserId = QStringLiteral("9");
    totalCalories = 1500;
    remainCalories = 1500;
    CqWndTracker::setCatalogueTimeoutMs(15000);
    m_server->clear();
    m_messages = std::make_unique<QSignalSpy>(MainWindow::instance()->messageBar(),
                                              &QtMaterialSnackbar::messageShown);
}

void TestCqWndTracker::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    DayClock::setTodayForTesting({});
    DialogFactory::unregisterRunner(DialogFactory::Kind::Sample);
}

void TestCqWndTracker::openTracker(int meal, const QByteArray& catalogue)
{
    m_server->enqueueJson(QStringLiteral("getFoodList"), catalogue);
    m_window = std::make_unique<CqWndTracker>(meal);
    m_window->resize(1280, 900);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(m_server->waitForRequests(QStringLiteral("/api/getFoodList"), 1));
}

MyWidget* TestCqWndTracker::categoryEntry(const QString& title, int id) const
{
    return m_window->findChild<MyWidget*>(QStringLiteral("%1_%2").arg(title).arg(id));
}

void TestCqWndTracker::openCategory(const QString& title, int id)
{
    QTRY_VERIFY(categoryEntry(title, id));
    // As a member does: open the list, then pick the entry (the list closes).
    if (!m_window->findChild<QWidget*>(QStringLiteral("widgetCategoryContent"))->isVisible())
        QTest::mouseClick(m_window->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory")), Qt::LeftButton);
    QTest::mouseClick(categoryEntry(title, id), Qt::LeftButton);
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("widgetCategoryContent"))->isVisible());
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("widgetDetails"))->isVisible());
}

QTableView* TestCqWndTracker::table() const
{
    return m_window->findChild<QTableView*>(QStringLiteral("tblDetail"));
}

QAbstractItemModel* TestCqWndTracker::model() const
{
    return table()->model();
}

void TestCqWndTracker::clickCell(int row, int column)
{
    const QRect cell = table()->visualRect(model()->index(row, column));
    QVERIFY(cell.isValid());
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
}

bool TestCqWndTracker::marked(int row, int column) const
{
    return model()->index(row, column).data(FoodTableModel::markRole).toBool();
}

void TestCqWndTracker::typeOther(int row, const QString& typed)
{
    clickCell(row, FoodTableModel::Other);
    QLineEdit* editor = nullptr;
    auto openEditor = [this, &editor] {
        for (QLineEdit* line : table()->viewport()->findChildren<QLineEdit*>()) {
            if (line->isVisible())
                editor = line;
        }
        return editor != nullptr;
    };
    QTRY_VERIFY(openEditor());
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
}

QString TestCqWndTracker::text(const QString& labelName) const
{
    const QLabel* label = m_window->findChild<QLabel*>(labelName);
    return label ? label->text() : QStringLiteral("<no %1>").arg(labelName);
}

QString TestCqWndTracker::spoken(const QString& widgetName) const
{
    QWidget* widget = m_window->findChild<QWidget*>(widgetName);
    QAccessibleInterface* accessible = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<no %1>").arg(widgetName);
}

QtMaterialRaisedButton* TestCqWndTracker::blockButton(int category) const
{
    return m_window->findChild<QtMaterialRaisedButton*>(QStringLiteral("category:%1").arg(category));
}

QTableWidget* TestCqWndTracker::blockTable(int category) const
{
    return m_window->findChild<QTableWidget*>(QStringLiteral("tblSelectItem_%1").arg(category));
}

bool TestCqWndTracker::messagePosted(const QString& message) const
{
    if (MainWindow::instance()->messageBar()->messages().contains(message))
        return true;
    for (const QList<QVariant>& shown : *m_messages) {
        if (shown.value(0).toString() == message)
            return true;
    }
    return false;
}

void TestCqWndTracker::addSoup()
{
    const QStringList typed{"Soup", "120", "1", "1", "1", "1"};
    const QStringList names{"edtName", "edtCal", "edtCarbs", "edtFat", "edtProtein", "edtFiber"};
    for (int i = 0; i < names.size(); ++i)
        QTest::keyClicks(m_window->findChild<QLineEdit*>(names.at(i)), typed.at(i));
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnAdd")), Qt::LeftButton);
}

void TestCqWndTracker::save()
{
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
}

// ----- cases -----

void TestCqWndTracker::endpointsAreTheTrackersOwn()
{
    openTracker(0);
    const FakeServer::Request request = m_server->lastRequest(QStringLiteral("/api/getFoodList"));
    QCOMPARE(request.field(QStringLiteral("user_id")), QStringLiteral("9"));
    QCOMPARE(Server::endpointName(22), QStringLiteral("uploadMyCalorie"));
    QCOMPARE(Server::endpointName(23), QStringLiteral("removeMyCalorie"));
}

void TestCqWndTracker::headerShowsTheStoredFigures()
{
    SettingsStore::setMemberText(QStringLiteral("Cal_3"), QStringLiteral("420"));
    remainCalories = 1080;
    openTracker(3);
    QCOMPARE(text(QStringLiteral("lblTitle")), QStringLiteral("Create & Track SecondSnack"));
    QCOMPARE(text(QStringLiteral("lblTarget")), QStringLiteral("1500"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("420"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("1080"));
    QCOMPARE(spoken(QStringLiteral("lblMealCalories")), QStringLiteral("Total Second Snack Calories: 420"));
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("widgetDetails"))->isVisible());
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("widgetButton"))->isVisible());
}

void TestCqWndTracker::categoryListFollowsTheReply()
{
    openTracker(0);
    QTRY_VERIFY(categoryEntry(QStringLiteral("Dairy"), 5));
    auto* button = m_window->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory"));
    QWidget* list = m_window->findChild<QWidget*>(QStringLiteral("widgetCategoryContent"));
    QVERIFY(!list->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(list->isVisible());
    // Reply order, not id order.
    const QList<MyWidget*> entries = list->findChildren<MyWidget*>();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(0)->accessibleName(), QStringLiteral("Fruits"));
    QCOMPARE(entries.at(2)->accessibleName(), QStringLiteral("Dairy"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!list->isVisible());
}

void TestCqWndTracker::openingACategoryFillsTheTable()
{
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    auto* button = m_window->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory"));
    QCOMPARE(button->text(), QStringLiteral("Fruits"));
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("widgetCategoryContent"))->isVisible());
    QVERIFY(!categoryEntry(QStringLiteral("Fruits"), 1)->label()->isHidden());
    QVERIFY(categoryEntry(QStringLiteral("Grains"), 11)->label()->isHidden());
    QCOMPARE(text(QStringLiteral("lblDescription")), QStringLiteral("Advice on Fruits"));
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("widgetButton"))->isVisible());

    QCOMPARE(model()->rowCount(), 3);
    QCOMPARE(model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Assigned WGS = 1/2 cup\nFruits"));
    QCOMPARE(model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("QTY\n1/2cup\nCal"));
    QCOMPARE(model()->index(0, 0).data().toString(), QStringLiteral("Banana"));
    QCOMPARE(model()->index(0, 1).data().toString(), QStringLiteral("75.0"));
    QCOMPARE(model()->index(0, 2).data().toString(), QStringLiteral("150.0"));
    QCOMPARE(model()->index(1, 1).data().toString(), QStringLiteral("72.5"));
    QCOMPARE(model()->index(0, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Carbs=10, Fat=2, Protein=4, Fiber=1"));
    QCOMPARE(model()->index(2, 0).data(FoodTableModel::markRole).toInt(), 9);
    QCOMPARE(model()->index(0, 0).data(FoodTableModel::markRole).toInt(), 0);
    // The table shows every row without a scroll bar of its own.
    QVERIFY(table()->minimumHeight() >= table()->verticalHeader()->length() + 35);

    // Opening another category starts a fresh table.
    openCategory(QStringLiteral("Grains"), 11);
    QCOMPARE(model()->rowCount(), 1);
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("0"));
}

void TestCqWndTracker::markingRule_data()
{
    QTest::addColumn<QList<int>>("clicks"); // columns clicked on row 0 (Banana: 150 cal, carbs 20)
    QTest::addColumn<QList<bool>>("marks"); // half, cup, other afterwards
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("carbs");

    QTest::newRow("half cup") << QList<int>{1} << QList<bool>{true, false, false} << "75" << "10.0";
    QTest::newRow("half cup twice unmarks") << QList<int>{1, 1} << QList<bool>{false, false, false} << "0" << "0.0";
    QTest::newRow("cup replaces half") << QList<int>{1, 2} << QList<bool>{false, true, false} << "150" << "20.0";
    QTest::newRow("half replaces cup") << QList<int>{2, 1} << QList<bool>{true, false, false} << "75" << "10.0";
    QTest::newRow("empty other leaves the cup") << QList<int>{2, 3} << QList<bool>{false, true, false} << "150"
                                                << "20.0";
    QTest::newRow("name does nothing") << QList<int>{2, 0} << QList<bool>{false, true, false} << "150" << "20.0";
}

void TestCqWndTracker::markingRule()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<bool>, marks);
    QFETCH(QString, total);
    QFETCH(QString, carbs);

    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    for (int column : clicks)
        clickCell(0, column); // a click on "other" opens its editor; it stays empty
    QCOMPARE(marked(0, 1), marks.at(0));
    QCOMPARE(marked(0, 2), marks.at(1));
    QCOMPARE(marked(0, 3), marks.at(2));
    QCOMPARE(model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(),
             marks.at(0) ? QColor(QStringLiteral("#505067")) : QColor(Qt::transparent));
    QCOMPARE(text(QStringLiteral("lblTotal")), total);
    QCOMPARE(text(QStringLiteral("lblCarbs")), carbs);
}

void TestCqWndTracker::typingAnOtherAmount()
{
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::Cup);
    clickCell(1, FoodTableModel::Cup);
    typeOther(0, QStringLiteral("120"));
    QTRY_VERIFY(marked(0, 3));
    QVERIFY(!marked(0, 2));
    QVERIFY(!marked(0, 1));
    // 120 + 145; carbs 20 * 120/150 + 10 = 26, fat 4 * 0.8 + 1 = 4.2
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("265"));
    QCOMPARE(text(QStringLiteral("lblCarbs")), QStringLiteral("26.0"));
    QCOMPARE(text(QStringLiteral("lblFat")), QStringLiteral("4.2"));

    // Letters and signs cannot be typed.
    typeOther(1, QStringLiteral("-4x"));
    QTRY_COMPARE(model()->index(1, 3).data().toString(), QStringLiteral("4"));
    QVERIFY(marked(1, 3));
    QVERIFY(!marked(1, 2));

    // Clearing the amount unmarks it.
    typeOther(0, QString());
    QTRY_VERIFY(!marked(0, 3));
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("4"));
}

void TestCqWndTracker::saveWritesTheMealAndShowsABlock()
{
    SettingsStore::setMemberText(QStringLiteral("Cal_1"), QStringLiteral("300"));
    openTracker(2);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::Cup);
    clickCell(1, FoodTableModel::HalfCup);
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);

    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_2_1")), QStringLiteral("31:150:1@40:72.5:0"));
    // Labels 25.0, 4.5, 9.0, 2.3 read back (fibre 2 + 0.3).
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_2_1")), QStringLiteral("25_4.5_9_2.3"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_2")), QStringLiteral("222"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("totaldetails_2")), QStringLiteral("25_4.5_9_2.3"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("222"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("978"));
    QCOMPARE(remainCalories, 978);

    QtMaterialRaisedButton* button = blockButton(1);
    QVERIFY(button && button->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Fruits"));
    QTableWidget* chosen = blockTable(1);
    QCOMPARE(chosen->rowCount(), 2);
    QVERIFY(!chosen->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(chosen->isVisible());
    QCOMPARE(chosen->item(0, 0)->text(), QStringLiteral("Banana"));
    QCOMPARE(chosen->item(1, 1)->text(), QStringLiteral("72.5"));
    QCOMPARE(chosen->item(1, 1)->data(FoodTableModel::markRole).toInt(), 40);
    QCOMPARE(chosen->item(1, 0)->data(FoodTableModel::markRole).toInt(), 1);
    QCOMPARE(chosen->height(), 2 * 40 + 2);
}

void TestCqWndTracker::reopeningRestoresTheMeal()
{
    openTracker(4);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::HalfCup);
    typeOther(1, QStringLiteral("33.4"));
    QTRY_VERIFY(marked(1, 3));
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_4_1")), QStringLiteral("31:75:0@40:33.4:2"));
    m_window.reset();

    // A new window: the blocks come back once the catalogue is in, and the
    // category's table is marked again, the typed amount included.
    openTracker(4);
    QTRY_VERIFY(blockButton(1) && blockButton(1)->isVisible());
    QCOMPARE(blockTable(1)->rowCount(), 2);
    QCOMPARE(blockTable(1)->item(1, 1)->text(), QStringLiteral("33.4"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("108"));
    openCategory(QStringLiteral("Fruits"), 1);
    QVERIFY(marked(0, 1));
    QVERIFY(marked(1, 3));
    QCOMPARE(model()->index(1, 3).data().toString(), QStringLiteral("33.4"));
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("108"));

    // Saving again without a change keeps the record as it was.
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_4_1")), QStringLiteral("31:75:0@40:33.4:2"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_4")), QStringLiteral("108"));
}

void TestCqWndTracker::savingTwoMealsKeepsThemApart()
{
    openTracker(0);
    openCategory(QStringLiteral("Grains"), 11);
    clickCell(0, FoodTableModel::Cup);
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    m_window.reset();
    openTracker(5);
    openCategory(QStringLiteral("Grains"), 11);
    QVERIFY(!marked(0, 2));
    clickCell(0, FoodTableModel::HalfCup);
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);

    QCOMPARE(DayStore::mealCalories(0), 300);
    QCOMPARE(DayStore::mealCalories(5), 150);
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("1050"));
    QCOMPARE(DayStore::remainingCalories(), 1050);
}

void TestCqWndTracker::removingAChosenFood()
{
    SettingsStore::setMemberText(QStringLiteral("meal_0_1"), QStringLiteral("31:150:1@40:72.5:0"));
    SettingsStore::setMemberText(QStringLiteral("details_0_1"), QStringLiteral("25_5_10_2.5"));
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("222"));
    openTracker(0);
    QTRY_VERIFY(blockTable(1) && blockTable(1)->rowCount() == 2);
    openCategory(QStringLiteral("Fruits"), 1);
    QVERIFY(marked(1, 1));

    QTest::mouseClick(blockButton(1), Qt::LeftButton);
    QTableWidget* chosen = blockTable(1);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    const QRect cell = chosen->visualItemRect(chosen->item(1, 1));
    doubleClick(chosen->viewport(), Qt::LeftButton, {}, cell.center());

    QTRY_COMPARE(chosen->rowCount(), 1);
    QCOMPARE(chosen->height(), 42);
    // 222 - 72 (the whole part of 72.5)
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("150"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")), QStringLiteral("150"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("1350"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_1")), QStringLiteral("31:150:1"));
    // Half a cup of mango: carbs 5, fat 0.5, protein 1, fibre 0.3.
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_0_1")), QStringLiteral("20_4.5_9_2.2"));
    // The open table no longer offers the removed choice for the next save.
    QVERIFY(!marked(1, 1));
    QVERIFY(marked(0, 2));
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("150"));

    // The last one: the block's button stays, over an empty table.
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    doubleClick(chosen->viewport(), Qt::LeftButton, {}, chosen->visualItemRect(chosen->item(0, 1)).center());
    QTRY_COMPARE(chosen->rowCount(), 0);
    QCOMPARE(chosen->height(), 2);
    QVERIFY(blockButton(1)->isVisible());
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_1")), QString());
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("0"));
}

void TestCqWndTracker::removingACategoryKeepsTheOther()
{
    SettingsStore::setMemberText(QStringLiteral("meal_3_1"), QStringLiteral("31:150:1@40:72.5:0"));
    SettingsStore::setMemberText(QStringLiteral("meal_3_11"), QStringLiteral("50:300:1"));
    SettingsStore::setMemberText(QStringLiteral("details_3_1"), QStringLiteral("25_5_10_2.5"));
    SettingsStore::setMemberText(QStringLiteral("details_3_11"), QStringLiteral("54_6_10_8"));
    SettingsStore::setMemberText(QStringLiteral("Cal_3"), QStringLiteral("522"));
    totalCalories = 500;
    openTracker(3);
    QTRY_VERIFY(blockButton(1) && blockButton(11));

    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTest::mouseClick(blockButton(1), Qt::RightButton);
    QTRY_VERIFY(!blockButton(1)->isVisible());
    QVERIFY(blockButton(11)->isVisible());
    QCOMPARE(blockTable(1)->rowCount(), 0);
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("300"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("200"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_3_1")), QString());
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_3_1")), QString());
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_3_11")), QStringLiteral("50:300:1"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("totaldetails_3")), QStringLiteral("54_6_10_8"));

    // Below zero: shown and stored as a negative number.
    openCategory(QStringLiteral("Grains"), 11);
    QVERIFY(marked(0, 2));
    typeOther(0, QStringLiteral("900"));
    QTRY_VERIFY(marked(0, 3));
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("-400"));
    QCOMPARE(DayStore::remainingCalories(), -400);
}

void TestCqWndTracker::cancellingARemovalChangesNothing()
{
    SettingsStore::setMemberText(QStringLiteral("meal_0_11"), QStringLiteral("50:300:1"));
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("300"));
    openTracker(0);
    QTRY_VERIFY(blockButton(11));
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    QTest::mouseClick(blockButton(11), Qt::RightButton);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(blockButton(11)->isVisible());
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_11")), QStringLiteral("50:300:1"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("300"));
}

void TestCqWndTracker::addingAFood_data()
{
    QTest::addColumn<QStringList>("fields"); // name, cal, carbs, fat, protein, fiber
    QTest::addColumn<QString>("answer");      // of the warning, when it shows
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("added");

    QTest::newRow("no name") << QStringList{"", "120", "1", "1", "1", "1"} << "" << "Please enter a Food Name."
                             << false;
    QTest::newRow("no calories") << QStringList{"Soup", "", "1", "1", "1", "1"} << "" << "Please enter cal/1cup."
                                 << false;
    QTest::newRow("all values") << QStringList{"Soup", "120", "10", "2", "3", "4"} << "" << "" << true;
    QTest::newRow("missing fibre, proceed") << QStringList{"Soup", "120", "10", "2", "3", ""} << "btnOk" << ""
                                            << true;
    QTest::newRow("missing fibre, cancel") << QStringList{"Soup", "120", "10", "2", "3", ""} << "btnCancel" << ""
                                           << false;
    // What the service refuses does not go.
    QTest::newRow("name of spaces") << QStringList{"   ", "120", "1", "1", "1", "1"} << ""
                                    << "Please enter a Food Name." << false;
    QTest::newRow("more calories") << QStringList{"Soup", "100001", "1", "1", "1", "1"} << ""
                                   << QStringLiteral("Please enter a number up to %1 for cal/1cup.").arg(QLocale().toString(100000))
                                   << false;
    QTest::newRow("too much fat") << QStringList{"Soup", "120", "1", "999999", "1", "1"} << ""
                                  << QStringLiteral("Please enter a number up to %1 for fat/1cup.").arg(QLocale().toString(100000))
                                   << false;
}

void TestCqWndTracker::addingAFood()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QFETCH(bool, added);

    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    const QStringList names{"edtName", "edtCal", "edtCarbs", "edtFat", "edtProtein", "edtFiber"};
    for (int i = 0; i < names.size(); ++i)
        QTest::keyClicks(m_window->findChild<QLineEdit*>(names.at(i)), fields.at(i));
    if (!answer.isEmpty())
        TestEnvironment::answerNextModal(answer);
    m_server->enqueueJson(QStringLiteral("uploadMyCalorie"), R"({"result_code":0,"mycalorie_id":812})");
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnAdd")), Qt::LeftButton);

    if (!message.isEmpty())
        QTRY_VERIFY(messagePosted(message));
    QCOMPARE(model()->rowCount(), added ? 4 : 3);
    if (!added) {
        QCOMPARE(m_server->requestCount(QStringLiteral("/api/uploadMyCalorie")), 0);
        return;
    }
    QCOMPARE(model()->index(3, 0).data().toString(), QStringLiteral("Soup"));
    QCOMPARE(model()->index(3, 1).data().toString(), QStringLiteral("60.0"));
    QCOMPARE(model()->index(3, 0).data(FoodTableModel::markRole).toInt(), 9);
    QVERIFY(m_server->waitForRequests(QStringLiteral("/api/uploadMyCalorie"), 1));
    const FakeServer::Request upload = m_server->lastRequest(QStringLiteral("/api/uploadMyCalorie"));
    QCOMPARE(QString::fromUtf8(upload.body),
             QStringLiteral("user_id=9&category_id=1&title=Soup&cal=120&carbs=10&fat=2&protein=3&fiber=")
                 + (fields.at(5).isEmpty() ? QStringLiteral("0") : QStringLiteral("4")));
    QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("edtName"))->text(), QString());
    QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("edtCal"))->text(), QString());
}

void TestCqWndTracker::uploadReplyNamesTheFood()
{
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    // The reply comes late, after the member opened another category.
    m_server->enqueue(QStringLiteral("/api/uploadMyCalorie"),
                      FakeServer::Reply::json(R"({"result_code":0,"mycalorie_id":"812"})", 400));
    addSoup();
    openCategory(QStringLiteral("Grains"), 11);

    const FoodCatalogue& catalogue = m_window->catalogue();
    QTRY_COMPARE(catalogue.category(1)->items.last()->id, 812);
    QCOMPARE(catalogue.category(11)->items.last()->id, 50);
}

void TestCqWndTracker::uploadFailures_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("refused") << 0;
    QTest::newRow("HTTP 500") << 1;
    QTest::newRow("not JSON") << 2;
    QTest::newRow("no id") << 3;
}

void TestCqWndTracker::uploadFailures()
{
    QFETCH(int, kind);
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    const QString path = QStringLiteral("/api/uploadMyCalorie");
    switch (kind) {
    case 0: m_server->enqueue(path, FakeServer::Reply::json(R"({"result_code":3})")); break;
    case 1: m_server->enqueue(path, FakeServer::Reply::error(500)); break;
    case 2: m_server->enqueue(path, FakeServer::Reply::json("<html>oops</html>")); break;
    default: m_server->enqueue(path, FakeServer::Reply::json(R"({"result_code":0})")); break;
    }
    const QStringList queued = MainWindow::instance()->messageBar()->messages(); // left by earlier rows
    addSoup();
    if (kind == 3) {
        // A success without an id: nothing to tell.
        QVERIFY(m_server->waitForRequests(path, 1));
        QTRY_VERIFY(m_window->findChildren<OwnFoodUpload*>().isEmpty());
        // Only what earlier rows left may be queued or come on screen meanwhile.
        for (const QString& message : MainWindow::instance()->messageBar()->messages())
            QVERIFY(queued.contains(message));
        for (const QList<QVariant>& shown : std::as_const(*m_messages))
            QVERIFY(queued.contains(shown.value(0).toString()));
    } else {
        QTRY_VERIFY(messagePosted(QStringLiteral("Uload failed")));
    }

    // The food stays with id 0; deleting it sends that id.
    QCOMPARE(m_window->catalogue().category(1)->items.last()->id, 0);
    QCOMPARE(model()->rowCount(), 4);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    const QRect name = table()->visualRect(model()->index(3, 0));
    doubleClick(table()->viewport(), Qt::LeftButton, {}, name.center());
    QTRY_COMPARE(model()->rowCount(), 3);
    QVERIFY(m_server->waitForRequests(QStringLiteral("/api/removeMyCalorie"), 1));
    QCOMPARE(m_server->lastRequest(QStringLiteral("/api/removeMyCalorie")).field(QStringLiteral("mycalorie_id")),
             QStringLiteral("0"));
}

void TestCqWndTracker::slowUploads_data()
{
    QTest::addColumn<QByteArray>("reply"); // comes after the window's patience (300 ms)
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("afterAll");
    QTest::newRow("refused late") << QByteArray(R"({"result_code":3})") << 0 << false;
    QTest::newRow("named late") << QByteArray(R"({"result_code":0,"mycalorie_id":812})") << 812
                                << true;
}

void TestCqWndTracker::slowUploads()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, id);
    QFETCH(bool, afterAll);
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    CqWndTracker::setCatalogueTimeoutMs(300);
    m_server->enqueueJson(QStringLiteral("uploadMyCalorie"), reply, 1200);
    addSoup();
    // Told once the window's patience is over; the upload goes on.
    QTRY_VERIFY(messagePosted(QStringLiteral("Uload failed")));
    const FoodItemModel* soup = m_window->catalogue().category(1)->items.last();
    QTRY_COMPARE_WITH_TIMEOUT(soup->id, id, 5000);
    const QString added = CqWndTracker::addedAfterAllMessage(QStringLiteral("Soup"));
    // The upload has ended once the reply is read.
    QTRY_VERIFY_WITH_TIMEOUT(m_window->findChildren<OwnFoodUpload*>().isEmpty(), 5000);
    QCOMPARE(messagePosted(added), afterAll);
}

void TestCqWndTracker::savingWhileAnUploadIsOut()
{
    openTracker(1);
    openCategory(QStringLiteral("Fruits"), 1);
    m_server->enqueueJson(QStringLiteral("uploadMyCalorie"),
                          R"({"result_code":0,"mycalorie_id":812})", 1500);
    addSoup();
    clickCell(3, FoodTableModel::Cup);
    clickCell(0, FoodTableModel::HalfCup);
    save();
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_1_1")),
             QStringLiteral("31:75:0@0:120:1"));

    // The id comes: the stored entry follows it, and so does the block.
    QTRY_COMPARE_WITH_TIMEOUT(SettingsStore::memberText(QStringLiteral("meal_1_1")),
                              QStringLiteral("31:75:0@812:120:1"), 5000);
    QCOMPARE(blockTable(1)->item(1, 1)->data(FoodTableModel::markRole).toInt(), 812);
    // Saved again, the soup counts once.
    save();
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_1_1")),
             QStringLiteral("31:75:0@812:120:1"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("195"));
    QCOMPARE(blockTable(1)->rowCount(), 2);
}

void TestCqWndTracker::deletingAChosenOwnFoodKeepsItsShare()
{
    // A banana and My shake (member 9's: 100 cal, 5 g of each) by the cup.
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::Cup);
    clickCell(2, FoodTableModel::Cup);
    save();
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_0_1")), QStringLiteral("25_9_13_7"));

    // The shake leaves the catalogue but stays in the meal, nutrients and all.
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    doubleClick(table()->viewport(), Qt::LeftButton, {},
                table()->visualRect(model()->index(2, 0)).center());
    QTRY_COMPARE(model()->rowCount(), 2);
    save();
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_1")),
             QStringLiteral("31:150:1@77:100:1"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")), QStringLiteral("250"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_0_1")), QStringLiteral("25_9_13_7"));

    // Removed from the meal, it takes both out: nothing goes below the banana's.
    QTest::mouseClick(blockButton(1), Qt::LeftButton);
    QTableWidget* chosen = blockTable(1);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    doubleClick(chosen->viewport(), Qt::LeftButton, {},
                chosen->visualItemRect(chosen->item(1, 1)).center());
    QTRY_COMPARE(chosen->rowCount(), 1);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")), QStringLiteral("150"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_0_1")), QStringLiteral("20_4_8_2"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("totaldetails_0")),
             QStringLiteral("20_4_8_2"));
}

void TestCqWndTracker::deletingOwnFoods()
{
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    // The service's own food: no question, nothing goes.
    doubleClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(model()->index(0, 0)).center());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(model()->rowCount(), 3);

    // The member's food, cancelled, then confirmed.
    const QPoint shake = table()->visualRect(model()->index(2, 0)).center();
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    doubleClick(table()->viewport(), Qt::LeftButton, {}, shake);
    QCOMPARE(model()->rowCount(), 3);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    doubleClick(table()->viewport(), Qt::LeftButton, {}, shake);
    QCOMPARE(model()->rowCount(), 2);
    QCOMPARE(m_window->catalogue().category(1)->items.size(), 2);
    QVERIFY(m_server->waitForRequests(QStringLiteral("/api/removeMyCalorie"), 1));
    QCOMPARE(m_server->lastRequest(QStringLiteral("/api/removeMyCalorie")).field(QStringLiteral("mycalorie_id")),
             QStringLiteral("77"));
}

void TestCqWndTracker::catalogueFailures_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("refused") << 0;
    QTest::newRow("HTTP 500") << 1;
    QTest::newRow("not JSON") << 2;
    QTest::newRow("stall") << 3;
    QTest::newRow("connection refused") << 4;
}

void TestCqWndTracker::catalogueFailures()
{
    QFETCH(int, kind);
    const QString path = QStringLiteral("/api/getFoodList");
    const QByteArray host = qgetenv("OLVA_API_HOST");
    auto restoreHost = qScopeGuard([host] { qputenv("OLVA_API_HOST", host); });
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("300"));
    CqWndTracker::setCatalogueTimeoutMs(300);
    switch (kind) {
    case 0: m_server->enqueue(path, FakeServer::Reply::json(R"({"result_code":1})")); break;
    case 1: m_server->enqueue(path, FakeServer::Reply::error(500)); break;
    case 2: m_server->enqueue(path, FakeServer::Reply::json("{\"result_code\":0,\"food_list\":[")); break;
    case 3: m_server->enqueue(path, FakeServer::Reply::hang()); break;
    default: {
        // A port nobody listens on.
        FakeServer closed;
        qputenv("OLVA_API_HOST", closed.hostAndPort().toLatin1());
        break;
    }
    }
    m_window = std::make_unique<CqWndTracker>(0);
    m_window->show();
    QTRY_VERIFY_WITH_TIMEOUT(messagePosted(CqWndTracker::catalogueFailedMessage()), 10000);
    QVERIFY(m_window->catalogue().isEmpty());
    QVERIFY(m_window->findChildren<MyWidget*>().isEmpty());
    // The rest of the window works on the stored figures.
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("300"));
    auto* button = m_window->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("widgetCategoryContent"))->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCqWndTracker::sampleIconOpensTheSampleMeals()
{
    int openedFor = -1;
    DialogFactory::registerRunner(DialogFactory::Kind::Sample, [&openedFor](const QVariant& meal) {
        openedFor = meal.toInt();
        return 0;
    });
    openTracker(2);
    auto* sample = m_window->findChild<QAbstractButton*>(QStringLiteral("btnSample"));
    QCOMPARE(sample->accessibleName(), QStringLiteral("Sample meals"));
    QTest::mouseClick(sample, Qt::LeftButton);
    QCOMPARE(openedFor, 2);
}

void TestCqWndTracker::figuresAreReadOutWithTheirValues_data()
{
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after"); // banana and mango by the cup, saved
    QTest::newRow("meal") << "lblMealCalories" << "Total Lunch Calories: 0" << "Total Lunch Calories: 295";
    QTest::newRow("remaining") << "lblRemaining" << "Remaining daily calories: 1500"
                               << "Remaining daily calories: 1205";
    QTest::newRow("open category") << "lblTotal" << "Calories of the open category: 0"
                                   << "Calories of the open category: 295";
    QTest::newRow("carbs") << "lblCarbs" << "Carbs: 0.0" << "Carbs: 30.0";
}

void TestCqWndTracker::figuresAreReadOutWithTheirValues()
{
    QFETCH(QString, figure);
    QFETCH(QString, before);
    QFETCH(QString, after);
    openTracker(2);
    QCOMPARE(spoken(figure), before);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::Cup);
    clickCell(1, FoodTableModel::Cup);
    QTest::mouseClick(m_window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(spoken(figure), after);
}

void TestCqWndTracker::searchChoosesAsTheTableDoes()
{
    openTracker(2);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(0, FoodTableModel::Cup);
    auto* search = m_window->findChild<QLineEdit*>(QStringLiteral("edtSearch"));
    QAbstractItemModel* results = m_window->findChild<QTableView*>(QStringLiteral("tblSearch"))->model();
    // The open category's food: its table shows the choice and its totals.
    QTest::keyClicks(search, QStringLiteral("MANG\u00D6"));
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(marked(1, FoodTableModel::HalfCup));
    QCOMPARE(text(QStringLiteral("lblTotal")), QStringLiteral("223"));
    // Foods of two other categories: a cup of oats, a typed amount of milk.
    search->clear();
    QTest::keyClicks(search, QStringLiteral("oat"));
    QTest::keyClick(search, Qt::Key_Return, Qt::ShiftModifier);
    search->clear();
    QTest::keyClicks(search, QStringLiteral("milk"));
    QVERIFY(results->setData(results->index(0, SearchResultsModel::Other), QStringLiteral("40")));
    QVERIFY(results->index(0, SearchResultsModel::Other).data(FoodTableModel::markRole).toBool());
    QTest::keyClick(search, Qt::Key_Escape);
    QVERIFY(search->text().isEmpty());

    QTest::keyClick(search, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_2_1")), QStringLiteral("31:150:1@40:72.5:0"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_2_11")), QStringLiteral("50:300:1"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("details_2_11")), QStringLiteral("54_6_10_8"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_2_5")), QStringLiteral("60:40:2"));
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("562"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QString::number(1500 - 562));
    QVERIFY(blockButton(11) && blockButton(5));
}

void TestCqWndTracker::aNewDayMeetsTheWindow_data()
{
    QTest::addColumn<QString>("action");
    // The clock passes midnight while the confirmation is open (the roll-over
    // runs meanwhile); otherwise before the action, unseen (a resume).
    QTest::addColumn<bool>("whileAsked");
    QTest::addColumn<QString>("removal"); // what the member is told was not removed

    QTest::newRow("food removal confirmed after midnight") << "food" << true << "Mango";
    QTest::newRow("food removal after a resume") << "food" << false << "Mango";
    QTest::newRow("category removal confirmed after midnight") << "category" << true << "Fruits";
    QTest::newRow("category removal after a resume") << "category" << false << "Fruits";
    QTest::newRow("save after a resume") << "save" << false << "";
    QTest::newRow("midnight") << "midnight" << false << "";
}

void TestCqWndTracker::aNewDayMeetsTheWindow()
{
    QFETCH(QString, action);
    QFETCH(bool, whileAsked);
    QFETCH(QString, removal);
    const QDate monday(2026, 3, 9);
    DayClock::setTodayForTesting(monday);
    SettingsStore::setMemberText(DayRollover::dateKey(), monday.toString(Qt::ISODate));
    SettingsStore::setMemberText(QStringLiteral("meal_0_1"), QStringLiteral("31:150:1@40:72.5:0"));
    SettingsStore::setMemberText(QStringLiteral("details_0_1"), QStringLiteral("25_5_10_2.5"));
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("222"));
    SettingsStore::setMemberInt(QStringLiteral("totalcalories"), 1500);
    openTracker(0);
    // The finished day goes to the service once the new one starts, after
    // the catalogue that names its foods.
    m_server->enqueueJson(QStringLiteral("getFoodList"), TrackerTestData::catalogue());
    m_server->enqueueJson(QStringLiteral("uploadDay"), R"({"result_code":0,"history_id":1})");
    QTRY_VERIFY(blockTable(1) && blockTable(1)->rowCount() == 2);
    // A cup of oats chosen, not saved.
    openCategory(QStringLiteral("Grains"), 11);
    clickCell(0, FoodTableModel::Cup);

    const std::function<void()> midnight = [monday, whileAsked] {
        DayClock::setTodayForTesting(monday.addDays(1));
        if (whileAsked)
            DayRollover::instance()->checkNow();
    };
    // Whatever the window does, a question is answered (yes), never left open.
    const std::unique_ptr<QTimer> answer =
        whileNextModal(whileAsked ? midnight : std::function<void()>([] {}), QStringLiteral("btnOk"));
    if (!whileAsked)
        midnight();
    if (action == QLatin1String("food")) {
        QTest::mouseClick(blockButton(1), Qt::LeftButton);
        QTableWidget* chosen = blockTable(1);
        doubleClick(chosen->viewport(), Qt::LeftButton, {}, chosen->visualItemRect(chosen->item(1, 1)).center());
    } else if (action == QLatin1String("category")) {
        QTest::mouseClick(blockButton(1), Qt::RightButton);
    } else if (action == QLatin1String("save")) {
        save();
    } else {
        DayRollover::instance()->checkNow();
    }
    QTRY_VERIFY(!QApplication::activeModalWidget());

    // Monday went to the archive whole, without the unsaved oats.
    QCOMPARE(DayRollover::storedDate(), monday.addDays(1));
    const std::optional<ArchivedDay> archived = DayArchive::day(monday);
    QVERIFY(archived);
    QCOMPARE(archived->mealCalories(0), 222);
    QCOMPARE(archived->entries(0, 1).size(), 2);
    QVERIFY(archived->entries(0, 11).isEmpty());
    // Tuesday holds nothing, and nothing below zero.
    QCOMPARE(DayStore::mealCalories(0), 0);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")).toInt(), 0);
    QVERIFY(DayStore::entries(0, 1).isEmpty() && DayStore::entries(0, 11).isEmpty());
    QCOMPARE(DayStore::remainingCalories(), 1500);
    QCOMPARE(text(QStringLiteral("lblMealCalories")), QStringLiteral("0"));
    QCOMPARE(text(QStringLiteral("lblRemaining")), QStringLiteral("1500"));
    QTRY_VERIFY(messagePosted(CqWndTracker::newDayUnsavedMessage({0})));
    if (!removal.isEmpty())
        QVERIFY(messagePosted(CqWndTracker::newDayNothingRemovedMessage(removal, 0)));
    // Monday reached the service (and nothing of it is left to retry).
    QVERIFY(m_server->waitForRequests(QStringLiteral("/api/uploadDay"), 1));
}

void TestCqWndTracker::copyingKeepsUnsavedChoices_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QString>("answer"); // to the question before unsaved choices are left out
    QTest::addColumn<QString>("fruits"); // meal_0_1 after
    QTest::addColumn<QString>("meal");   // Cal_0 after
    QTest::addColumn<bool>("unsaved");   // the half cup of mango is still waiting

    QTest::newRow("added: saved with it") << false << "" << "31:150:1@40:72.5:0" << "522" << false;
    QTest::newRow("replaced, the member agrees") << true << "btnOk" << "" << "300" << false;
    QTest::newRow("replaced, the member declines") << true << "btnCancel" << "31:150:1" << "150" << true;
}

void TestCqWndTracker::copyingKeepsUnsavedChoices()
{
    QFETCH(bool, replace);
    QFETCH(QString, answer);
    QFETCH(QString, fruits);
    QFETCH(QString, meal);
    QFETCH(bool, unsaved);
    SettingsStore::setMemberText(QStringLiteral("meal_0_1"), QStringLiteral("31:150:1"));
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("150"));
    SettingsStore::setMemberText(QStringLiteral("meal_2_11"), QStringLiteral("50:300:1"));
    SettingsStore::setMemberText(QStringLiteral("Cal_2"), QStringLiteral("300"));
    openTracker(0);
    openCategory(QStringLiteral("Fruits"), 1);
    clickCell(1, FoodTableModel::HalfCup);
    QVERIFY(m_window->findChild<QLabel*>(QStringLiteral("lblUnsaved"))->isVisible());

    if (!answer.isEmpty())
        TestEnvironment::answerNextModal(answer);
    auto* menu = m_window->findChild<QMenu*>(QStringLiteral("menuCopy"));
    emit menu->aboutToShow();
    QMenu* lunch = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("Today's Lunch")))
            lunch = action->menu();
    }
    QVERIFY(lunch);
    lunch->actions().at(replace ? 0 : 1)->trigger();
    QTRY_VERIFY(!QApplication::activeModalWidget());

    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_1")), fruits);
    const bool copied = answer != QLatin1String("btnCancel");
    QCOMPARE(SettingsStore::memberText(QStringLiteral("meal_0_11")), copied ? QStringLiteral("50:300:1") : QString());
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")), meal);
    QCOMPARE(text(QStringLiteral("lblMealCalories")), meal);
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblUnsaved"))->isVisible(), unsaved);
    // The mango shows as chosen while it is saved or still waiting.
    QCOMPARE(marked(1, FoodTableModel::HalfCup), unsaved || fruits.contains(QStringLiteral("40:72.5:0")));
}

QTEST_MAIN(TestCqWndTracker)
#include "tst_cqwndtracker.moc"
