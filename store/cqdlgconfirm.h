#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgConfirm;
}

// A yes/no question of the library: mode 0 asks before deleting a video,
// mode 1 before cancelling a subscription; or any question with its title.
// 1 means confirmed.
class CqDlgConfirm final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgConfirm(int mode, QWidget* parent = nullptr);
    CqDlgConfirm(const QString& title, const QString& question, QWidget* parent = nullptr);
    ~CqDlgConfirm() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgConfirm> m_ui;
};
