#include "account/cqdlgsignup.h"

#include "account/accountchecks.h"
#include "account/accountlook.h"
#include "account/accountreplies.h"
#include "account/cqdlgterms.h"
#include "app/server.h"
#include "app/servicemessages.h"
#include "app/utils.h"
#include "main/replydeadline.h"
#include "main/windowplacement.h"
#include "ui_cqdlgsignup.h"

#include <QPointer>

namespace {
enum Endpoint { SignUp = 4 };
} // namespace

CqDlgSignUp::CqDlgSignUp(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgSignUp>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, false);
    m_ui->lblLogo->setPixmap(AccountLook::logo(m_ui->lblLogo->maximumWidth()));
    m_ui->btnClose->setIcon(AccountLook::closeIcon());

    connect(m_server, SIGNAL(sig_net_signup(QString)), this, SLOT(slt_net_signup(QString)));
    // A failed request must not leave the form disabled with no way out.
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));

    m_bar = AccountLook::createMessageBar(this);
    // An unanswered request must not keep the form, close button too, disabled.
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        setBusy(false);
        Utils::instance()->showMessage(m_bar, AccountLook::noAnswerText());
    });
    m_busyIndicator = AccountLook::createBusyIndicator(m_ui->widgetLoading);
    setBusy(false);
}

CqDlgSignUp::~CqDlgSignUp() = default;

void CqDlgSignUp::setBusy(bool on)
{
    m_ui->widgetLoading->setVisible(on);
    m_ui->lblLogo->setVisible(!on);
    // The terms stay readable while the request runs.
    for (QWidget* control : {static_cast<QWidget*>(m_ui->btnClose), static_cast<QWidget*>(m_ui->btnLogin),
                             static_cast<QWidget*>(m_ui->btnSignUp), static_cast<QWidget*>(m_ui->chkPolicy),
                             static_cast<QWidget*>(m_ui->edtName), static_cast<QWidget*>(m_ui->edtEmail),
                             static_cast<QWidget*>(m_ui->edtPassword), static_cast<QWidget*>(m_ui->edtConfirm)})
        control->setDisabled(on);
    if (!on)
        m_deadline->stop();
}

void CqDlgSignUp::on_btnClose_clicked()
{
    reject();
}

void CqDlgSignUp::on_btnLogin_clicked()
{
    accept();
}

void CqDlgSignUp::on_btnSignUp_clicked()
{
    using AccountChecks::SignUpField;
    const AccountChecks::SignUpProblem problem = AccountChecks::checkSignUp(
        m_ui->edtName->text(), m_ui->edtEmail->text(), m_ui->edtPassword->text(),
        m_ui->edtConfirm->text(), m_ui->chkPolicy->isChecked());

    if (problem.field != SignUpField::None) {
        Utils::instance()->showMessage(m_bar, problem.message);
        switch (problem.field) {
        case SignUpField::Name:
            m_ui->edtName->setFocus();
            break;
        case SignUpField::Email:
            m_ui->edtEmail->setFocus();
            break;
        case SignUpField::Password:
            m_ui->edtPassword->setFocus();
            break;
        case SignUpField::Confirm:
            m_ui->edtConfirm->setFocus();
            break;
        case SignUpField::Policy:
        case SignUpField::None:
            break;
        }
        return;
    }

    setBusy(true);
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), m_ui->edtEmail->text());
    fields.addQueryItem(QStringLiteral("password"), m_ui->edtPassword->text());
    fields.addQueryItem(QStringLiteral("username"), m_ui->edtName->text());
    m_deadline->start();
    m_server->request(SignUp, fields);
}

void CqDlgSignUp::on_btnTerms_clicked()
{
    // A window of its own, not tied to this dialog (its style sheet would
    // reach a child), yet opened over it.
    CqDlgTerms terms(nullptr);
    WindowPlacement::keepOver(&terms, this);
    terms.exec();
}

void CqDlgSignUp::slt_net_signup(QString text)
{
    setBusy(false);
    // Only a readable success is one; anything else is reported as an error.
    if (AccountReplies::resultCode(text) == 0)
        Utils::instance()->showMessage(m_bar, tr("Register Successes"));
    else
        Utils::instance()->showMessage(m_bar, ServiceMessages::known(QStringLiteral("signup"), -1));
}

void CqDlgSignUp::slt_net_error(QString)
{
    // Nothing is shown for a failed request; the member may send again.
    setBusy(false);
}
