#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The reminder to invite workout friends: when it is due, and what the
// friends reply asks for.
namespace FriendsCheck {

// Members with more joined friends than this are not reminded.
inline constexpr int maxFriendsForReminder = 9;

// Due on or after the member's check day ("yyyy-MM-dd"). A day that is
// empty or does not read as a date counts as due.
bool isDue(const QString& checkDay, const QDate& today);

// The number of joined friends to remind the member with, or nothing when the
// reply is unreadable, not a success, or lists more than
// maxFriendsForReminder friends.
std::optional<int> reminderCount(const QString& reply);

} // namespace FriendsCheck
