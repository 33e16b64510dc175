#include "main/featurewindows.h"

#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "store/subscriptionrenewal.h"
#include "video/cqwndvideodownload.h"
#include "video/cqwndvideoplay.h"

#include <QUrl>
#include <QVariant>

namespace {

// The player takes a text: a file path or a web address.
QString sourceText(const QVariant& argument)
{
    if (argument.metaType() == QMetaType::fromType<QUrl>()) {
        const QUrl url = argument.toUrl();
        return url.isLocalFile() ? url.toLocalFile() : url.toString();
    }
    return argument.toString();
}

} // namespace

// Registers this feature's windows and dialogs with the main window's factories.
void registerVideoWindows()
{
    DialogFactory::registerRunner(DialogFactory::Kind::VideoPlayer, [](const QVariant& argument) {
        const QString source = sourceText(argument);
        if (source.trimmed().isEmpty())
            return 0;
        CqWndVideoPlay::instance()->playSource(source);
        return 0;
    });
    // A recorded download and a renewal that ended in a cancellation change
    // the library: the active store window (if any) shows a fresh one.
    CqWndVideoDownLoad::setLibraryRefresh([](int, int) { MainWindow::instance()->showLibrary(); });
    static bool renewalConnected = false;
    if (!renewalConnected) {
        renewalConnected = true;
        QObject::connect(SubscriptionRenewal::instance(), &SubscriptionRenewal::cancelled,
                         SubscriptionRenewal::instance(), [](int) { MainWindow::instance()->showLibrary(); });
    }
}
