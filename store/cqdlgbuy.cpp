#include "store/cqdlgbuy.h"

#include "account/accountlook.h"
#include "app/accountstate.h"
#include "app/server.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cartreply.h"
#include "store/money.h"
#include "store/productitem.h"
#include "store/storeconfig.h"
#include "store/storeendpoint.h"
#include "ui_cqdlgbuy.h"

namespace {

const QString renewalText = QStringLiteral(
    "The subscription has an automatic renewal.The automatic renewal can be cancelled at any time.The cost is "
    "deducted in advance in charging intervals of ");

} // namespace

CqDlgBuy::CqDlgBuy(ProductItem& item, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgBuy>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_item(item)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    connect(m_server, SIGNAL(sig_net_setcheckout(QString)), this, SLOT(slt_net_checkout(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    // Unanswered, the button would stay dead: the member may send again.
    connect(m_deadline, &ReplyDeadline::expired, this, [this] { slt_net_error(QString()); });

    m_ui->lblPrice->setText(QStringLiteral("Price : $") + Money::priceText(item.price));
    if (!item.isPhysical()) {
        m_ui->txtContent->setPlainText(renewalText + item.period + QStringLiteral(" days."));
        m_ui->btnOk->setText(QStringLiteral("BUY \nSUBSCRIPTION"));
        // Videos and programs have no e-book: this buys the subscription.
        item.ebook = 0;
    } else if (item.ebook == 1) {
        m_ui->lblPrice->setText(QStringLiteral("Price : $") + Money::priceText(item.ebookprice));
        m_ui->txtContent->setPlainText(renewalText + QStringLiteral("20 days."));
        m_ui->btnOk->setText(QStringLiteral("BUY \nSUBSCRIPTION"));
        m_ui->lblSub->setText(QStringLiteral("Subscription : ") + item.period + QStringLiteral(" days"));
    } else {
        m_ui->txtContent->setPlainText(QStringLiteral("If you want to purchase, please click \nBUY PRODUCT"));
        m_ui->btnOk->setText(QStringLiteral("BUY \nPRODUCT"));
        m_ui->lblSub->hide();
        item.ebook = 0;
        if (item.isOwned()) {
            m_ui->txtContent->setPlainText(
                QStringLiteral("You have purchased this product already.Please check in your email for your "
                               "purchase receipt.This product will be shipped within 7 business days.If you want "
                               "to purchase again, please click BUY PRODUCT")
                + QStringLiteral("To contact us, send a text to ") + QLatin1String(StoreConfig::contactPhone)
                + QStringLiteral(" or email ") + QLatin1String(StoreConfig::contactEmail) + QStringLiteral("."));
        }
    }
    m_ui->txtTitile->setPlainText(item.title);
    for (QTextEdit* text : {m_ui->txtContent, m_ui->txtTitile}) {
        QTextCursor cursor(text->document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        cursor.mergeBlockFormat(centred);
    }
    m_ui->btnOk->setAccessibleName(m_ui->btnOk->text().simplified());
}

CqDlgBuy::~CqDlgBuy() = default;

void CqDlgBuy::on_btnOk_clicked()
{
    if (m_sent)
        return;
    m_sent = true;
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("product_id"), QString::number(m_item.id));
    fields.addQueryItem(QStringLiteral("quantity"), QStringLiteral("1"));
    fields.addQueryItem(QStringLiteral("ebook"), QString::number(m_item.ebook));
    m_server->request(storeEndpoint(QStringLiteral("setCheckout")), fields);
    m_deadline->start();
}

void CqDlgBuy::on_btnCancel_clicked()
{
    reject();
}

void CqDlgBuy::slt_net_checkout(QString reply)
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
        // Nobody knows whether the entry went in; let the member try again.
        m_sent = false;
        MainWindow::instance()->showMessage(CartReply::unreadableText());
        return;
    }
}

void CqDlgBuy::slt_net_error(QString)
{
    m_deadline->stop();
    m_sent = false;
    MainWindow::instance()->showMessage(CartReply::unreachableText());
}
