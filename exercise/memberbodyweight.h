#pragma once

#include "weight/weightentry.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <optional>

class WeightLog;

// The body weight burned calories are counted with, from the member's
// weight log: the log of the run (the one the weight window shows), with
// the weights still waiting to be sent. When nothing has read the log yet
// this run, it is read from the service once, so its trend counts without
// the weight window being opened. With no weight at all, the weight the
// member gave once.
class MemberBodyWeight final : public QObject
{
    Q_OBJECT

public:
    explicit MemberBodyWeight(QObject* parent = nullptr);

    QList<WeightEntry> entries() const;
    std::optional<double> kg() const;

signals:
    // The log changed: its trend may have too.
    void changed();

private:
    QPointer<WeightLog> m_log;
};
