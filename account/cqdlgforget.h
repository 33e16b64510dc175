#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class CqDlgForget;
}
class QtMaterialSnackbar;
class ReplyDeadline;
class Server;

// First step of recovering a forgotten password: asks the service to mail a
// code to the given e-mail. A service that also returns that code has it
// handed on to CqDlgPassword by code() (empty otherwise). Accepting makes the
// e-mail the current one.
class CqDlgForget final : public QDialog
{
    Q_OBJECT

public:
    CqDlgForget(QtMaterialSnackbar* bar, QWidget* parent = nullptr);
    ~CqDlgForget() override;

    // The code the service sent; empty until a successful reply.
    QString code() const { return m_code; }

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

    void slt_net_forgot(QString text);
    void slt_net_error(QString text);

private:
    void setControlsEnabled(bool enabled);

    std::unique_ptr<Ui::CqDlgForget> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QPointer<QtMaterialSnackbar> m_bar; // the login dialog's
    QString m_code;
};
