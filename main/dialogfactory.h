#pragma once

#include <QVariant>

#include <functional>
#include <optional>

// The windows the main window and the settings window open outside the
// multi-document area: modal dialogs, the daily-target window and the video
// player. Each feature registers how to run its window (see
// registerFeatureWindows); a window nobody registered is not opened.
class DialogFactory final
{
public:
    enum class Kind {
        Faq,           // no argument
        AboutUs,       // no argument
        Invite,        // int mode: 0 invitation list, 1 friends list
        Specials,      // no argument
        Terms,         // no argument
        CheckInvite,   // int number of joined friends
        TotalCalories, // int first-use flag; shown as a top-level window
        VideoPlayer,   // QUrl to play
        ConfirmInvite, // no argument; after "YES" in the friends reminder
        Sample         // int meal 0..5: the sample meals of that meal (modal)
    };

    // Opens the window for `argument`; returns the dialog's result code
    // (QDialog::Accepted / Rejected) or 0 for windows that are not modal.
    using Runner = std::function<int(const QVariant& argument)>;

    static void registerRunner(Kind kind, Runner run);
    static void unregisterRunner(Kind kind);
    static bool isRegistered(Kind kind);

    // The runner's result, or nothing when no runner is registered.
    static std::optional<int> run(Kind kind, const QVariant& argument = {});
};
