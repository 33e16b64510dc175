#pragma once

#include <QDialog>

namespace Ui {
class CqDlgSample;
}

// The sample meals of one meal kind, as the planner home fetched them. A list
// view rather than a label per title, so thousands of samples stay smooth;
// each entry is 50 high, centred, with a white line between two entries.
class CqDlgSample final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgSample(int meal, QWidget* parent = nullptr);
    ~CqDlgSample() override;

private slots:
    void on_btnClose_clicked();

private:
    Ui::CqDlgSample* m_ui;
};
