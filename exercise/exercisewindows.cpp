#include "main/featurewindows.h"

#include "exercise/cqwndexercise.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "weight/cqwndweight.h"
#include "weight/weightlog.h"

namespace {

// The weight window's log, when the member has opened it this run: its
// trend is the body weight. The exercise window keeps no log of its own, so
// weights waiting to be sent are only ever sent by one.
void passWeights(CqWndExercise* exercise)
{
    MainWindow* main = MainWindow::instance();
    auto* weight = main ? qobject_cast<CqWndWeight*>(main->keptWindow(SubWindowKind::Weight)) : nullptr;
    if (weight)
        exercise->setWeightEntries(weight->log()->entries());
}

} // namespace

// Registers the exercise window with the main window's factory.
void registerExerciseWindows()
{
    SubWindowFactory::registerKind(
        SubWindowKind::Exercise,
        [] {
            auto* exercise = new CqWndExercise;
            passWeights(exercise);
            return exercise;
        },
        [](QWidget* window) {
            if (auto* exercise = qobject_cast<CqWndExercise*>(window)) {
                passWeights(exercise);
                exercise->refresh();
            }
        });
}
