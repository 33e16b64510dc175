#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CqDlgSignUp;
}
class QtMaterialCircularProgress;
class QtMaterialSnackbar;
class ReplyDeadline;
class Server;

// Creates an account. The form is checked on the client first; a successful
// registration leaves the dialog open with a message, and the member then
// signs in through the login dialog (nothing is remembered here).
class CqDlgSignUp final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgSignUp(QWidget* parent = nullptr);
    ~CqDlgSignUp() override;

    QtMaterialSnackbar* messageBar() const { return m_bar; }

private slots:
    void on_btnClose_clicked();
    void on_btnLogin_clicked();
    void on_btnSignUp_clicked();
    void on_btnTerms_clicked();

    void slt_net_signup(QString text);
    void slt_net_error(QString text);

private:
    void setBusy(bool on);

    std::unique_ptr<Ui::CqDlgSignUp> m_ui;
    Server* m_server;
    ReplyDeadline* m_deadline;
    QtMaterialSnackbar* m_bar;
    QtMaterialCircularProgress* m_busyIndicator;
};
