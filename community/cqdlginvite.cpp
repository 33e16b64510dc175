#include "community/cqdlginvite.h"

#include "app/server.h"
#include "app/utils.h"
#include "community/communityreplies.h"
#include "community/communityrequests.h"
#include "community/liststatus.h"
#include "ui_cqdlginvite.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QVBoxLayout>

CqDlgInvite::CqDlgInvite(int mode, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgInvite>())
    , m_mode(mode)
    , m_server(nullptr)
    , m_status(nullptr)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_server = new Server(this);
    connect(m_server, SIGNAL(sig_net_friends(QString)), this, SLOT(slt_net_friends(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_ui->lblTitle->setFont(QFont(QStringLiteral("Roboto"), 14, QFont::Medium));
    m_ui->lblContent->setFont(QFont(QStringLiteral("Roboto"), 12, QFont::Medium));

    if (m_mode == 1) {
        setWindowTitle(tr("MY FRIENDS LIST"));
        m_ui->lblTitle->setText(tr("MY FRIENDS LIST"));
        m_ui->lblContent->setText(tr("This is a list of my friends that have already download OLVA Weight "
                                                 "Loss App. These are my workout friends. "));
    } else {
        setWindowTitle(tr("MY INVITE LIST"));
    }

    m_status = new ListStatus(m_ui->lblStatus,
                              m_mode == 1 ? tr("Your friends list could not be loaded. Please try again later.")
                                          : tr("Your invite list could not be loaded. Please try again later."),
                              this);
    Utils::instance()->setBackground(m_ui->widget, 1);
    m_status->begin();
    m_server->request(Server::endpointIndex(QStringLiteral("getFriends")), CommunityRequests::userIdFields());
}

CqDlgInvite::~CqDlgInvite() = default;

void CqDlgInvite::on_btnOk_clicked()
{
    accept();
}

void CqDlgInvite::slt_net_friends(QString reply)
{
    const auto list = CommunityReplies::parseFriends(reply);
    if (!list.readable) {
        m_status->failed();
        return;
    }
    for (const FriendEntry& entry : CommunityReplies::entriesInMode(list.entries, m_mode))
        addRow(entry);
    m_ui->vLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    m_status->succeeded(list.cutShortNote(tr("Showing the first %1 of %2 people.")));
}

void CqDlgInvite::slt_net_error(QString)
{
    m_status->failed();
}

void CqDlgInvite::addRow(const FriendEntry& entry)
{
    const QString roboto = QStringLiteral("Roboto");
    auto* row = new QWidget(m_ui->scrollAreaWidgetContents);
    row->setObjectName(QStringLiteral("friendRow"));
    row->setFixedHeight(100);
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(8, 4, 8, 4);
    column->setSpacing(2);

    auto* nameLine = new QHBoxLayout;
    auto* name = new QLabel(CommunityReplies::displayName(entry), row);
    name->setObjectName(QStringLiteral("lblName"));
    CommunityRequests::styleRowLabel(name, roboto, 16, QFont::Medium);
    name->setAlignment(Qt::AlignCenter);
    nameLine->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    nameLine->addWidget(name, 1);
    nameLine->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    column->addLayout(nameLine);

    auto* phone = new QLabel(entry.phone, row);
    phone->setObjectName(QStringLiteral("lblPhone"));
    CommunityRequests::styleRowLabel(phone, roboto, 12, QFont::Normal);
    column->addWidget(phone);
    auto* email = new QLabel(entry.email, row);
    email->setObjectName(QStringLiteral("lblEmail"));
    CommunityRequests::styleRowLabel(email, roboto, 12, QFont::Normal);
    column->addWidget(email);

    row->setAccessibleName(CommunityReplies::displayName(entry).trimmed());
    m_ui->vLayout->addWidget(row);
}
