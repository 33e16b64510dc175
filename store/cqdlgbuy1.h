#pragma once

#include <QDialog>
#include <QJsonObject>

#include <memory>

namespace Ui {
class CqDlgBuy;
}
class ReplyDeadline;
class Server;

// Puts a live service (its JSON object from the service list) into the
// member's service cart. Accepted once the entry is in the cart.
class CqDlgBuy1 final : public QDialog
{
    Q_OBJECT

public:
    CqDlgBuy1(const QJsonObject& service, QWidget* parent = nullptr);
    ~CqDlgBuy1() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
    void slt_net_checkout(QString reply);
    void slt_net_error(QString message);

private:
    std::unique_ptr<Ui::CqDlgBuy> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QJsonObject m_service;
    bool m_sent = false;
};
