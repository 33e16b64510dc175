#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QDialog;
class QWidget;
class QtMaterialCircularProgress;
class QtMaterialSnackbar;

// The look the account dialogs share: frameless windows that can be dragged by
// their background, the logo, the close icon, the red message bar and the busy
// indicator.
namespace AccountLook {

// Frameless top-level dialog; `translucent` lets a rounded card float with no
// window corners around it.
void makeFrameless(QDialog* dialog, bool translucent);

// The service's logo, `side` pixels square.
QPixmap logo(int side);

// The cross of the close buttons.
QIcon closeIcon();

// The message bar of an account dialog: a child covering `dialog`, red, 15 pt.
QtMaterialSnackbar* createMessageBar(QWidget* dialog);

// What an account dialog says when the server leaves a request unanswered.
QString noAnswerText();

// An indeterminate circular indicator centred in `area`.
QtMaterialCircularProgress* createBusyIndicator(QWidget* area);

} // namespace AccountLook
