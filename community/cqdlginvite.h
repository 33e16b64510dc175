#pragma once

#include <QDialog>

#include <memory>

class ListStatus;
class Server;
struct FriendEntry;

namespace Ui {
class CqDlgInvite;
}

// The member's friends list (mode 1: people who joined) or invitation list
// (mode 0: people invited who have not joined yet), one row per person.
class CqDlgInvite final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgInvite(int mode, QWidget* parent = nullptr);
    ~CqDlgInvite() override;

    int mode() const { return m_mode; }

private slots:
    void on_btnOk_clicked();
    void slt_net_friends(QString reply);
    void slt_net_error(QString message);

private:
    void addRow(const FriendEntry& entry);

    std::unique_ptr<Ui::CqDlgInvite> m_ui;
    int m_mode;
    Server* m_server;
    ListStatus* m_status;
};
