#include "main/featurewindows.h"

#include "main/subwindowfactory.h"
#include "services/cqwndservice.h"

// Registers this feature's windows and dialogs with the main window's factories.
void registerServiceWindows()
{
    // Kept for the run; a list that could not be loaded is asked for again
    // when the member comes back.
    SubWindowFactory::registerKind(
        SubWindowKind::Services, [] { return new CqWndService; },
        [](QWidget* window) {
            if (auto* services = qobject_cast<CqWndService*>(window))
                services->retryFailedList();
        });
}
