#include "community/cqdlgspecials.h"

#include "app/labelpicture.h"
#include "app/server.h"
#include "app/utils.h"
#include "community/communityreplies.h"
#include "community/communityrequests.h"
#include "community/liststatus.h"
#include "main/dialogfactory.h"
#include "ui_cqdlgspecials.h"
#include "widgets/mylabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSpacerItem>
#include <QVBoxLayout>

CqDlgSpecials::CqDlgSpecials(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgSpecials>())
    , m_server(nullptr)
    , m_status(nullptr)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->lblTitle->setFont(QFont(QStringLiteral("Roboto"), 16, QFont::Medium));
    m_server = new Server(this);
    m_status = new ListStatus(m_ui->lblStatus,
                              tr("The special offers could not be loaded. Please try again later."), this);
    Utils::instance()->setBackground(m_ui->widget, 0);
    connect(m_server, SIGNAL(sig_net_specialoffers(QString)), this, SLOT(slt_net_specialoffers(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
    m_status->begin();
    m_server->request(Server::endpointIndex(QStringLiteral("specialOffers")), CommunityRequests::userIdFields());
}

CqDlgSpecials::~CqDlgSpecials() = default;

void CqDlgSpecials::slt_net_specialoffers(QString reply)
{
    const auto list = CommunityReplies::parseSpecialOffers(reply);
    if (!list.readable) {
        m_status->failed();
        return;
    }
    for (const SpecialOfferEntry& offer : list.entries)
        addCard(offer);
    m_ui->vLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    m_status->succeeded(list.cutShortNote(tr("Showing the first %1 of %2 offers.")));
}

void CqDlgSpecials::slt_net_error(QString)
{
    m_status->failed();
}

void CqDlgSpecials::addCard(const SpecialOfferEntry& offer)
{
    const QString roboto = QStringLiteral("Roboto");
    auto* card = new QFrame(m_ui->scrollAreaWidgetContents);
    card->setObjectName(QStringLiteral("card"));
    card->setAccessibleName(offer.title);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(8);

    auto* title = new QLabel(offer.title, card);
    title->setObjectName(QStringLiteral("lblOfferTitle"));
    CommunityRequests::styleRowLabel(title, roboto, 14, QFont::Medium);
    column->addWidget(title);

    auto* picture = new MyLabel(card);
    picture->setObjectName(QStringLiteral("lblOfferPicture"));
    picture->setFixedHeight(180);
    picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    picture->setAccessibleName(offer.title);
    column->addWidget(picture);
    LabelPicture::fetch(picture, offer.image);

    auto* content = new QLabel(offer.content, card);
    content->setObjectName(QStringLiteral("lblOfferContent"));
    CommunityRequests::styleRowLabel(content, roboto, 12, QFont::Normal);
    column->addWidget(content);
    auto* description = new QLabel(offer.description, card);
    description->setObjectName(QStringLiteral("lblOfferDescription"));
    CommunityRequests::styleRowLabel(description, roboto, 12, QFont::Normal);
    column->addWidget(description);

    // Only an address the player can fetch gets a play label; a member
    // should not be offered a button that does nothing.
    if (CommunityReplies::playableVideo(offer.url)) {
        auto* play = new MyLabel(card);
        play->setObjectName(offer.url);
        play->setPixmap(QPixmap(QStringLiteral(":/main/assets/play.png"))
                            .scaled(60, 60, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        play->setFixedSize(60, 60);
        play->setAlignment(Qt::AlignCenter);
        play->setCursor(Qt::PointingHandCursor);
        play->setFocusPolicy(Qt::StrongFocus);
        play->setAccessibleName(tr("Play video: %1").arg(offer.title));
        play->setProperty("playLabel", true);
        play->installEventFilter(this);
        connect(play, &MyLabel::clicked, this, &CqDlgSpecials::on_video_clciked);
        column->addWidget(play, 0, Qt::AlignHCenter);
    }
    m_ui->vLayout->addWidget(card);
}

bool CqDlgSpecials::eventFilter(QObject* watched, QEvent* event)
{
    // Space and Enter play a focused play label as a click does.
    if (event->type() == QEvent::KeyPress && watched->property("playLabel").toBool()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto* label = qobject_cast<MyLabel*>(watched))
                emit label->clicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CqDlgSpecials::on_video_clciked()
{
    const QObject* label = sender();
    if (!label)
        return;
    const std::optional<QUrl> url = CommunityReplies::playableVideo(label->objectName());
    if (!url)
        return;
    DialogFactory::run(DialogFactory::Kind::VideoPlayer, *url);
    accept();
}
