#include "app/accountstate.h"
#include "demosession.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "testenvironment.h"
#include "weight/cqwndweight.h"
#include "weight/weightlog.h"

#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

QWidget* activeFeature(MainWindow* main)
{
    QMdiSubWindow* sub = main->findChild<QMdiArea*>()->currentSubWindow();
    return sub ? sub->widget() : nullptr;
}

// Picks `path` in the next file dialog, then runs `next` (once the dialog's
// loop is left: a wait inside it would keep the dialog's exec() from returning).
void chooseFile(QObject* context, const QString& path, std::function<void()> next = {})
{
    QTimer::singleShot(0, context, [context, path, next] {
        QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
        if (next)
            QTimer::singleShot(0, context, next);
    });
}

} // namespace

// The member's morning, against the demo server: the weight window from the
// main window, today's weight, the trend and the goal date moving, and the
// log exported and imported back without a day twice.
class TestWeightDemo final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk();

private:
    DemoSession m_demo;
    MainWindow* m_main = nullptr;
};

void TestWeightDemo::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_demo.start());
    QVERIFY(m_demo.signInQuick());
    // No friends reminder over the main window.
    currentCheckDay = QDate::currentDate().addDays(7).toString(QStringLiteral("yyyy-MM-dd"));
    m_main = m_demo.showMainWindow();
    QVERIFY(m_main);
}

void TestWeightDemo::walk()
{
    QTRY_VERIFY(!isBusyLoading());
    auto* open = m_main->findChild<QPushButton*>(QStringLiteral("btnWeight"));
    QVERIFY(open && open->isVisible() && open->focusPolicy() & Qt::TabFocus);
    QTest::mouseClick(open, Qt::LeftButton);
    QTRY_VERIFY(qobject_cast<CqWndWeight*>(activeFeature(m_main)));
    auto* window = qobject_cast<CqWndWeight*>(activeFeature(m_main));
    auto* list = window->findChild<QTableView*>(QStringLiteral("tblWeights"));
    QTRY_VERIFY(list->model()->rowCount() > 60 && !isBusyLoading());
    const int days = list->model()->rowCount();
    const WeightSummary before = window->summary();
    QVERIFY(before.trendKg && before.goalKg && before.weeklyChangeKg);
    QCOMPARE(before.goal, WeightSummary::GoalState::OnTheWay);

    // Today's weight, well under the trend: the trend and the goal date move.
    const double typed = *before.trendKg - 4;
    auto* weight = window->findChild<QLineEdit*>(QStringLiteral("edtWeight"));
    QCOMPARE(window->findChild<QDateEdit*>()->date(), QDate::currentDate());
    weight->setFocus();
    QTest::keyClicks(weight, QString::number(typed, 'f', 1));
    QTest::keyClick(weight, Qt::Key_Return);
    QTRY_COMPARE(window->log()->pendingCount(), 0);
    QVERIFY(*window->summary().trendKg < *before.trendKg);
    QVERIFY(window->summary().goalDate < before.goalDate);
    QCOMPARE(list->model()->index(0, 0).data(Qt::UserRole + 1).toDate(), QDate::currentDate());
    const int afterEntry = list->model()->rowCount();
    QVERIFY(afterEntry == days || afterEntry == days + 1);

    // Exported, then imported back: every day once, the service's list unchanged.
    const QString path = TestEnvironment::root() + QStringLiteral("/weights.csv");
    chooseFile(this, path);
    window->findChild<QPushButton*>(QStringLiteral("btnExport"))->click();
    QFile exported(path);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll().count('\n'), afterEntry + 1);

    const QList<WeightEntry> kept = window->log()->entries();
    QString report;
    chooseFile(this, path, [&report] {
        QTRY_VERIFY(QApplication::activeModalWidget() &&
                    QApplication::activeModalWidget()->objectName() ==
                        QLatin1String("importReport"));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        report = box->text();
        box->accept();
    });
    window->findChild<QPushButton*>(QStringLiteral("btnImport"))->click();
    QTRY_VERIFY(!report.isEmpty());
    QCOMPARE(report, QStringLiteral("Imported %1 weighings.").arg(afterEntry));
    QTRY_COMPARE(window->log()->pendingCount(), 0);
    window->refresh();
    QTRY_VERIFY(!window->log()->isBusy() && !isBusyLoading());
    QCOMPARE(window->log()->entries(), kept);
    QCOMPARE(list->model()->rowCount(), afterEntry);
}

QTEST_MAIN(TestWeightDemo)
#include "tst_weightdemo.moc"
