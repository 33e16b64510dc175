#include "account/cqdlglogin.h"

#include "account/accountlook.h"
#include "account/accountreplies.h"
#include "account/cqdlgforget.h"
#include "account/cqdlgpassword.h"
#include "account/cqdlgpin.h"
#include "account/cqdlgsignup.h"
#include "app/accountstate.h"
#include "app/server.h"
#include "app/servicemessages.h"
#include "app/utils.h"
#include "main/replydeadline.h"
#include "ui_cqdlglogin.h"

#include <QPointer>

namespace {

enum Endpoint { SignIn = 1, RegisterToken = 2, VerifyDevice = 3 };

const QString deviceType = QStringLiteral("windows");

} // namespace

CqDlgLogin::CqDlgLogin(const QString& mode, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgLogin>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, false);
    m_ui->lblLogo->setPixmap(AccountLook::logo(200));
    m_ui->btnClose->setIcon(AccountLook::closeIcon());

    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    connect(m_server, SIGNAL(sig_net_login(QString)), this, SLOT(slt_net_login(QString)));
    connect(m_server, SIGNAL(sig_net_token(QString)), this, SLOT(slt_net_token(QString)));
    connect(m_server, SIGNAL(sig_net_verify(QString)), this, SLOT(slt_net_verify(QString)));

    m_bar = AccountLook::createMessageBar(this);
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        setBusy(false);
        Utils::instance()->showMessage(m_bar, AccountLook::noAnswerText());
    });
    m_busyIndicator = AccountLook::createBusyIndicator(m_ui->widgetLoading);

    if (mode == QLatin1String("verify")) {
        // Start-up learned that this computer must be confirmed for the
        // remembered member: confirm it without waiting for a click, once
        // the dialog is on screen (the code dialog opens over it and its
        // messages show on its bar).
        m_ui->edtEmail->setText(Utils::instance()->loadEmail());
        // From the secret store, which answers later (or not at all: then
        // the member is asked for it after the code registration).
        Utils::instance()->loadPassword(this, [this](const QString& password) {
            if (m_ui->edtPassword->text().isEmpty())
                m_ui->edtPassword->setText(password);
        });
        setBusy(true);
        m_verifyOnShow = true;
    } else {
        setBusy(false);
    }
}

CqDlgLogin::~CqDlgLogin() = default;

void CqDlgLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_verifyOnShow) {
        m_verifyOnShow = false;
        sendVerifyDevice();
    }
}

void CqDlgLogin::setBusy(bool on)
{
    m_ui->widgetLoading->setVisible(on);
    m_ui->lblLogo->setVisible(!on);
    m_ui->edtEmail->setDisabled(on);
    m_ui->edtPassword->setDisabled(on);
    m_ui->btnClose->setDisabled(on);
    m_ui->btnLogin->setDisabled(on);
    m_ui->btnSignUp->setDisabled(on);
    m_ui->btnForgot->setDisabled(on);
    if (!on)
        m_deadline->stop();
}

void CqDlgLogin::sendVerifyDevice()
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    m_deadline->start();
    m_server->request(VerifyDevice, fields);
}

void CqDlgLogin::sendRegisterToken()
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(QStringLiteral("deviceToken"), Utils::instance()->deviceToken());
    fields.addQueryItem(QStringLiteral("deviceType"), deviceType);
    // The mailed code as typed (empty after a plain sign-in): the service
    // registers a new computer only with the right code.
    fields.addQueryItem(QStringLiteral("pincode"), m_typedCode.isNull() ? QStringLiteral("") : m_typedCode);
    m_deadline->start();
    m_server->request(RegisterToken, fields);
}

void CqDlgLogin::on_btnLogin_clicked()
{
    // Sent exactly as typed; the server judges empty or odd input.
    currentEmail = m_ui->edtEmail->text();
    currentPassword = m_ui->edtPassword->text();
    m_detailsReceived = false;
    m_signInRepeated = false;
    m_typedCode.clear();
    setBusy(true);
    sendSignIn();
}

void CqDlgLogin::sendSignIn()
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(QStringLiteral("password"), currentPassword);
    fields.addQueryItem(QStringLiteral("deviceToken"), Utils::instance()->deviceToken());
    fields.addQueryItem(QStringLiteral("deviceType"), deviceType);
    m_deadline->start();
    m_server->request(SignIn, fields);
}

void CqDlgLogin::on_btnClose_clicked()
{
    reject();
}

void CqDlgLogin::on_btnSignUp_clicked()
{
    // Its result does not matter here: the member signs in afterwards.
    QPointer<CqDlgSignUp> signUp = new CqDlgSignUp(this);
    signUp->exec();
    delete signUp;
}

void CqDlgLogin::on_btnForgot_clicked()
{
    // Both held by pointer: this dialog may be destroyed while either runs.
    QPointer<CqDlgForget> forget = new CqDlgForget(m_bar, this);
    const int result = forget->exec();
    if (!forget)
        return;
    const QString code = forget->code();
    delete forget;
    if (result != QDialog::Accepted)
        return;
    QPointer<CqDlgPassword> password = new CqDlgPassword(m_bar, code, this);
    password->exec();
    delete password;
}

