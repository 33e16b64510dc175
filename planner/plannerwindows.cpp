#include "main/featurewindows.h"

#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "main/windowplacement.h"
#include "planner/cqdlgsample.h"
#include "planner/cqwndhome.h"

#include <QVariant>

// Registers this feature's windows and dialogs with the main window's factories.
void registerPlannerWindows()
{
    // The one home of the run; the main window refreshes it on every visit.
    SubWindowFactory::registerKind(
        SubWindowKind::PlannerHome, [] { return new CqWndHome; },
        [](QWidget* window) {
            if (auto* home = qobject_cast<CqWndHome*>(window))
                home->refresh();
        });
    // Kept for the run; a list that could not be loaded is asked for again
    // when the member comes back.
    SubWindowFactory::registerKind(
        SubWindowKind::History, [] { return new CqWndHistory; },
        [](QWidget* window) {
            if (auto* history = qobject_cast<CqWndHistory*>(window))
                history->retryIfFailed();
        });
    // A new details window for every day opened; the record comes from the main window.
    SubWindowFactory::registerKind(SubWindowKind::HistoryDetails, [] {
        MainWindow* window = MainWindow::instance();
        return new CqWndHistoryDetails(window ? window->historyDetailsRecord() : nullptr);
    });
    // Argument: the meal index 0..5.
    DialogFactory::registerRunner(DialogFactory::Kind::Sample, [](const QVariant& argument) {
        CqDlgSample dialog(argument.toInt(), nullptr);
        WindowPlacement::keepOver(&dialog);
        return dialog.exec();
    });
}
