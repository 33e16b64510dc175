#include "services/appointmentlinks.h"

#include "app/apiconfig.h"

namespace AppointmentLinks {

QUrl skypeChat(const QString& skypeName)
{
    const QByteArray name = QUrl::toPercentEncoding(skypeName, QByteArrayLiteral(":"));
    return QUrl::fromEncoded(QByteArrayLiteral("skype:") + name + QByteArrayLiteral("?chat"), QUrl::StrictMode);
}

QUrl skypeDownload()
{
    return QUrl(QString::fromLatin1(ApiConfig::skypeDownloadPage));
}

QUrl whatsappChat(const QString& whatsappNumber)
{
    const QByteArray number = QUrl::toPercentEncoding(whatsappNumber);
    return QUrl::fromEncoded(QByteArray(ApiConfig::whatsappChatHost) + '/' + number + QByteArrayLiteral("?text="),
                             QUrl::StrictMode);
}

} // namespace AppointmentLinks