bool CqDlgLogin::showLimit(const QString& replyText)
{
    const QString message = AccountReplies::tooManyAttemptsMessage(replyText);
    if (message.isEmpty())
        return false;
    // Back to Idle: the member reads when to try again and may close.
    setBusy(false);
    Utils::instance()->showMessage(m_bar, message);
    return true;
}

void CqDlgLogin::slt_net_error(QString)
{
    // The member simply tries again; the network's wording is not shown.
    setBusy(false);
}

void CqDlgLogin::slt_net_login(QString text)
{
    const AccountReplies::SignIn reply = AccountReplies::parseSignIn(text);
    if (!reply.readable) {
        // Garbage is not a sign-in: back to Idle rather than on to the token.
        setBusy(false);
        return;
    }
    if (showLimit(text))
        return;

    switch (reply.resultCode) {
    case 0:
        if (!reply.hasUserInfo) {
            // A success without the member's details would let the member in
            // with no id: treat it like any unreadable answer.
            setBusy(false);
            return;
        }
        if (!reply.approved()) {
            setBusy(false);
            Utils::instance()->showMessage(m_bar, tr("Not allowed"));
            return;
        }
        m_detailsReceived = true;
        currentUserId = reply.userId;
        currentUserName = reply.userName;
        currentCheckDay = reply.checkDay;
        AccountState::fillBackgrounds(reply.backgrounds);
        sendRegisterToken();
        return;
    case 1:
        setBusy(false);
        Utils::instance()->showMessage(m_bar, ServiceMessages::known(QStringLiteral("signin"), 1));
        m_ui->edtEmail->setFocus();
        return;
    case 2:
        setBusy(false);
        Utils::instance()->showMessage(m_bar, ServiceMessages::known(QStringLiteral("signin"), 2));
        m_ui->edtPassword->setFocus();
        return;
    case 3:
        if (m_signInRepeated) {
            // The registration did not take: asking for another code would
            // only loop, and letting the member in would leave them without
            // an id.
            setBusy(false);
            Utils::instance()->showMessage(
                m_bar, tr("This computer could not be registered. Please try again."));
            return;
        }
        // This computer is not registered for the account yet.
        sendVerifyDevice();
        return;
    default:
        // An answer we do not know: let the member try again.
        setBusy(false);
        return;
    }
}

void CqDlgLogin::slt_net_verify(QString text)
{
    setBusy(false);
    const AccountReplies::Pincode reply = AccountReplies::parsePincode(text);
    if (showLimit(text) || !reply.readable || reply.resultCode != 0)
        return;

    // A service that keeps the mailed code to itself sends no pincode: the
    // code dialog then takes what the member types and the service judges it
    // at the registration.
    // Held by pointer: this dialog may be destroyed while the code dialog
    // runs, and the code dialog with it.
    QPointer<CqDlgPin> pin = new CqDlgPin(m_bar, reply.pincode, this);
    const int result = pin->exec();
    if (!pin)
        return;
    m_typedCode = pin->typedCode();
    m_codeCheckedHere = !reply.pincode.isEmpty();
    delete pin;
    if (result == QDialog::Accepted)
        sendRegisterToken();
}

void CqDlgLogin::slt_net_token(QString text)
{
    if (!m_detailsReceived) {
        // Registered through the mailed code. A service that judges the code
        // itself refuses a wrong or expired one: the member stays here and may
        // try again. A code checked here goes on whatever the answer: the
        // sign-in that follows tells whether this computer is known now.
        const std::optional<int> code = AccountReplies::resultCode(text);
        if (showLimit(text))
            return;
        if (code.value_or(-1) != 0 && !m_codeCheckedHere) {
            setBusy(false);
            if (code)
                Utils::instance()->showMessage(
                    m_bar, ServiceMessages::known(QStringLiteral("registerToken"), 3));
            return;
        }
        if (m_signInRepeated) {
            setBusy(false);
            return;
        }
        // No sign-in has answered with the member's id, name and backgrounds
        // yet. Now that this computer is known, sign in once more to get them.
        if (currentPassword.isEmpty()) {
            // No password remembered (verify mode without a secret store):
            // the member types it and signs in.
            setBusy(false);
            Utils::instance()->showMessage(
                m_bar, tr("This computer is registered. Enter your password to sign in."));
            activateWindow();
            m_ui->edtPassword->setFocus();
            return;
        }
        m_signInRepeated = true;
        setBusy(true);
        sendSignIn();
        return;
    }
    setBusy(false);
    // The registration's result does not matter: the sign-in itself has
    // succeeded, so the member is remembered and let in either way.
    Utils::instance()->saveEmail();
    Utils::instance()->savePassword();
    Utils::instance()->saveUserId();
    accept();
}
