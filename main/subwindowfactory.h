#pragma once

#include <functional>

class QWidget;

// The feature windows that live in the main window's multi-document area.
// The number is the kind passed to MainWindow::subWindow().
namespace SubWindowKind {
enum : int {
    PlannerHome = 0,
    StoreWorkout = 1,
    StoreNutrition = 2,
    StoreCoaching = 3,
    Tracker = 4,
    Settings = 5,
    History = 6,
    HistoryDetails = 7,
    Services = 8,
    Weight = 9,
    Exercise = 10,
    Count = 11
};
} // namespace SubWindowKind

// Who builds the window of each kind. Each feature registers its creator once
// at start-up (see registerFeatureWindows); a kind nobody registered has no
// window, and the main window's button for it does nothing.
class SubWindowFactory final
{
public:
    // Builds a new window without parent; it reads its argument (tracker meal,
    // history record) from the main window.
    using Creator = std::function<QWidget*()>;
    // Brings a kept window up to date before it is shown again.
    using Refresher = std::function<void(QWidget*)>;

    static void registerKind(int kind, Creator create, Refresher refresh = {});
    static void unregisterKind(int kind);
    static bool isRegistered(int kind);

    // A new window of `kind`, or null when the kind has no creator.
    static QWidget* create(int kind);
    // Runs the kind's refresher on `window`, if there is one.
    static void refresh(int kind, QWidget* window);
};

// Registers the creators of all feature windows and dialogs; called once by
// start-up before the main window is created.
void registerFeatureWindows();
