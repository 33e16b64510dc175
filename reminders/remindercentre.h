#pragma once

#include <QObject>
#include <QPointer>

class DesktopNotifier;
class QSystemTrayIcon;
class QWidget;
class ReminderService;
class WeightLog;

// The signed-in member's reminders on the desktop: the notifications and what
// clicking them opens, the tray icon where the desktop has a tray, and the
// notice of a finished download while the client is in the background.
class ReminderCentre final : public QObject
{
    Q_OBJECT

public:
    // Started once the member is signed in.
    static ReminderCentre* start(QObject* parent);
    // Null before start().
    static ReminderCentre* instance();

    bool hasTray() const { return m_tray != nullptr; }
    // "Your download has finished" for the file `title`, unless the client
    // is the application in front or the member has not asked for it.
    void downloadFinished(const QString& title, const QString& path);
    // Opens the window of a notification target.
    void open(const QString& target);

    // The planner home offers reminders once in the member's first week.
    static void offerOnce(QWidget* home);

private:
    explicit ReminderCentre(QObject* parent);
    void createTray();
    void refreshWeights();
    bool todayHasWeight() const;

    DesktopNotifier* m_notifier;
    ReminderService* m_service;
    QSystemTrayIcon* m_tray = nullptr;
    WeightLog* m_weights = nullptr;
    bool m_weightsRead = false;
    QString m_lastDownloadPath;
};
