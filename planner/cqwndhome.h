#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QLabel;
class QtMaterialFlatButton;
class QtMaterialIconButton;
class Server;

namespace Ui {
class CqWndHome;
}

// The meal planner's start page: the daily target and remaining calories,
// the six meals with their calories (a star when a meal is within its share
// of the day, a red title when it takes more than 0.4 of it), the daily score
// and grade. A meal row opens the tracker for that meal. The main window keeps
// one home and refreshes it each time it is shown. The home also fetches,
// once per construction, the sample meals the tracker's sample dialog shows.
class CqWndHome final : public QWidget
{
    Q_OBJECT

public:
    explicit CqWndHome(QWidget* parent = nullptr);
    ~CqWndHome() override;

    // Shows the day store's figures, score, grade and stars. Does nothing
    // while no daily target is set.
    void refresh();

    // The title colour of a meal that takes too large a share of the day.
    static QColor tooLargeColour();

signals:
    void sig_totalCalories_updated(QString);
    void sig_remainCalories_updated(QString);
    void sig_exercise_updated(QString);
    void sig_remainWithExercise_updated(QString);

public slots:
    void slt_totalCalories_updated();

private slots:
    void on_btnSetting_clicked();
    void on_btnWeight_clicked();
    void widgetClicked();
    void slt_net_samplelist(QString reply, int meal);

private:
    void buildRows();
    // `spoken` is what a screen reader says before the value.
    QWidget* headerRow(const QString& caption, const QString& spoken, const QString& name,
                       void (CqWndHome::*update)(QString), QLabel** captionLabel = nullptr);
    // The day's exercise: calories burned, and the remaining calories with
    // the member's share of them counted.
    void showExercise();
    QtMaterialFlatButton* rowButton(const QString& text, const QColor& background, const QString& name);
    QtMaterialIconButton* iconButton(const QString& picture, const QString& name, const QString& accessibleName);
    void addSummaryRow(const QString& name, const QString& caption, QtMaterialFlatButton*& value);
    void openFirstUseTarget();

    Ui::CqWndHome* m_ui;
    Server* m_server;
    std::array<QtMaterialFlatButton*, 6> m_mealTitleButtons{};
    std::array<QtMaterialFlatButton*, 6> m_mealValueButtons{};
    std::array<QtMaterialIconButton*, 6> m_mealStars{};
    QtMaterialFlatButton* m_scoreValue = nullptr;
    QtMaterialFlatButton* m_gradeValue = nullptr;
    QLabel* m_exerciseCaption = nullptr;
};
