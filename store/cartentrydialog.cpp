#include "store/cartentrydialog.h"

#include "account/accountlook.h"
#include "app/server.h"
#include "main/mainwindow.h"
#include "main/replydeadline.h"
#include "store/cartreply.h"
#include "store/storeendpoint.h"
#include "ui_cqdlgbuy.h"

#include <QLayout>
#include <QTextDocument>
#include <QtMath>

CartEntryDialog::CartEntryDialog(const QString& endpoint, const char* replySignal, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgBuy>())
    , m_server(new Server(this))
    , m_deadline(new ReplyDeadline(this))
    , m_endpoint(endpoint)
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    connect(m_server, replySignal, this, SLOT(slt_net_checkout(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    // Unanswered, the button would stay dead: the member may send again.
    connect(m_deadline, &ReplyDeadline::expired, this, [this] {
        m_earlierUnanswered = true;
        slt_net_error(QString());
    });
}

CartEntryDialog::~CartEntryDialog() = default;

void CartEntryDialog::centreTexts()
{
    for (QTextEdit* text : {m_ui->txtContent, m_ui->txtTitile}) {
        QTextCursor cursor(text->document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignCenter);
        cursor.mergeBlockFormat(centred);
    }
    fitContent();
}

void CartEntryDialog::fitContent()
{
    // A long explanation (a product bought before) gets the room to be read
    // at once; only beyond a third of a small screen does it scroll.
    constexpr int shortestHeight = 140;
    constexpr int tallestHeight = 260;
    // Not shown yet, the layout has not placed the text: work out its width
    // from the dialog's.
    QTextEdit* content = m_ui->txtContent;
    int textWidth = qMax(width(), minimumSizeHint().width()) - 2 * content->frameWidth();
    for (const QLayout* box : {layout(), m_ui->wdgPanel->layout()}) {
        const QMargins around = box->contentsMargins();
        textWidth -= around.left() + around.right();
    }
    // A copy: the text field lays out its own document only once shown.
    const std::unique_ptr<QTextDocument> document(content->document()->clone());
    document->setTextWidth(textWidth);
    const QMargins margins = content->contentsMargins();
    const int needed = qCeil(document->size().height()) + margins.top() + margins.bottom() + 2 * content->frameWidth();
    content->setMinimumHeight(qBound(shortestHeight, needed, tallestHeight));
}

void CartEntryDialog::on_btnOk_clicked()
{
    if (m_sent)
        return;
    m_sent = true;
    m_server->request(storeEndpoint(m_endpoint), entryFields());
    m_deadline->start();
}

void CartEntryDialog::on_btnCancel_clicked()
{
    reject();
}

void CartEntryDialog::slt_net_checkout(QString reply)
{
    // A late answer to a request given up on counts as well: it says where
    // the entry is.
    m_deadline->stop();
    switch (CartReply::outcome(reply)) {
    case CartReply::Outcome::Added:
        accept();
        return;
    case CartReply::Outcome::Refused:
        // After a request that went unanswered, the refusal most likely means
        // that request did put the entry in: the member has what they asked.
        if (m_earlierUnanswered) {
            accept();
            return;
        }
        MainWindow::instance()->showMessage(tr("You have carted already."));
        reject();
        return;
    case CartReply::Outcome::Unreadable:
        // Nobody knows whether the entry went in; let the member try again.
        m_sent = false;
        MainWindow::instance()->showMessage(CartReply::unreadableText());
        return;
    }
}

void CartEntryDialog::slt_net_error(QString)
{
    m_deadline->stop();
    m_sent = false;
    MainWindow::instance()->showMessage(CartReply::unreachableText());
}
