#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgConfirmInvite;
}

// Tells the member how to invite a friend: "OK" accepts, "CANCEL" rejects.
class CqDlgConfirmInvite final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgConfirmInvite(QWidget* parent = nullptr);
    ~CqDlgConfirmInvite() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

private:
    std::unique_ptr<Ui::CqDlgConfirmInvite> m_ui;
};
