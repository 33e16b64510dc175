#include "main/featurewindows.h"

#include "account/cqdlgterms.h"
#include "main/dialogfactory.h"
#include "main/subwindowfactory.h"
#include "main/windowplacement.h"

#include <QVariant>

void registerFeatureWindows()
{
    DialogFactory::registerRunner(DialogFactory::Kind::Terms, [](const QVariant&) {
        CqDlgTerms dialog(nullptr);
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
    registerTrackerWindows();
    registerPlannerWindows();
    registerStoreWindows();
    registerVideoWindows();
    registerServiceWindows();
    registerCommunityWindows();
    registerWeightWindows();
    registerExerciseWindows();
}
