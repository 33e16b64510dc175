#include "account/cqdlgpassword.h"

#include "account/accountchecks.h"
#include "account/accountlook.h"
#include "account/accountreplies.h"
#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"
#include "app/servicemessages.h"
#include "app/utils.h"
#include "main/replydeadline.h"
#include "ui_cqdlgpassword.h"
#include "widgets/qtmaterialsnackbar.h"

namespace {
enum Endpoint { SetPassword = 6 };
} // namespace

CqDlgPassword::CqDlgPassword(QtMaterialSnackbar* bar, const QString& code, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgPassword>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_bar(bar)
    , m_code(code)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    connect(m_server, SIGNAL(sig_net_password(QString)), this, SLOT(slt_net_password(QString)));
    // The member waits for the new password to take: silence is not an answer.
    connect(m_deadline, &ReplyDeadline::expired, this,
            [this] { Utils::instance()->showMessage(m_bar, AccountLook::noAnswerText()); });
}

CqDlgPassword::~CqDlgPassword() = default;

void CqDlgPassword::on_btnOk_clicked()
{
    const QString problem = AccountChecks::checkNewPassword(
        m_ui->edtPin->text(), m_code, m_ui->edtPassword->text(), m_ui->edtConfirm->text());
    if (!problem.isEmpty()) {
        Utils::instance()->showMessage(m_bar, problem);
        return;
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(QStringLiteral("password"), m_ui->edtPassword->text());
    // The service checks the code itself; without it anyone knowing the
    // e-mail address could choose the password.
    fields.addQueryItem(QStringLiteral("pincode"), m_ui->edtPin->text());
    m_deadline->start();
    m_server->request(SetPassword, fields);
}

void CqDlgPassword::on_btnCancel_clicked()
{
    reject();
}

void CqDlgPassword::slt_net_password(QString text)
{
    m_deadline->stop();
    // Only a readable success counts; garbage is not an updated password.
    if (AccountReplies::resultCode(text) == 0) {
        Utils::instance()->showMessage(m_bar, tr("Updated your password!"));
        accept();
        return;
    }
    const std::optional<int> code = AccountReplies::resultCode(text);
    Utils::instance()->showMessage(m_bar, ServiceMessages::known(QStringLiteral("setPassword"),
                                                                 code.value_or(-1),
                                                                 JsonReply::parseObject(text)));
}
