#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgLogin;
}
class QtMaterialCircularProgress;
class QtMaterialSnackbar;
class ReplyDeadline;
class Server;

// Signs a member in. A computer the service does not know yet is confirmed
// with the mailed code (CqDlgPin) and its device token registered; only after
// the token registration is answered are the credentials remembered and the
// dialog accepted. Mode "verify" starts the confirmation at once for the
// remembered member.
class CqDlgLogin final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgLogin(const QString& mode = QString(), QWidget* parent = nullptr);
    ~CqDlgLogin() override;

    // The message bar, also lent to the dialogs opened from here.
    QtMaterialSnackbar* messageBar() const { return m_bar; }

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_btnLogin_clicked();
    void on_btnClose_clicked();
    void on_btnSignUp_clicked();
    void on_btnForgot_clicked();

    void slt_net_error(QString text);
    void slt_net_login(QString text);
    void slt_net_token(QString text);
    void slt_net_verify(QString text);

private:
    void setBusy(bool on);
    void sendSignIn();
    void sendVerifyDevice();
    void sendRegisterToken();
    // Shows the wait of a "too many attempts" reply and returns to Idle;
    // false when the reply is not one.
    bool showLimit(const QString& replyText);

    std::unique_ptr<Ui::CqDlgLogin> m_ui;
    Server* m_server;
    // A step the server never answers must not leave the form disabled.
    ReplyDeadline* m_deadline;
    QtMaterialSnackbar* m_bar;
    QtMaterialCircularProgress* m_busyIndicator;
    // Whether a sign-in reply has brought the member's details, and whether
    // the sign-in after a code registration has been sent already.
    bool m_detailsReceived = false;
    bool m_signInRepeated = false;
    // Verify mode sends verifyDevice once the dialog is shown.
    bool m_verifyOnShow = false;
    // The mailed code as the member typed it; sent with the registration.
    QString m_typedCode;
    // The verify reply carried the code and the code dialog checked it: the
    // registration's answer then no longer judges the code.
    bool m_codeCheckedHere = false;
};
