#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

// Drives a modal dialog that a click or a reply opens with exec(): once the
// active modal widget has `objectName`, `action` runs on it from the event
// loop (type, click, look at the message bar). A dialog still open
// `timeoutMs` after the action is rejected, so that a failing test fails
// instead of hanging. Polling ends with `context` (the window under test), so
// a script never outlives the test case that set it up.
inline void onModal(QObject* context, const QString& objectName,
                    std::function<void(QDialog*)> action, int timeoutMs = 8000)
{
    auto* poller = new QTimer(context);
    poller->setInterval(10);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poller, &QTimer::timeout, poller, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool found = dialog && dialog->objectName() == objectName;
        if (!found && started->elapsed() < timeoutMs)
            return;
        poller->stop();
        poller->deleteLater();
        if (!found)
            return;
        QPointer<QDialog> guard(dialog);
        action(dialog);
        QTimer::singleShot(timeoutMs, context, [guard] {
            if (guard && guard->isVisible())
                guard->reject();
        });
    });
    poller->start();
}
