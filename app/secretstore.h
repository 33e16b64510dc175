#pragma once

#include <QObject>
#include <QString>

#include <functional>

// The member's password at rest: kept in the platform's secret store
// (Windows Credential Manager, macOS Keychain, the Secret Service on Linux),
// never in a settings file. Where no secret store answers (headless
// machines, CI) nothing is stored and reads come back empty.
//
// The stores answer asynchronously; nothing here waits on the GUI thread.
// A read that gets no answer within timeoutMs() reports an empty password.
namespace SecretStore {

using ReadDone = std::function<void(const QString& password)>;

// Saves `password` for `email`; the outcome is not reported.
void writePassword(const QString& email, const QString& password);
// Calls `done` once, on the GUI thread, with the saved password or empty
// text; never after `context` is gone.
void readPassword(const QString& email, QObject* context, ReadDone done);
void deletePassword(const QString& email);

// How long a read may take; OLVA_SECRET_TIMEOUT_MS overrides the default
// of 5 s (read once), setTimeoutMs() overrides both.
int timeoutMs();
void setTimeoutMs(int milliseconds);

// The store behind the three calls above. The platform's by default;
// tests put an in-memory or a silent one in its place.
struct Backend
{
    // Must call `answer` exactly once, later or at once; a store that never
    // answers is cut short by the timeout.
    std::function<void(const QString& key, std::function<void(bool found, const QString& secret)> answer)> read;
    std::function<void(const QString& key, const QString& secret)> write;
    std::function<void(const QString& key)> remove;
};
void setBackend(const Backend& backend);
// Back to the platform's secret store.
void resetBackend();

} // namespace SecretStore
