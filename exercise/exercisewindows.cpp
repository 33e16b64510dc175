#include "main/featurewindows.h"

#include "exercise/cqwndexercise.h"
#include "main/subwindowfactory.h"

// Registers the exercise window with the main window's factory. The window
// reads the member's weight log itself (the run's one log, the weight
// window's too), so weights waiting to be sent are only ever sent by one.
void registerExerciseWindows()
{
    SubWindowFactory::registerKind(
        SubWindowKind::Exercise, [] { return new CqWndExercise; },
        [](QWidget* window) {
            if (auto* exercise = qobject_cast<CqWndExercise*>(window))
                exercise->refresh();
        });
}
