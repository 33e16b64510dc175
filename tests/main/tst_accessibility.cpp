#include "account/cqdlgforget.h"
#include "account/cqdlglogin.h"
#include "account/cqdlgpassword.h"
#include "account/cqdlgpin.h"
#include "account/cqdlgsignup.h"
#include "account/cqdlgterms.h"
#include "app/cqdlgversion.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "testenvironment.h"
#include "widgets/mylabel.h"
#include "widgets/mywidget.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The controls a screen reader must be able to name: enabled buttons, check
// boxes, line edits, and labels or widgets that react to clicks (they take
// the focus once something listens to them).
bool needsName(QWidget* widget)
{
    if (!widget->isEnabled())
        return false;
    // Qt's own select-all corner of a table: the table's accessible
    // interface stands for it.
    if (widget->inherits("QTableCornerButton"))
        return false;
    if (qobject_cast<QAbstractButton*>(widget))
        return true;
    if (qobject_cast<QLineEdit*>(widget)) {
        // The editor inside a spin or combo box is named by its owner.
        QWidget* owner = widget->parentWidget();
        return !qobject_cast<QAbstractSpinBox*>(owner) && !qobject_cast<QComboBox*>(owner);
    }
    if (qobject_cast<MyLabel*>(widget) || qobject_cast<MyWidget*>(widget))
        return widget->focusPolicy() != Qt::NoFocus;
    return false;
}

QString describe(QWidget* widget)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget->metaObject()->className()),
                                            widget->objectName());
}

// Every control of `window` (itself included) that a screen reader would
// announce without a name.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : std::as_const(widgets)) {
        if (!needsName(widget))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        const QString name = accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            unnamed << describe(widget);
    }
    return unnamed;
}

// The argument a dialog kind is opened with by its callers.
QVariant argumentFor(DialogFactory::Kind kind)
{
    switch (kind) {
    case DialogFactory::Kind::Invite:
    case DialogFactory::Kind::CheckInvite:
    case DialogFactory::Kind::TotalCalories:
        return 1;
    case DialogFactory::Kind::VideoPlayer:
        return QUrl::fromLocalFile(TestEnvironment::root() + QStringLiteral("/clip.mp4"));
    default:
        return {};
    }
}

QSet<QWidget*> visibleTopLevels()
{
    QSet<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            shown.insert(widget);
    }
    return shown;
}

using WindowMaker = std::function<QWidget*()>;

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TestAccessibility final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void everyFactoryWindowIsNamed_data();
    void everyFactoryWindowIsNamed();
    void everyFactoryDialogIsNamed_data();
    void everyFactoryDialogIsNamed();
    void mainWindowPicturesSayWhatTheyAre_data();
    void mainWindowPicturesSayWhatTheyAre();

private:
    FakeServer m_server;
    QTimer m_safetyNet;
};

void TestAccessibility::initTestCase()
{
    TestEnvironment::isolate();
    // Windows may ask the service for their content; nobody answers much.
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    QAccessible::setActive(true);
    loadingWindow = new CqWndLoading;
    registerFeatureWindows();
    // A dialog nobody answers must fail the case, not hang the run.
    m_safetyNet.setInterval(8000);
    connect(&m_safetyNet, &QTimer::timeout, this, [] { TestEnvironment::closeModals(); });
    m_safetyNet.start();
}

void TestAccessibility::cleanup()
{
    TestEnvironment::closeModals();
}

