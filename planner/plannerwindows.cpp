#include "main/featurewindows.h"

#include "main/cqwndhistory.h"
#include "main/subwindowfactory.h"

// Registers this feature's windows and dialogs with the main window's factories.
void registerPlannerWindows()
{
    SubWindowFactory::registerKind(SubWindowKind::History, [] { return new CqWndHistory; });
}
