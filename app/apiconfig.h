#pragma once

#include <QString>
#include <QUrl>

// Where the client finds the service. The host is compiled in; OLVA_API_HOST
// ("host" or "host:port") points the client at another server, which is how
// tests and local deployments aim it at their own stand-in, and the command
// line's --api-host (setApiHostOverride) wins over both.
namespace ApiConfig {

inline constexpr char defaultApiHost[] = "127.0.0.1:8618";
inline constexpr char clientVersion[] = OLVA_CLIENT_VERSION;
// Where members get Skype when it is not installed, and the WhatsApp
// click-to-chat service that opens a conversation in the browser.
inline constexpr char skypeDownloadPage[] = "https://www.skype.com/en/get-skype/";
inline constexpr char whatsappChatHost[] = "https://wa.me";

QString apiHost();
// Used by apiHost() ahead of OLVA_API_HOST; an empty value clears it.
void setApiHostOverride(const QString& host);
// "host" or "host:port" (an IPv6 address in brackets) in plain form, or an
// empty string with *error set when the value cannot be a server's address.
QString normalizedHost(const QString& value, QString* error);
// "http://" + host + "/api/"
QString apiBaseUrl();
QUrl endpointUrl(const QString& endpoint);
// "http://" + host + "/uploadfiles/apps/OlvaApp_<version>.exe"
QUrl installerUrl(const QString& version);

} // namespace ApiConfig
