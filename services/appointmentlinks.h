#pragma once

#include <QString>
#include <QUrl>

// The addresses the appointment dialog opens. The coach's Skype name and
// WhatsApp number are percent-encoded into them, so a "?", "#" or space in
// the contact cannot change what the address points at; the ":" of Skype's
// "live:" names stays as it is.
namespace AppointmentLinks {

// "skype:<name>?chat", for the installed Skype application.
QUrl skypeChat(const QString& skypeName);
// The page to download Skype from.
QUrl skypeDownload();
// "<click-to-chat host>/<number>?text=": a chat with an empty prefilled text.
QUrl whatsappChat(const QString& whatsappNumber);

} // namespace AppointmentLinks
