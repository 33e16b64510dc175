#pragma once

#include "reminders/reminderschedule.h"

#include <QGroupBox>

class QCheckBox;
class QTimeEdit;

// The "Reminders" section of the settings page: each reminder on or off and
// its time, the download notice, and "Start with my session". Every change is
// kept at once in the member's store (the autostart entry on the desktop).
class CqReminderSettings final : public QGroupBox
{
    Q_OBJECT

public:
    explicit CqReminderSettings(QWidget* parent = nullptr);

private:
    void save();
    void setStartWithSession(bool on);

    QCheckBox* m_on[ReminderKind::Count] = {};
    QTimeEdit* m_time[ReminderKind::Count] = {};
    QCheckBox* m_download = nullptr;
    QCheckBox* m_session = nullptr;
};
