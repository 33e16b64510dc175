#pragma once

#include <QDate>
#include <QObject>

// Tells the windows that show a day's exercise that it changed, wherever
// it was logged (the exercise window, the player's offer), so that the
// planner home and an open tracker show the new figures at once, and a
// changed earlier day goes to the service again.
class ExerciseChanges final : public QObject
{
    Q_OBJECT

public:
    static ExerciseChanges* instance();

    // `from` is the window that made the change and shows it already.
    void announce(const QDate& date, QObject* from = nullptr) { emit changed(date, from); }

signals:
    void changed(const QDate& date, QObject* from);

private:
    using QObject::QObject;
};
