#include "account/cqdlgforget.h"

#include "account/accountlook.h"
#include "account/accountreplies.h"
#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"
#include "app/servicemessages.h"
#include "app/utils.h"
#include "main/replydeadline.h"
#include "ui_cqdlgforget.h"
#include "widgets/qtmaterialsnackbar.h"

namespace {
enum Endpoint { Forgot = 5 };
} // namespace

CqDlgForget::CqDlgForget(QtMaterialSnackbar* bar, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgForget>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_bar(bar)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);

    connect(m_server, SIGNAL(sig_net_forgot(QString)), this, SLOT(slt_net_forgot(QString)));
    // A failed request must not leave the dialog disabled with no way out.
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    // Nor an unanswered one, Cancel included.
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        setControlsEnabled(true);
        Utils::instance()->showMessage(m_bar, AccountLook::noAnswerText());
    });
}

CqDlgForget::~CqDlgForget() = default;

void CqDlgForget::setControlsEnabled(bool enabled)
{
    m_ui->edtEmail->setEnabled(enabled);
    m_ui->btnOk->setEnabled(enabled);
    m_ui->btnCancel->setEnabled(enabled);
    if (enabled)
        m_deadline->stop();
}

void CqDlgForget::on_btnOk_clicked()
{
    if (m_ui->edtEmail->text().isEmpty()) {
        Utils::instance()->showMessage(m_bar, tr("Insert Email."));
        m_ui->edtEmail->setFocus();
        return;
    }
    setControlsEnabled(false);
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), m_ui->edtEmail->text());
    m_deadline->start();
    m_server->request(Forgot, fields);
}

void CqDlgForget::on_btnCancel_clicked()
{
    reject();
}

void CqDlgForget::slt_net_forgot(QString text)
{
    setControlsEnabled(true);
    const AccountReplies::Pincode reply = AccountReplies::parsePincode(text);
    // A service that keeps the mailed code to itself leaves it out of the
    // reply; the password dialog then sends what the member types.
    if (reply.readable && reply.resultCode == 0) {
        m_code = reply.pincode;
        currentEmail = m_ui->edtEmail->text();
        accept();
        return;
    }
    // Unreadable answers read as "not sent", like any code without a text.
    const QJsonObject answer = reply.readable ? JsonReply::parseObject(text) : QJsonObject();
    Utils::instance()->showMessage(
        m_bar, ServiceMessages::known(QStringLiteral("forgot"),
                                      reply.readable ? reply.resultCode : -1, answer));
}

void CqDlgForget::slt_net_error(QString)
{
    // Nothing is shown for a failed request; the member may send again.
    setControlsEnabled(true);
}
