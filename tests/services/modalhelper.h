#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

// Runs `action` on the next modal dialog named `objectName` once it is up
// (polled from the event loop for at most `timeoutMs`), so a test can answer
// a dialog that a click opens with exec().
inline void whenModal(const QString& objectName, std::function<void(QDialog*)> action, int timeoutMs = 8000)
{
    auto* poller = new QTimer(qApp);
    poller->setInterval(10);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(poller, &QTimer::timeout, poller, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool found = dialog && dialog->objectName() == objectName && dialog->isVisible();
        if (!found && started->elapsed() < timeoutMs)
            return;
        poller->stop();
        poller->deleteLater();
        if (found)
            action(dialog);
    });
    poller->start();
}

// Clicks the button `buttonName` of the next modal dialog named `objectName`.
inline void clickInModal(const QString& objectName, const QString& buttonName)
{
    whenModal(objectName, [buttonName](QDialog* dialog) {
        if (auto* button = dialog->findChild<QAbstractButton*>(buttonName))
            button->click();
    });
}
