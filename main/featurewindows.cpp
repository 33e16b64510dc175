#include "account/cqdlgterms.h"
#include "main/dialogfactory.h"
#include "main/subwindowfactory.h"

#include <QVariant>

// One registration per feature window: each feature adds the creator of its
// window here when it lands, e.g.
//   SubWindowFactory::registerKind(SubWindowKind::History, [] { return new CqWndHistory; });
void registerFeatureWindows()
{
    DialogFactory::registerRunner(DialogFactory::Kind::Terms, [](const QVariant&) {
        CqDlgTerms dialog(nullptr);
        return dialog.exec();
    });
}
