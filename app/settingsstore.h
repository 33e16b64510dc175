#pragma once

#include <QString>
#include <QStringList>

// The two settings stores of the client. The e-mail store remembers who signed
// in last; the member store is named after currentEmail and is opened afresh
// for every read or write, so it always follows the current member, unless a
// Batch is open (below).
namespace SettingsStore {

inline constexpr char organisation[] = "OlvaApp";
inline constexpr char emailStoreApplication[] = "Kestro";

QString rememberedEmail();
void setRememberedEmail(const QString& email);

// The interface language the member picked on this computer (a language code,
// empty for the system's); kept beside the remembered e-mail, for everyone
// who uses this computer.
QString interfaceLanguage();
void setInterfaceLanguage(const QString& code);

// Text of `key` in the current member's store; empty when absent.
QString memberText(const QString& key);
void setMemberText(const QString& key, const QString& value);

// Integer of `key` in the current member's store; 0 when absent or not a number.
int memberInt(const QString& key);
void setMemberInt(const QString& key, int value);

bool memberContains(const QString& key);
void removeMemberKey(const QString& key);
// Every key of the current member's store.
QStringList memberKeys();

// Groups the member-store reads and writes of one operation (saving a meal,
// removing a food): while a batch is alive they all go to one open store,
// which is written to disk once, atomically, when the outermost batch ends.
// Opening the store for every key costs a lock file and a check of the file
// per key, and writing it per key rewrites the whole file each time; and a
// program that dies in the middle of an operation leaves the day as it was
// before it rather than half written.
//
// Batches nest; only the outermost one writes. A batch belongs to the member
// who was current when it opened: should currentEmail change meanwhile, the
// other member's keys are read and written on their own as usual.
class Batch final
{
public:
    Batch();
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // For tests of a program that dies before its batch reaches the disk:
    // the next outermost batch reads and writes a scratch copy of the store,
    // which is thrown away when the batch ends.
    static void dropNextForTesting();
};

} // namespace SettingsStore
