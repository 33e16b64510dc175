#include "main/retiredwindows.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

// How often a dialog that is still open is looked at again.
constexpr int recheckMs = 200;

} // namespace

RetiredWindows::RetiredWindows(QObject* parent)
    : QObject(parent)
{
}

void RetiredWindows::retire(QWidget* window)
{
    if (!window)
        return;
    window->hide();
    m_windows.append(window);
    deleteWhenNoDialog();
}

void RetiredWindows::deleteWhenNoDialog()
{
    if (QApplication::activeModalWidget()) {
        if (!m_checkScheduled) {
            m_checkScheduled = true;
            QTimer::singleShot(recheckMs, this, [this] {
                m_checkScheduled = false;
                deleteWhenNoDialog();
            });
        }
        return;
    }
    // Deferred as well: the caller may be a method of the retired window.
    for (const QPointer<QWidget>& window : std::exchange(m_windows, {})) {
        if (window)
            window->deleteLater();
    }
}
