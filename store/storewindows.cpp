#include "main/featurewindows.h"

#include "main/subwindowfactory.h"
#include "store/cqwndproduct.h"

// Registers this feature's windows and dialogs with the main window's factories.
void registerStoreWindows()
{
    SubWindowFactory::registerKind(SubWindowKind::StoreWorkout, [] { return new CqWndProduct(0); });
    SubWindowFactory::registerKind(SubWindowKind::StoreNutrition, [] { return new CqWndProduct(1); });
    SubWindowFactory::registerKind(SubWindowKind::StoreCoaching, [] { return new CqWndProduct(2); });
}
