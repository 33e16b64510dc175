#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class CqDlgPassword;
}
class QtMaterialSnackbar;
class ReplyDeadline;
class Server;

// Second step of recovering a forgotten password: the member types the mailed
// code and a new password. When the service sent the code back it is checked
// here, before the passwords; the new password is then sent for the current
// e-mail with the typed code, which the service checks too.
class CqDlgPassword final : public QDialog
{
    Q_OBJECT

public:
    CqDlgPassword(QtMaterialSnackbar* bar, const QString& code, QWidget* parent = nullptr);
    ~CqDlgPassword() override;

private slots:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();

    void slt_net_password(QString text);

private:
    std::unique_ptr<Ui::CqDlgPassword> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QPointer<QtMaterialSnackbar> m_bar; // the login dialog's
    QString m_code;
};
