#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Deletes replaced windows once no modal dialog is open. A list window can be
// replaced by a reply while a dialog it opened (buy, checkout, payment) is
// running its own loop; deleted then, the window would take that dialog and
// the code waiting on it along.
class RetiredWindows final : public QObject
{
    Q_OBJECT

public:
    explicit RetiredWindows(QObject* parent = nullptr);

    // Hides `window` now and deletes it once no dialog is open and control is
    // back in the main loop.
    void retire(QWidget* window);

private:
    void deleteWhenNoDialog();

    QList<QPointer<QWidget>> m_windows;
    bool m_checkScheduled = false;
};
