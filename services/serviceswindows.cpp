#include "main/featurewindows.h"

#include "main/subwindowfactory.h"
#include "services/cqwndservice.h"

// Registers this feature's windows and dialogs with the main window's factories.
void registerServiceWindows()
{
    SubWindowFactory::registerKind(SubWindowKind::Services, [] { return new CqWndService; });
}
