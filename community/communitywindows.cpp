#include "main/featurewindows.h"

#include "community/cqdlgaboutus.h"
#include "community/cqdlgcheckinvite.h"
#include "community/cqdlgconfirminvite.h"
#include "community/cqdlgfaq.h"
#include "community/cqdlginvite.h"
#include "community/cqdlgspecials.h"
#include "main/dialogfactory.h"
#include "main/windowplacement.h"

#include <QVariant>

// Registers this feature's windows and dialogs with the main window's factories.
void registerCommunityWindows()
{
    // Each dialog opens centred over the main window and stays above it.
    using Kind = DialogFactory::Kind;
    DialogFactory::registerRunner(Kind::Faq, [](const QVariant&) {
        CqDlgFaq dialog;
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    DialogFactory::registerRunner(Kind::AboutUs, [](const QVariant&) {
        CqDlgAboutUs dialog;
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    DialogFactory::registerRunner(Kind::Invite, [](const QVariant& mode) {
        CqDlgInvite dialog(mode.toInt() == 1 ? 1 : 0);
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    DialogFactory::registerRunner(Kind::Specials, [](const QVariant&) {
        CqDlgSpecials dialog;
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    DialogFactory::registerRunner(Kind::CheckInvite, [](const QVariant& joinedFriends) {
        CqDlgCheckInvite dialog(joinedFriends.toInt());
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    DialogFactory::registerRunner(Kind::ConfirmInvite, [](const QVariant&) {
        CqDlgConfirmInvite dialog;
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
}
