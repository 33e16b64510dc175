#pragma once

#include <QDialog>

namespace Ui {
class CqDlgDailyScore;
}

// The day's carbohydrates, fat, protein and fibre, summed over the six meals
// of the day store.
class CqDlgDailyScore final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgDailyScore(QWidget* parent = nullptr);
    ~CqDlgDailyScore() override;

private slots:
    void on_btnOk_clicked();

private:
    Ui::CqDlgDailyScore* m_ui;
};
