#include "tracker/cqdlgremovecalory.h"
#include "tracker/cqdlgwarning.h"
#include "tracker/cqwndtotalcalories.h"
#include "tracker/daystore.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "main/dialogfactory.h"
#include "main/featurewindows.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "widgets/qtmaterialsnackbar.h"

#include "testenvironment.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

// The daily-target window and the two confirmation dialogs.
class TestTrackerDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void targetWindowLabels_data();
    void targetWindowLabels();
    void firstUseNeedsANumber_data();
    void firstUseNeedsANumber();
    void updatingTheTarget_data();
    void updatingTheTarget();
    void cancelClosesWithoutChange();
    void settingsEntryOpensTheUpdateWindow();
    void removeDialog_data();
    void removeDialog();
    void warningDialog();
    void trackerKindIsRegistered();
};

void TestTrackerDialogs::initTestCase()
{
    TestEnvironment::isolate();
    QLocale::setDefault(QLocale::c());
    QVERIFY(MainWindow::instance());
    registerTrackerWindows();
}

void TestTrackerDialogs::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("target@example.com");
    totalCalories = 0;
    remainCalories = 0;
}

void TestTrackerDialogs::cleanup()
{
    TestEnvironment::closeModals();
}

void TestTrackerDialogs::targetWindowLabels_data()
{
    QTest::addColumn<bool>("firstUse");
    QTest::addColumn<QString>("okText");
    QTest::addColumn<bool>("cancelShown");
    QTest::newRow("first use") << true << "SET" << false;
    QTest::newRow("from the settings") << false << "UPDATE" << true;
}

void TestTrackerDialogs::targetWindowLabels()
{
    QFETCH(bool, firstUse);
    QFETCH(QString, okText);
    QFETCH(bool, cancelShown);
    CqWndTotalCalories window(firstUse);
    window.show();
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("btnOk"))->text(), okText);
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("btnCancel"))->isVisible(), cancelShown);
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("edtTotal"))->placeholderText(), QStringLiteral("1000"));
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);

    // It refuses to close before OK or CANCEL.
    QSignalSpy closed(&window, &CqWndTotalCalories::sig_updated_totalcalories);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(closed.count(), 0);
}

void TestTrackerDialogs::firstUseNeedsANumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // what the field holds after typing
    QTest::newRow("zero") << "0" << "0";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("letters and signs are refused") << "-a" << "";
    QTest::newRow("beyond 32 bits") << "99999999999" << "99999999999";
}

void TestTrackerDialogs::firstUseNeedsANumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("300"));
    SettingsStore::setMemberText(QStringLiteral("Cal_4"), QStringLiteral("250"));
    QSignalSpy messages(MainWindow::instance()->messageBar(), &QtMaterialSnackbar::messageShown);

    CqWndTotalCalories window(true);
    window.show();
    QSignalSpy closed(&window, &CqWndTotalCalories::sig_updated_totalcalories);
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("edtTotal"));
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), shown);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    QTRY_VERIFY(MainWindow::instance()->messageBar()->messages().contains(QStringLiteral("Endter your total calories"))
                || messages.count() > 0);
    QVERIFY(window.isVisible());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(totalCalories, 0);

    // Then 1800: target 1800, remaining 1800 - 550.
    field->clear();
    QTest::keyClicks(field, QStringLiteral("1800"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(!window.isVisible());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(totalCalories, 1800);
    QCOMPARE(remainCalories, 1250);
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("totalcalories")), 1800);
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("remaincalories")), 1250);
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_0")), QStringLiteral("300"));
}

void TestTrackerDialogs::updatingTheTarget_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // what the field holds after typing
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("plain") << QLocale::c() << "2000" << "2000";
    QTest::newRow("Spanish grouping") << spanish << "2.000" << "2.000";
    QTest::newRow("English grouping") << english << "2,000" << "2,000";
    // A comma is no grouping mark in Spanish: the field does not take it.
    QTest::newRow("Spanish, comma") << spanish << "2,000" << "2000";
}

void TestTrackerDialogs::updatingTheTarget()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLocale::setDefault(locale);
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    totalCalories = 1500;
    SettingsStore::setMemberText(QStringLiteral("Cal_1"), QStringLiteral("700"));
    SettingsStore::setMemberText(QStringLiteral("Cal_2"), QStringLiteral("500"));
    CqWndTotalCalories window(false);
    window.show();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("edtTotal"));
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), shown);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(totalCalories, 2000);
    QCOMPARE(remainCalories, 800);
    QCOMPARE(DayStore::remainingCalories(), 800);
}

void TestTrackerDialogs::cancelClosesWithoutChange()
{
    totalCalories = 1500;
    remainCalories = 900;
    CqWndTotalCalories window(false);
    window.show();
    QSignalSpy closed(&window, &CqWndTotalCalories::sig_updated_totalcalories);
    QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("edtTotal")), QStringLiteral("2000"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(closed.count(), 1);
    QCOMPARE(totalCalories, 1500);
    QCOMPARE(remainCalories, 900);
}

void TestTrackerDialogs::settingsEntryOpensTheUpdateWindow()
{
    QCOMPARE(DialogFactory::run(DialogFactory::Kind::TotalCalories, 0), std::optional<int>(0));
    QPointer<CqWndTotalCalories> window;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* target = qobject_cast<CqWndTotalCalories*>(widget); target && target->isVisible())
            window = target;
    }
    QVERIFY(window);
    QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("btnOk"))->text(), QStringLiteral("UPDATE"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
    // Closed windows delete themselves.
    QTRY_VERIFY(!window);
}

void TestTrackerDialogs::removeDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "btnOk" << int(QDialog::Accepted);
    QTest::newRow("CANCEL") << "btnCancel" << int(QDialog::Rejected);
}

void TestTrackerDialogs::removeDialog()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    CqDlgRemoveCalory dialog(QStringLiteral("<b>Banana</b>"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Confirm Removal"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("Are you sure want to delete?"));
    auto* title = dialog.findChild<QLabel*>(QStringLiteral("lblTitle"));
    QCOMPARE(title->text(), QStringLiteral("<b>Banana</b>"));
    QCOMPARE(title->textFormat(), Qt::PlainText);
    TestEnvironment::answerNextModal(button);
    QCOMPARE(dialog.exec(), result);
}

void TestTrackerDialogs::warningDialog()
{
    const QString text = QStringLiteral("You didn\u2019t put in all values.");
    CqDlgWarning dialog(text);
    QCOMPARE(dialog.text(), text);
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), text);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
}

void TestTrackerDialogs::trackerKindIsRegistered()
{
    QVERIFY(SubWindowFactory::isRegistered(SubWindowKind::Tracker));
    QVERIFY(DialogFactory::isRegistered(DialogFactory::Kind::TotalCalories));
}

QTEST_MAIN(TestTrackerDialogs)
#include "tst_trackerdialogs.moc"
