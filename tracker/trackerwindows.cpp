#include "main/featurewindows.h"

#include "tracker/cqwndtotalcalories.h"
#include "tracker/cqwndtracker.h"

#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "main/windowplacement.h"

#include <QVariant>

// Registers this feature's windows and dialogs with the main window's factories.
void registerTrackerWindows()
{
    // A new tracker for every opening; the meal comes from the main window.
    SubWindowFactory::registerKind(
        SubWindowKind::Tracker,
        [] {
            MainWindow* window = MainWindow::instance();
            return new CqWndTracker(window ? window->trackerMeal() : 0);
        },
        [](QWidget* window) {
            if (auto* tracker = qobject_cast<CqWndTracker*>(window))
                tracker->showStoredFigures();
        });

    // Argument: the first-use flag. The window deletes itself when closed;
    // it opens over the main window and stays above it.
    DialogFactory::registerRunner(DialogFactory::Kind::TotalCalories, [](const QVariant& argument) {
        const bool firstUse = argument.toInt() != 0;
        auto* window = new CqWndTotalCalories(firstUse);
        window->setAttribute(Qt::WA_DeleteOnClose);
        WindowPlacement::keepOver(window);
        if (firstUse)
            window->showMaximized();
        else
            window->show();
        return 0;
    });
}
