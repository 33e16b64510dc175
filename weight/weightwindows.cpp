#include "main/featurewindows.h"

#include "main/subwindowfactory.h"
#include "weight/cqwndweight.h"

// Registers the weight window with the main window's factory.
void registerWeightWindows()
{
    // Kept for the run; each return asks the service again and sends what waits.
    SubWindowFactory::registerKind(
        SubWindowKind::Weight, [] { return new CqWndWeight; },
        [](QWidget* window) {
            if (auto* weight = qobject_cast<CqWndWeight*>(window))
                weight->refresh();
        });
}
