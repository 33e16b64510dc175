#pragma once

#include <QUrlQuery>

class QLabel;

// Small pieces the community dialogs share.
namespace CommunityRequests {

// The `user_id` form of the signed-in member.
QUrlQuery userIdFields();

// A label of a list row: white text on a transparent background that wraps,
// and that never widens the dialog, however long the text (a name of
// thousands of characters is cut at the row's edge instead).
void styleRowLabel(QLabel* label, const QString& family, int pointSize, int weight);

} // namespace CommunityRequests
