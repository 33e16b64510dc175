#include "exercise/exercisechanges.h"

#include <QCoreApplication>
#include <QPointer>

ExerciseChanges* ExerciseChanges::instance()
{
    static QPointer<ExerciseChanges> changes;
    if (!changes)
        changes = new ExerciseChanges(QCoreApplication::instance());
    return changes;
}
