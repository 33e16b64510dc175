#include "main/featurewindows.h"

// Registers this feature's windows and dialogs with the main window's factories.
void registerPlannerWindows()
{
}
