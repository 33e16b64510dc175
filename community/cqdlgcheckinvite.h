#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgCheckInvite;
}

// The reminder to invite workout friends, worded for members with no
// friends yet or with a few: "YES" accepts, "NO" rejects.
class CqDlgCheckInvite final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgCheckInvite(int joinedFriends, QWidget* parent = nullptr);
    ~CqDlgCheckInvite() override;

private slots:
    void on_btnYes_clicked();
    void on_btnNo_clicked();

private:
    std::unique_ptr<Ui::CqDlgCheckInvite> m_ui;
};
