#pragma once

#include <QString>

class QDialog;
class QFont;
class QWidget;

// The look the live-service windows and dialogs share.
namespace ServiceLook {

// The pink-to-orange gradient of the action buttons (white text).
QString pinkOrangeButton(int cornerRadius = 0);
// The blue gradient of a bought service's button.
QString blueButton();

// Roboto at `pointSize` and `weight`.
QFont roboto(int pointSize, int weight);

// A frameless window with a translucent background; only its buttons (or
// Escape, which rejects) close it.
void makeFrameless(QDialog* dialog);

} // namespace ServiceLook
