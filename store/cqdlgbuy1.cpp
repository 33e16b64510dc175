#include "store/cqdlgbuy1.h"

#include "account/accountlook.h"
#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cartreply.h"
#include "store/storeendpoint.h"
#include "ui_cqdlgbuy.h"

CqDlgBuy1::CqDlgBuy1(const QJsonObject& service, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgBuy>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_service(service)
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("CqDlgBuy1"));
    AccountLook::makeFrameless(this, true);
    connect(m_server, SIGNAL(sig_net_setservicecheckout(QString)), this, SLOT(slt_net_checkout(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    // Unanswered, the button would stay dead: the member may send again.
    connect(m_deadline, &ReplyDeadline::expired, this, [this] { slt_net_error(QString()); });

    m_ui->txtTitile->setPlainText(JsonReply::text(service, QStringLiteral("title")));
    m_ui->txtContent->setPlainText(QStringLiteral("If you want to purchase, please click \n BUY SERVICE."));
    m_ui->lblPrice->setText(QStringLiteral("Price : $") + JsonReply::text(service, QStringLiteral("price")));
    m_ui->lblSub->hide();
    m_ui->btnOk->setText(QStringLiteral("BUY\nSERVICE"));
    m_ui->btnOk->setAccessibleName(QStringLiteral("BUY SERVICE"));
    for (QTextEdit* text : {m_ui->txtContent, m_ui->txtTitile}) {
        QTextCursor cursor(text->document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        cursor.mergeBlockFormat(centred);
    }
}

CqDlgBuy1::~CqDlgBuy1() = default;

void CqDlgBuy1::on_btnOk_clicked()
{
    if (m_sent)
        return;
    m_sent = true;
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("service_id"), JsonReply::text(m_service, QStringLiteral("id")));
    fields.addQueryItem(QStringLiteral("quantity"), QStringLiteral("1"));
    m_server->request(storeEndpoint(QStringLiteral("setServiceCheckout")), fields);
    m_deadline->start();
}

void CqDlgBuy1::on_btnCancel_clicked()
{
    reject();
}

void CqDlgBuy1::slt_net_checkout(QString reply)
{
    m_deadline->stop();
    switch (CartReply::outcome(reply)) {
    case CartReply::Outcome::Added:
        accept();
        return;
    case CartReply::Outcome::Refused:
        MainWindow::instance()->showMessage(QStringLiteral("You have carted already."));
        reject();
        return;
    case CartReply::Outcome::Unreadable:
        m_sent = false;
        MainWindow::instance()->showMessage(CartReply::unreadableText());
        return;
    }
}

void CqDlgBuy1::slt_net_error(QString)
{
    m_deadline->stop();
    m_sent = false;
    MainWindow::instance()->showMessage(CartReply::unreachableText());
}
