#include "main/dialogfactory.h"

#include <QMap>

namespace {

QMap<DialogFactory::Kind, DialogFactory::Runner>& runners()
{
    static QMap<DialogFactory::Kind, DialogFactory::Runner> table;
    return table;
}

} // namespace

void DialogFactory::registerRunner(Kind kind, Runner run)
{
    if (run)
        runners().insert(kind, std::move(run));
    else
        runners().remove(kind);
}

void DialogFactory::unregisterRunner(Kind kind)
{
    runners().remove(kind);
}

bool DialogFactory::isRegistered(Kind kind)
{
    return runners().contains(kind);
}

std::optional<int> DialogFactory::run(Kind kind, const QVariant& argument)
{
    // A copy: the runner may re-register while its dialog is open.
    const Runner runner = runners().value(kind);
    if (!runner)
        return std::nullopt;
    return runner(argument);
}
