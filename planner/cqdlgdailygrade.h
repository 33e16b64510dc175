#pragma once

#include <QDialog>

namespace Ui {
class CqDlgDailyGrade;
}

// Explains the grade scale of the planner home's "Daily Grade" row.
class CqDlgDailyGrade final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgDailyGrade(QWidget* parent = nullptr);
    ~CqDlgDailyGrade() override;

private slots:
    void on_btnOk_clicked();

private:
    Ui::CqDlgDailyGrade* m_ui;
};
