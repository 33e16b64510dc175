#pragma once

#include "demosession.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class MainWindow;
class QDialog;
class RepaintClock;
class QWidget;

// Every window and dialog of the client in a realistic state, against the
// demo member of an in-process olva-server: the pictures of scripts/screens.sh
// and the windows the readability test reads.
//
// A shot has a name (the picture's file stem, "store-workout-cart") and
// brings its window into its state the way a member would, from whatever
// state the shots before it left. Then it hands the window to the capture
// callback: the top-level widget the shot is about, a dialog with the main
// window behind it, say. Modal dialogs are captured from inside their own
// event loop, then closed or led on to the next dialog of the flow.
//
//     Gallery gallery;
//     if (!gallery.start()) ...
//     for (const QString& name : Gallery::shotNames()) {
//         const QString failed = gallery.take(name, [](QWidget* window) { ... });
//         if (!failed.isEmpty()) qWarning() << name << "stopped at" << failed;
//     }
//
// One Gallery per process: it signs the member in and keeps the process's
// one main window.
class Gallery final
{
public:
    using Capture = std::function<void(QWidget* window)>;

    Gallery();
    ~Gallery();

    // Keeps this process away from the member's own settings and files,
    // starts the demo server (files sent slowly, so a download shows its
    // progress) and points the client at it. Call once, after QApplication.
    bool start();

    static QStringList shotNames();

    // Takes shot `name`: empty when `capture` ran, otherwise the step at
    // which the shot stopped (the window is then left as it was, any dialog
    // of the shot closed).
    QString take(const QString& name, const Capture& capture);

    // Every text the demo server keeps (product titles, member names,
    // offers...): what a window shows of these is the service's data, shown
    // as sent, in whatever language it was written.
    QSet<QString> serviceTexts();

private:
    struct Shot
    {
        QString name;
        std::function<bool(Gallery*)> run;
    };
    static const QList<Shot>& shots();

    // A modal dialog of a flow: `act` runs on it from inside its event loop
    // once it is the active modal dialog named `dialog`; it returns false
    // to be asked again (the dialog is not ready yet).
    struct Modal
    {
        QString dialog;
        std::function<bool(QDialog*)> act;
    };

    // Steps: false (and the step's name kept) when `ok` is false.
    bool step(const QString& name, bool ok);
    bool waitFor(const QString& name, const std::function<bool()>& condition,
                 int timeoutMs = 15000);
    // Runs `trigger` (a click that opens a modal dialog, usually blocking
    // in its exec()) and answers the dialogs of `modals` in order.
    bool runModals(const QString& name, const std::function<void()>& trigger,
                   const QList<Modal>& modals);
    // Waits until no reply is on its way and no busy overlay shows, then
    // lets the layouts settle.
    void settle();
    // Whether the demo server is still sending a file (a picture, a video).
    bool filesOnTheirWay();
    // Settles and hands `window` to the capture callback.
    bool shoot(QWidget* window);
    // A modal answer that shoots the dialog of class `dialog` and closes it.
    Modal shotOf(const QString& dialog);
    void cleanUp();

    bool signedIn();
    MainWindow* mainWindow();
    QWidget* activeFeature();
    template <typename T> T* activeFeatureAs() { return qobject_cast<T*>(activeFeature()); }
    bool click(const QString& stepName, QWidget* parent, const QString& childName);

    // The shots.
    bool login();
    bool loginCode();
    bool signUp();
    bool terms();
    bool forgotPassword();
    bool newPassword();
    bool mainWithOffer();
    bool messageBar();
    bool dailyTarget();
    // The meal with foods chosen in two categories, one category open and a
    // food of the member's own typed in; scrolled to that food's fields
    // when `addFood`.
    bool tracker(bool addFood);
    bool trackerSample();
    bool trackerSearch();
    bool plannerHome();
    bool dailyScore();
    bool dailyGrade();
    bool settings();
    bool settingsReminders();
    bool history();
    bool historyDetails();
    bool weight();
    bool exercise();
    bool exerciseEarlierDay();
    bool storeShot(int category, int what);
    bool programVideos();
    bool libraryProgramVideos();
    bool download();
    bool downloadPaused();
    bool player();
    bool workoutOffer();
    bool servicesList(int categoryTab, int serviceTab);
    bool serviceDetails();
    bool serviceSchedule();
    bool serviceSkype();
    bool serviceAppoint();
    bool serviceComplete();
    bool community(const char* button, const char* dialog);
    bool inviteReminder();
    bool inviteConfirm();

    // Helpers of the shots.
    bool openPlannerHome();
    bool openTracker(int meal);
    bool openSettings();
    bool openHistory();
    class CqWndProduct* openStore(int category);
    class CqWndItems* showStoreList(class CqWndProduct* store, int categoryTab, int productTab);
    class CqWndService* openServices();
    class CqWndServiceItem* showServiceList(int categoryTab, int serviceTab);
    class CqWndItems* openProgramList(bool fromLibrary);
    class CqWndVideoDownLoad* openDownload();
    bool checkoutTo(int category, bool card);
    bool buyTo(int category, bool question);

    DemoSession m_demo;
    MainWindow* m_main = nullptr;
    bool m_signedIn = false;
    Capture m_capture;
    bool m_captured = false;
    QString m_failedStep;
    std::unique_ptr<QObject> m_urlSink;
    std::unique_ptr<RepaintClock> m_repaints;
};
