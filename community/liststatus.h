#pragma once

#include <QObject>

class QLabel;
class QTimer;

// The line above a dialog's list that says what the member is waiting for:
// "Loading..." while the request is out, a short explanation when it failed
// or stalled, nothing once the list is there. A reply that never comes counts
// as failed after the stall timeout.
class ListStatus final : public QObject
{
    Q_OBJECT

public:
    ListStatus(QLabel* label, const QString& failureText, QObject* parent);

    void begin();
    // The list arrived; `note` (may be empty) stays visible, e.g. that only
    // part of a very long list is shown.
    void succeeded(const QString& note = QString());
    void failed();

    bool isWaiting() const;
    QString text() const;

    // 15 s unless OLVA_STALL_TIMEOUT_MS says otherwise (read once) or a test
    // sets it.
    static int stallTimeoutMs();
    static void setStallTimeoutMs(int milliseconds);

    static QString loadingText();

signals:
    void stalled();

private:
    void show(const QString& text);

    QLabel* m_label;
    QString m_failureText;
    QTimer* m_stallTimer;
};
