#pragma once

#include "exercise/activity.h"
#include "exercise/exercisestore.h"
#include "exercise/workoutoffer.h"

#include <QDialog>
#include <QList>

#include <optional>

class MemberBodyWeight;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The offer to log a played workout for today: the video's activity and
// minutes, both of which the member can change (an activity the video does
// not name is chosen here), and the body weight when none is known yet.
// "Log it" writes the entry through the exercise store, as the exercise
// window does, and announces the change.
class CqDlgLogWorkout final : public QDialog
{
    Q_OBJECT

public:
    CqDlgLogWorkout(const WorkoutOffer& offer, int minutes, QWidget* parent = nullptr);

    // The entry the dialog would log now; nothing while it lacks an
    // activity or a body weight.
    std::optional<ExerciseEntry> entry() const;

public slots:
    void accept() override;

private:
    void fillActivities(const QString& code);
    const Activity* chosenActivity() const;
    std::optional<double> bodyKg() const;
    void showBurned();

    QList<Activity> m_activities; // the member's own, recent first, then the built-in list
    MemberBodyWeight* m_bodyWeight;
    QFormLayout* m_form = nullptr;
    QComboBox* m_cmbActivity;
    QSpinBox* m_spnMinutes;
    QLabel* m_lblBodyWeight;
    QLineEdit* m_edtBodyWeight;
    QLabel* m_lblBurned;
    QPushButton* m_btnLog;
};
