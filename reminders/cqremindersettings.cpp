#include "reminders/cqremindersettings.h"

#include "app/accountstate.h"
#include "reminders/autostart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLocale>
#include <QTimeEdit>

namespace {

QString labelFor(int id)
{
    switch (id) {
    case ReminderKind::Breakfast:
        return CqReminderSettings::tr("Remind me to log breakfast at");
    case ReminderKind::Lunch:
        return CqReminderSettings::tr("Remind me to log lunch at");
    case ReminderKind::Dinner:
        return CqReminderSettings::tr("Remind me to log dinner at");
    default:
        return CqReminderSettings::tr("Remind me to weigh in at");
    }
}

QString timeNameFor(int id)
{
    switch (id) {
    case ReminderKind::Breakfast:
        return CqReminderSettings::tr("Breakfast reminder time");
    case ReminderKind::Lunch:
        return CqReminderSettings::tr("Lunch reminder time");
    case ReminderKind::Dinner:
        return CqReminderSettings::tr("Dinner reminder time");
    default:
        return CqReminderSettings::tr("Weigh-in reminder time");
    }
}

} // namespace

CqReminderSettings::CqReminderSettings(QWidget* parent)
    : QGroupBox(tr("Reminders"), parent)
{
    setObjectName(QStringLiteral("grpReminders"));
    setAccessibleName(tr("Reminders"));
    setStyleSheet(QStringLiteral(
        "#grpReminders { background-color: rgba(47, 46, 70, 220); border-radius: 8px;"
        " color: white; font-size: 16pt; margin-top: 8px; padding: 30px 16px 10px 16px; }"
        "#grpReminders::title { subcontrol-origin: padding; left: 16px; top: 6px; }"
        "QCheckBox { color: white; font-size: 12pt; background: transparent; spacing: 10px; }"
        // The box must show on the dark panel whether ticked or not.
        "QCheckBox::indicator { width: 16px; height: 16px; border: 2px solid white;"
        " border-radius: 3px; background: transparent; }"
        "QCheckBox::indicator:checked { background: #3ec1a8; border-color: white; }"
        "QCheckBox::indicator:disabled { border-color: #9a99b0; }"
        "QTimeEdit { font-size: 12pt; color: black; background: white; }"));

    const ReminderSettings settings = ReminderSettings::load();
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    for (int id = 0; id < ReminderKind::Count; ++id) {
        m_on[id] = new QCheckBox(labelFor(id), this);
        m_on[id]->setObjectName(QStringLiteral("chkReminder_%1").arg(ReminderKind::key(id)));
        m_on[id]->setAccessibleName(labelFor(id));
        m_on[id]->setChecked(settings.enabled[id]);
        m_time[id] = new QTimeEdit(settings.time[id], this);
        m_time[id]->setObjectName(QStringLiteral("timeReminder_%1").arg(ReminderKind::key(id)));
        m_time[id]->setAccessibleName(timeNameFor(id));
        // Hours and minutes as the member's locale writes them; no seconds.
        QString format = QLocale().timeFormat(QLocale::ShortFormat);
        m_time[id]->setDisplayFormat(format.remove(QLatin1String(":ss")));
        m_time[id]->setEnabled(settings.enabled[id]);
        // Two reminders a row: breakfast and lunch, dinner and weigh-in.
        grid->addWidget(m_on[id], id / 2, (id % 2) * 2);
        grid->addWidget(m_time[id], id / 2, (id % 2) * 2 + 1);
        connect(m_on[id], &QCheckBox::toggled, m_time[id], &QWidget::setEnabled);
        connect(m_on[id], &QCheckBox::toggled, this, &CqReminderSettings::save);
        connect(m_time[id], &QTimeEdit::timeChanged, this, &CqReminderSettings::save);
    }
    m_download = new QCheckBox(tr("Tell me when a download has finished"), this);
    m_download->setObjectName(QStringLiteral("chkReminder_download"));
    m_download->setAccessibleName(m_download->text());
    m_download->setChecked(settings.downloadFinished);
    connect(m_download, &QCheckBox::toggled, this, &CqReminderSettings::save);
    grid->addWidget(m_download, 2, 0, 1, 2);

    m_session = new QCheckBox(tr("Start with my session"), this);
    m_session->setObjectName(QStringLiteral("chkStartWithSession"));
    m_session->setAccessibleName(m_session->text());
    m_session->setToolTip(tr("OLVA starts in the tray when you log in to your desktop, so that "
                             "your reminders arrive."));
    m_session->setChecked(Autostart::isEnabled());
    connect(m_session, &QCheckBox::toggled, this, &CqReminderSettings::setStartWithSession);
    grid->addWidget(m_session, 2, 2, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
}

void CqReminderSettings::save()
{
    ReminderSettings settings;
    for (int id = 0; id < ReminderKind::Count; ++id) {
        settings.enabled[id] = m_on[id]->isChecked();
        settings.time[id] = m_time[id]->time();
    }
    settings.downloadFinished = m_download->isChecked();
    settings.save();
}

void CqReminderSettings::setStartWithSession(bool on)
{
    const bool done = on ? Autostart::enable(QCoreApplication::applicationFilePath())
                         : Autostart::disable();
    if (done)
        return;
    // Shows what the desktop will really do.
    const QSignalBlocker blocker(m_session);
    m_session->setChecked(Autostart::isEnabled());
}
