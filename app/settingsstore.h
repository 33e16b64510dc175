#pragma once

#include <QString>

// The two settings stores of the client. The e-mail store remembers who signed
// in last; the member store is named after currentEmail and is opened afresh
// for every read or write, so it always follows the current member.
namespace SettingsStore {

inline constexpr char organisation[] = "OlvaApp";
inline constexpr char emailStoreApplication[] = "Kestro";

QString rememberedEmail();
void setRememberedEmail(const QString& email);

// Text of `key` in the current member's store; empty when absent.
QString memberText(const QString& key);
void setMemberText(const QString& key, const QString& value);

// Integer of `key` in the current member's store; 0 when absent or not a number.
int memberInt(const QString& key);
void setMemberInt(const QString& key, int value);

bool memberContains(const QString& key);
void removeMemberKey(const QString& key);

} // namespace SettingsStore
