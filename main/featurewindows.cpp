#include "main/dialogfactory.h"
#include "main/subwindowfactory.h"

// One line per feature window: each feature adds the creator of its window
// here when it lands, e.g.
//   SubWindowFactory::registerKind(SubWindowKind::History, [] { return new CqWndHistory; });
//   DialogFactory::registerRunner(DialogFactory::Kind::Faq, [](const QVariant&) {
//       CqDlgFaq dialog(nullptr);
//       return dialog.exec();
//   });
void registerFeatureWindows()
{
}
