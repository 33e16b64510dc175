#include "reminders/remindercentre.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "main/mainwindow.h"
#include "reminders/desktopnotifier.h"
#include "reminders/reminderservice.h"
#include "tracker/dayclock.h"
#include "video/cqwndvideodownload.h"
#include "weight/weightlog.h"

#include <algorithm>

#include <QApplication>
#include <QDate>
#include <QTime>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

QPointer<ReminderCentre> centre;

const QString offeredKey = QStringLiteral("reminder_offered");
const QString firstSeenKey = QStringLiteral("reminder_firstseen");

// The tracker the member most likely wants at this hour.
int mealOfTheHour()
{
    const int hour = QTime::currentTime().hour();
    return hour < 11 ? 0 : hour < 16 ? 2 : 4;
}

void bringMainWindowForward()
{
    MainWindow* window = MainWindow::instance();
    if (window->isHidden() || window->isMinimized())
        window->showMaximized();
    window->raise();
    window->activateWindow();
}

} // namespace

ReminderCentre* ReminderCentre::start(QObject* parent)
{
    if (!centre)
        centre = new ReminderCentre(parent);
    return centre;
}

ReminderCentre* ReminderCentre::instance()
{
    return centre;
}

ReminderCentre::ReminderCentre(QObject* parent)
    : QObject(parent)
    , m_notifier(new DesktopNotifier(this))
    , m_service(new ReminderService(m_notifier, this))
{
    connect(m_notifier, &DesktopNotifier::activated, this, &ReminderCentre::open);
    m_service->setTodayHasWeight([this] {
        if (!m_weights)
            refreshWeights(); // turned on since the last look
        return todayHasWeight();
    });
    // The weigh-in asks the service for the day's weights: read them now and
    // then while it is on, so that a weight logged elsewhere counts.
    refreshWeights();
    auto* refresher = new QTimer(this);
    refresher->setInterval(15 * 60 * 1000);
    connect(refresher, &QTimer::timeout, this, &ReminderCentre::refreshWeights);
    refresher->start();
    if (QSystemTrayIcon::isSystemTrayAvailable())
        createTray();
    // Reminders due at the start come once the window is up.
    QTimer::singleShot(0, m_service, &ReminderService::check);
}

void ReminderCentre::refreshWeights()
{
    if (currentEmail.isEmpty() || !ReminderSettings::load().enabled[ReminderKind::WeighIn])
        return;
    if (!m_weights) {
        m_weights = new WeightLog(currentEmail, this);
        // Read or not (offline), the weigh-in no longer waits for the list.
        connect(m_weights, &WeightLog::changed, this, [this] { m_weightsRead = true; });
        connect(m_weights, &WeightLog::failed, this, [this] { m_weightsRead = true; });
    }
    m_weights->refresh();
}

bool ReminderCentre::todayHasWeight() const
{
    // Until the list has been asked for, the weigh-in waits: it is due again
    // at the next look, and a member who weighed in is not told to.
    if (!m_weights || !m_weightsRead)
        return true;
    const QDate today = DayClock::today();
    const QList<WeightEntry> entries = m_weights->entries();
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const WeightEntry& entry) { return entry.date == today; });
}

void ReminderCentre::createTray()
{
    m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_tray->setToolTip(tr("OLVA Weight Loss"));
    auto* menu = new QMenu;
    connect(this, &QObject::destroyed, menu, &QObject::deleteLater);
    menu->addAction(tr("Open tracker"), this, [] {
        bringMainWindowForward();
        MainWindow::instance()->showTracker(mealOfTheHour());
    });
    menu->addAction(tr("Log weight"), this, [] {
        bringMainWindowForward();
        MainWindow::instance()->showWeight();
    });
    menu->addAction(tr("Log exercise"), this, [] {
        bringMainWindowForward();
        MainWindow::instance()->showExercise();
    });
    menu->addSeparator();
    menu->addAction(tr("Quit"), qApp, &QCoreApplication::quit);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger)
            bringMainWindowForward();
    });
    m_tray->show();
}

void ReminderCentre::downloadFinished(const QString& title, const QString& path)
{
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        return;
    if (currentEmail.isEmpty() || !ReminderSettings::load().downloadFinished)
        return;
    m_lastDownloadPath = path;
    m_notifier->notify(tr("Your download has finished"), title, ReminderService::downloadTarget());
}

void ReminderCentre::open(const QString& target)
{
    bringMainWindowForward();
    MainWindow* window = MainWindow::instance();
    if (target == ReminderService::weightTarget()) {
        window->showWeight();
    } else if (target.startsWith(QLatin1String("tracker:"))) {
        bool ok = false;
        const int meal = target.mid(8).toInt(&ok);
        if (ok && meal >= 0 && meal < 6)
            window->showTracker(meal);
    } else if (target == ReminderService::downloadTarget()) {
        // The download window, while it still tells the service; once done,
        // the library that now holds the video.
        if (CqWndVideoDownLoad* download = CqWndVideoDownLoad::windowFor(m_lastDownloadPath)) {
            download->showNormal();
            download->raise();
            download->activateWindow();
        } else {
            window->showLibrary();
        }
    }
}

void ReminderCentre::offerOnce(QWidget* home)
{
    if (currentEmail.isEmpty() || SettingsStore::memberInt(offeredKey) == 1)
        return;
    const QDate today = DayClock::today();
    QDate firstSeen = QDate::fromString(SettingsStore::memberText(firstSeenKey), Qt::ISODate);
    if (!firstSeen.isValid()) {
        firstSeen = today;
        SettingsStore::setMemberText(firstSeenKey, today.toString(Qt::ISODate));
    }
    // Offered once, and only in the first week: later it would be a nag.
    if (ReminderSettings::load().anyOn() || firstSeen.daysTo(today) > 6
        || firstSeen.daysTo(today) < 0) {
        SettingsStore::setMemberInt(offeredKey, 1);
        return;
    }
    SettingsStore::setMemberInt(offeredKey, 1);
    auto* box = new QMessageBox(QMessageBox::Question, tr("Reminders"),
                                tr("Would you like a reminder to log your meals and to weigh in? "
                                   "You can change them in Settings at any time."),
                                QMessageBox::NoButton, home);
    box->setObjectName(QStringLiteral("dlgReminderOffer"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QPushButton* yes = box->addButton(tr("Set up reminders"), QMessageBox::AcceptRole);
    yes->setObjectName(QStringLiteral("btnSetUpReminders"));
    yes->setAccessibleName(yes->text());
    QPushButton* no = box->addButton(tr("Not now"), QMessageBox::RejectRole);
    no->setObjectName(QStringLiteral("btnNotNow"));
    no->setAccessibleName(no->text());
    connect(yes, &QPushButton::clicked, box, [] { MainWindow::instance()->showSettings(); });
    box->show();
}