// The windows built directly (not through the factories).
void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("login") << WindowMaker([] { return new CqDlgLogin; });
    QTest::newRow("sign-up") << WindowMaker([] { return new CqDlgSignUp; });
    QTest::newRow("forgotten password") << WindowMaker([] { return new CqDlgForget(nullptr); });
    QTest::newRow("new password") << WindowMaker([] { return new CqDlgPassword(nullptr, QString()); });
    QTest::newRow("device code") << WindowMaker([] { return new CqDlgPin(nullptr, QString()); });
    QTest::newRow("terms") << WindowMaker([] { return new CqDlgTerms; });
    QTest::newRow("update offer") << WindowMaker([] { return new CqDlgVersion; });
    QTest::newRow("main window") << WindowMaker([] { return new MainWindow; });
    QTest::newRow("settings") << WindowMaker([] { return new CqWndSetting; });
    QTest::newRow("busy overlay") << WindowMaker([] { return new CqWndLoading; });
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(WindowMaker, make);
    std::unique_ptr<QWidget> window(make());
    window->show(); // shown without exec(): nothing waits for an answer
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList unnamed = unnamedControls(window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

// Every window a feature registers, including those added later.
void TestAccessibility::everyFactoryWindowIsNamed_data()
{
    QTest::addColumn<int>("kind");
    int registered = 0;
    for (int kind = 0; kind < SubWindowKind::Count; ++kind) {
        if (SubWindowFactory::isRegistered(kind)) {
            QTest::addRow("kind %d", kind) << kind;
            ++registered;
        }
    }
    if (registered == 0)
        QTest::newRow("none registered yet") << -1;
}

void TestAccessibility::everyFactoryWindowIsNamed()
{
    QFETCH(int, kind);
    if (kind < 0)
        QSKIP("no feature window is registered yet");
    std::unique_ptr<QWidget> window(SubWindowFactory::create(kind));
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList unnamed = unnamedControls(window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void TestAccessibility::everyFactoryDialogIsNamed_data()
{
    QTest::addColumn<int>("kind");
    // The kinds are a small enumeration; look a little past its end so that
    // kinds added later are walked too.
    for (int kind = 0; kind < 64; ++kind) {
        if (DialogFactory::isRegistered(DialogFactory::Kind(kind)))
            QTest::addRow("kind %d", kind) << kind;
    }
}

// Runs the dialog as the main window does; a modal one is looked at from
// inside its exec() and then closed, a top-level window after it is shown.
void TestAccessibility::everyFactoryDialogIsNamed()
{
    QFETCH(int, kind);
    const QSet<QWidget*> before = visibleTopLevels();
    bool looked = false;
    QStringList unnamed;
    QTimer inspector;
    inspector.setInterval(20);
    connect(&inspector, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || before.contains(modal))
            return;
        inspector.stop();
        looked = true;
        unnamed = unnamedControls(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    inspector.start();
    DialogFactory::run(DialogFactory::Kind(kind), argumentFor(DialogFactory::Kind(kind)));
    inspector.stop();

    if (!looked) {
        // Not modal: the window it opened stays on screen.
        QList<QPointer<QWidget>> opened;
        for (QWidget* widget : visibleTopLevels()) {
            if (!before.contains(widget))
                opened << widget;
        }
        if (opened.isEmpty())
            QSKIP("the runner opened no window for this argument");
        for (const QPointer<QWidget>& window : std::as_const(opened)) {
            unnamed << unnamedControls(window);
            window->close();
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void TestAccessibility::mainWindowPicturesSayWhatTheyAre_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");
    QTest::newRow("workout") << "btnWork" << "Workout videos";
    QTest::newRow("coaching") << "btnCoaching" << "Free coaching";
    QTest::newRow("food") << "btnFood" << "Food tracker";
    QTest::newRow("telehealth") << "btnTele" << "Telehealth";
    QTest::newRow("nutritionist") << "btnNutrition" << "Free nutritionist";
    // Its picture says "1+"; what it opens is "MORE".
    QTest::newRow("more") << "btnMore" << "More";
    QTest::newRow("plus") << "btnPlus" << "Special offers";
    QTest::newRow("offer picture") << "lblProductPicture" << "Special offer video";
}

void TestAccessibility::mainWindowPicturesSayWhatTheyAre()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    MainWindow window;
    QWidget* control = window.findChild<QWidget*>(objectName);
    QVERIFY(control);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    // The keyboard reaches it.
    QVERIFY(control->focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
