#include "community/cqdlgaboutus.h"

#include "app/labelpicture.h"
#include "app/server.h"
#include "app/utils.h"
#include "community/communityreplies.h"
#include "community/communityrequests.h"
#include "community/liststatus.h"
#include "ui_cqdlgaboutus.h"
#include "widgets/mylabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

CqDlgAboutUs::CqDlgAboutUs(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgAboutUs>())
    , m_server(nullptr)
    , m_status(nullptr)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->lblTitle->setFont(QFont(QStringLiteral("Roboto"), 16, QFont::Medium));
    m_server = new Server(this);
    m_status = new ListStatus(m_ui->lblStatus,
                              tr("The About Us page could not be loaded. Please try again later."), this);
    connect(m_server, SIGNAL(sig_net_aboutus(QString)), this, SLOT(slt_net_about(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    Utils::instance()->setBackground(m_ui->widget, 1);
    m_status->begin();
    // The page is the same for everyone: no member id goes with it.
    m_server->request(Server::endpointIndex(QStringLiteral("aboutUs")), QUrlQuery());
}

CqDlgAboutUs::~CqDlgAboutUs() = default;

void CqDlgAboutUs::slt_net_about(QString reply)
{
    const auto list = CommunityReplies::parseAbout(reply);
    if (!list.readable) {
        m_status->failed();
        return;
    }
    for (const AboutEntry& entry : list.entries)
        addCard(entry);
    m_ui->vLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    m_status->succeeded(list.cutShortNote(tr("Showing the first %1 of %2 people.")));
}

void CqDlgAboutUs::slt_net_error(QString)
{
    m_status->failed();
}

void CqDlgAboutUs::addCard(const AboutEntry& entry)
{
    const QString roboto = QStringLiteral("Roboto");
    auto* card = new QFrame(m_ui->scrollAreaWidgetContents);
    card->setObjectName(QStringLiteral("card"));
    card->setFixedHeight(200);
    card->setAccessibleName(entry.name);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(12, 8, 12, 8);
    column->setSpacing(4);

    auto* nameLine = new QHBoxLayout;
    auto* name = new QLabel(entry.name, card);
    name->setObjectName(QStringLiteral("lblAboutName"));
    CommunityRequests::styleRowLabel(name, roboto, 14, QFont::Medium);
    name->setAlignment(Qt::AlignCenter);
    nameLine->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    nameLine->addWidget(name, 1);
    nameLine->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    column->addLayout(nameLine);

    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    auto* photo = new MyLabel(card);
    photo->setObjectName(QStringLiteral("lblAboutPhoto"));
    photo->setFixedSize(200, 150);
    photo->setAccessibleName(tr("Photo of %1").arg(entry.name));
    body->addWidget(photo);
    LabelPicture::fetch(photo, entry.photo);

    auto* details = new QVBoxLayout;
    details->setSpacing(2);
    const struct {
        const char* objectName;
        const QString& text;
    } lines[] = {{"lblAboutPhone", entry.phone}, {"lblAboutEmail", entry.email}, {"lblAboutDescription", entry.description}};
    for (const auto& line : lines) {
        auto* label = new QLabel(line.text, card);
        label->setObjectName(QString::fromLatin1(line.objectName));
        CommunityRequests::styleRowLabel(label, roboto, 11, QFont::Normal);
        details->addWidget(label);
    }
    details->addStretch(1);
    body->addLayout(details, 1);
    body->addItem(new QSpacerItem(20, 10, QSizePolicy::Fixed, QSizePolicy::Minimum));
    column->addLayout(body, 1);
    m_ui->vLayout->addWidget(card);
}
