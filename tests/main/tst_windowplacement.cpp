#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "testenvironment.h"
#include "widgets/mywidget.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

// The visible top-level window of class `className`, if any.
QWidget* shownWindow(const QString& className)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && QString::fromLatin1(widget->metaObject()->className()) == className)
            return widget;
    }
    return nullptr;
}

} // namespace

// Dialogs and secondary windows open centred over the main window and are
// kept above it, on a screen big enough for every one of them.
class TestWindowPlacement final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void opensOverTheMainWindow_data();
    void opensOverTheMainWindow();

private:
    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
};

void TestWindowPlacement::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    loadingWindow = new CqWndLoading;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(screen.size(), QSize(1920, 1080));
    AccountState::recordScreenSize(screen.width(), screen.height());
    registerFeatureWindows();
    // Only the settings window is needed inside the main window.
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    m_main = std::make_unique<MainWindow>();
    // Away from the screen's centre, where a window without owner would land.
    m_main->setGeometry(QRect(560, 300, 1240, 740));
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestWindowPlacement::cleanup()
{
    TestEnvironment::closeModals();
}

void TestWindowPlacement::opensOverTheMainWindow_data()
{
    QTest::addColumn<QString>("button"); // a main-window button or settings entry; empty: run `kind`
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("argument");
    QTest::addColumn<QString>("window");

    using Kind = DialogFactory::Kind;
    for (const auto& [button, window] : {std::pair{"btnMore", "CqDlgFaq"}, {"btnAbout", "CqDlgAboutUs"},
                                         {"btnContact", "CqDlgAboutUs"}, {"btnFriend", "CqDlgInvite"},
                                         {"btnInvite", "CqDlgInvite"}, {"btnPlus", "CqDlgSpecials"},
                                         {"wdgTerms", "CqDlgTerms"}, {"wdgTotal", "CqWndTotalCalories"}})
        QTest::newRow(button) << button << 0 << 0 << window;
    QTest::newRow("friends reminder") << "" << int(Kind::CheckInvite) << 2 << "CqDlgCheckInvite";
    QTest::newRow("invite confirmation") << "" << int(Kind::ConfirmInvite) << 0 << "CqDlgConfirmInvite";
    QTest::newRow("sample meals") << "" << int(Kind::Sample) << 2 << "CqDlgSample";
}

void TestWindowPlacement::opensOverTheMainWindow()
{
    QFETCH(QString, button);
    QFETCH(int, kind);
    QFETCH(int, argument);
    QFETCH(QString, window);

    QRect frame;
    QWindow* kept = nullptr;
    QPointer<QWidget> opened;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY((opened = shownWindow(window)));
        frame = opened->frameGeometry();
        kept = opened->windowHandle() ? opened->windowHandle()->transientParent() : nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(opened.data()))
            dialog->reject();
    });
    if (button.startsWith(QLatin1String("wdg"))) {
        m_main->showSettings();
        auto* settings = m_main->findChild<QMdiArea*>()->activeSubWindow()->widget();
        QTest::mouseClick(settings->findChild<MyWidget*>(button), Qt::LeftButton);
    } else if (!button.isEmpty()) {
        m_main->findChild<QPushButton*>(button)->click();
    } else {
        DialogFactory::run(DialogFactory::Kind(kind), argument);
    }
    QTRY_VERIFY(frame.isValid());
    delete opened.data(); // the daily target window stays open by itself

    QCOMPARE(kept, m_main->windowHandle());
    const QPoint offCentre = frame.center() - m_main->frameGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2 off centre").arg(offCentre.x()).arg(offCentre.y())));
}

int main(int argc, char** argv)
{
    // One 1920x1080 screen: every dialog fits over the main window.
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens":[{"name":"main","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestWindowPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowplacement.moc"
