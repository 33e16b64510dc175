#include "exercise/cqdlglogworkout.h"

#include "exercise/activitycatalogue.h"
#include "exercise/exercisecalories.h"
#include "exercise/exercisechanges.h"
#include "exercise/memberbodyweight.h"
#include "tracker/dayclock.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CqDlgLogWorkout::CqDlgLogWorkout(const WorkoutOffer& offer, int minutes, QWidget* parent)
    : QDialog(parent)
    , m_bodyWeight(new MemberBodyWeight(this))
    , m_cmbActivity(new QComboBox(this))
    , m_spnMinutes(new QSpinBox(this))
    , m_lblBodyWeight(new QLabel(tr("Body weight (kg)"), this))
    , m_edtBodyWeight(new QLineEdit(this))
    , m_lblBurned(new QLabel(this))
{
    setObjectName(QStringLiteral("CqDlgLogWorkout"));
    setWindowTitle(tr("Log this workout"));
    setStyleSheet(QStringLiteral(
        "#CqDlgLogWorkout { background-color: rgb(59, 58, 85); }"
        "QLabel { color: white; background: transparent; }"
        "QLineEdit, QSpinBox, QComboBox { color: white; background-color: #2B2A3D;"
        " border: 1px solid #8a89a3; border-radius: 4px; padding: 4px 6px; }"
        "QComboBox QAbstractItemView { color: white; background-color: #2B2A3D;"
        " selection-background-color: #505067; }"
        // The focus frame takes the place of a transparent border, so that the
        // focused button keeps the room of its text.
        "QPushButton { color: white; background-color: #505067; border: 2px solid transparent;"
        " border-radius: 6px; padding: 0 20px; min-height: 36px; }"
        "QPushButton:focus { border: 2px solid #EEEEF4; }"
        "QPushButton:disabled { color: #b4b4c8; background-color: #3d3c55; }"
        "QPushButton#btnLogWorkout { background-color: #B8305F; }"));
    setFont(QFont(QStringLiteral("Roboto"), 12));

    auto* question = new QLabel(
        offer.title.isEmpty() ? tr("Well done! Log this workout as exercise for today?")
                              : tr("Well done! Log \u201c%1\u201d as exercise for today?").arg(offer.title),
        this);
    question->setWordWrap(true);
    question->setFont(QFont(QStringLiteral("Roboto"), 14, QFont::Bold));

    m_cmbActivity->setObjectName(QStringLiteral("cmbActivity"));
    m_cmbActivity->setAccessibleName(tr("Activity of the workout"));
    m_cmbActivity->setPlaceholderText(tr("Choose the activity"));
    m_cmbActivity->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cmbActivity->setMinimumContentsLength(32);
    fillActivities(offer.activityCode);

    m_spnMinutes->setObjectName(QStringLiteral("spnMinutes"));
    m_spnMinutes->setAccessibleName(tr("Minutes of the workout"));
    m_spnMinutes->setRange(1, ExerciseCalories::maxMinutes);
    m_spnMinutes->setValue(minutes);

    m_edtBodyWeight->setObjectName(QStringLiteral("edtBodyWeight"));
    m_edtBodyWeight->setAccessibleName(tr("Body weight in kilograms"));
    m_lblBodyWeight->setBuddy(m_edtBodyWeight);

    m_form = new QFormLayout;
    m_form->addRow(tr("Activity"), m_cmbActivity);
    m_form->addRow(tr("Minutes"), m_spnMinutes);
    m_form->addRow(m_lblBodyWeight, m_edtBodyWeight);

    m_lblBurned->setObjectName(QStringLiteral("lblBurned"));
    m_lblBurned->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    // Named before the box takes it, so that its own style applies.
    m_btnLog = new QPushButton(tr("Log it"), this);
    m_btnLog->setObjectName(QStringLiteral("btnLogWorkout"));
    buttons->addButton(m_btnLog, QDialogButtonBox::AcceptRole);
    m_btnLog->setAccessibleName(tr("Log the workout for today"));
    QPushButton* later = buttons->addButton(tr("Not now"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("btnNotNow"));
    later->setAccessibleName(tr("Do not log the workout"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CqDlgLogWorkout::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CqDlgLogWorkout::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);
    layout->addWidget(question);
    layout->addLayout(m_form);
    layout->addWidget(m_lblBurned);
    layout->addWidget(buttons);

    connect(m_cmbActivity, &QComboBox::currentIndexChanged, this, &CqDlgLogWorkout::showBurned);
    connect(m_spnMinutes, &QSpinBox::valueChanged, this, &CqDlgLogWorkout::showBurned);
    connect(m_edtBodyWeight, &QLineEdit::textEdited, this, &CqDlgLogWorkout::showBurned);
    // The log read from the service may bring the trend while the dialog is open.
    connect(m_bodyWeight, &MemberBodyWeight::changed, this, &CqDlgLogWorkout::showBurned);
    showBurned();
    (m_cmbActivity->currentIndex() < 0 ? static_cast<QWidget*>(m_cmbActivity) : m_btnLog)->setFocus();
}

void CqDlgLogWorkout::fillActivities(const QString& code)
{
    m_activities = ExerciseStore::ownActivities();
    m_activities += ActivityCatalogue::builtIn().activities();
    // Recent activities first, as in the exercise window's list.
    const QStringList recent = ExerciseStore::recentCodes();
    std::stable_sort(m_activities.begin(), m_activities.end(), [&recent](const Activity& a, const Activity& b) {
        const qsizetype ra = recent.indexOf(a.code);
        const qsizetype rb = recent.indexOf(b.code);
        return (ra < 0 ? recent.size() : ra) < (rb < 0 ? recent.size() : rb);
    });
    for (const Activity& activity : std::as_const(m_activities))
        m_cmbActivity->addItem(activity.name, activity.code);
    m_cmbActivity->setCurrentIndex(code.isEmpty() ? -1 : m_cmbActivity->findData(code));
}

const Activity* CqDlgLogWorkout::chosenActivity() const
{
    const int index = m_cmbActivity->currentIndex();
    return index >= 0 && index < m_activities.size() ? &m_activities.at(index) : nullptr;
}

std::optional<double> CqDlgLogWorkout::bodyKg() const
{
    if (const std::optional<double> known = m_bodyWeight->kg())
        return known;
    const QString text = m_edtBodyWeight->text().trimmed();
    bool ok = false;
    double kg = QLocale().toDouble(text, &ok);
    if (!ok)
        kg = text.toDouble(&ok);
    if (!ok || kg < ExerciseCalories::minBodyKg || kg > ExerciseCalories::maxBodyKg)
        return std::nullopt;
    return kg;
}

std::optional<ExerciseEntry> CqDlgLogWorkout::entry() const
{
    const Activity* activity = chosenActivity();
    if (!activity)
        return std::nullopt;
    const std::optional<double> kg = bodyKg();
    if (!activity->isOwn() && !kg)
        return std::nullopt;
    const int minutes = m_spnMinutes->value();
    return ExerciseEntry{activity->code, activity->name, minutes,
                         ExerciseCalories::burned(*activity, kg.value_or(0), minutes)};
}

void CqDlgLogWorkout::showBurned()
{
    // The body weight is asked only while none is known.
    const bool askWeight = !m_bodyWeight->kg().has_value();
    m_form->setRowVisible(m_edtBodyWeight, askWeight);
    const std::optional<ExerciseEntry> logged = entry();
    if (!chosenActivity())
        m_lblBurned->setText(tr("Choose the activity that fits the workout best."));
    else if (!logged)
        m_lblBurned->setText(tr("Enter your body weight to see what it burns."));
    else
        m_lblBurned->setText(tr("Burns about %1 calories").arg(QLocale().toString(logged->calories)));
    m_btnLog->setEnabled(logged.has_value());
}

void CqDlgLogWorkout::accept()
{
    const std::optional<ExerciseEntry> logged = entry();
    if (!logged)
        return;
    if (!m_bodyWeight->kg()) {
        if (const std::optional<double> kg = bodyKg())
            ExerciseStore::setGivenBodyKg(*kg);
    }
    const QDate today = DayClock::today();
    if (!ExerciseStore::add(today, *logged))
        return;
    ExerciseChanges::instance()->announce(today);
    QDialog::accept();
}
