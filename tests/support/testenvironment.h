#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// Keeps tests away from the real member's files: settings, the data directory
// and the account state all live in temporary places for the test process.
namespace TestEnvironment {

// Call first thing in initTestCase (before any QSettings is opened): points
// the settings stores and OLVA_DATA_DIR at fresh temporary folders, empties
// the account state and sets dataDir.
void isolate();

// The temporary root that isolate() created.
QString root();

// Empties the account state and both settings stores between test cases.
void resetAccount();

// Every value of every settings store (keys prefixed with the store's
// name) and the calorie integers of the account state: what a request that
// failed must leave as it was.
QMap<QString, QVariant> localState();

// Clicks the button named `buttonName` in the next modal dialog that opens
// (polled for up to `timeoutMs`). Lets a test drive exec() without hanging.
void answerNextModal(const QString& buttonName, int timeoutMs = 5000);

// Closes (rejects) every modal dialog still open; for cleanup().
void closeModals();

} // namespace TestEnvironment
