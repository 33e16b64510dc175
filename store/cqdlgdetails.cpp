#include "store/cqdlgdetails.h"

#include "account/accountlook.h"
#include "store/productitem.h"
#include "ui_cqdlgdetails.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>

CqDlgDetails::CqDlgDetails(const ProductItem& item, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgDetails>())
{
    m_ui->setupUi(this);
    AccountLook::makeFrameless(this, true);
    m_ui->lblTitle->setText(item.title);
    m_ui->lblSubTitle->setText(item.subtitle);
    m_ui->lblMini->setText(item.minidescription);
    m_ui->lblFull->setText(item.fulldescription);
    m_ui->lblImage->setAccessibleName(item.title);
    for (QLabel* label : {m_ui->lblTitle, m_ui->lblSubTitle, m_ui->lblMini, m_ui->lblFull})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    const QUrl url(item.image);
    if (url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))) {
        auto* network = new QNetworkAccessManager(this);
        auto* cache = new QNetworkDiskCache(network);
        cache->setCacheDirectory(QDir::tempPath() + QStringLiteral("/olva-store-cache"));
        network->setCache(cache);
        connect(network, &QNetworkAccessManager::finished, m_ui->lblImage, &MyLabel::replyFinished);
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
        network->get(request);
    }
}

CqDlgDetails::~CqDlgDetails() = default;

void CqDlgDetails::on_btnClose_clicked()
{
    reject();
}
