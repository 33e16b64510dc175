#pragma once

class QNetworkAccessManager;
class QNetworkCookieJar;

// The member's session with the service is a cookie the server sets at
// sign-in. One in-memory jar holds it for the whole process and every
// network access manager that calls the API shares it, so a request sent by
// any window carries the session of the last sign-in. Nothing of it is
// written to disk: a new process signs in again.
namespace SessionCookies {

// The process's jar. It belongs to no window and lives until the process ends.
QNetworkCookieJar* jar();

// Makes `manager` use the shared jar (and keeps the jar out of the
// manager's ownership, so closing a window does not destroy the session).
void share(QNetworkAccessManager* manager);

// Forgets every cookie (logout).
void forget();

} // namespace SessionCookies
