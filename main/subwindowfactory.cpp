#include "main/subwindowfactory.h"

#include <array>

namespace {

struct Entry
{
    SubWindowFactory::Creator create;
    SubWindowFactory::Refresher refresh;
};

std::array<Entry, SubWindowKind::Count>& entries()
{
    static std::array<Entry, SubWindowKind::Count> table;
    return table;
}

bool isKnownKind(int kind)
{
    return kind >= 0 && kind < SubWindowKind::Count;
}

} // namespace

void SubWindowFactory::registerKind(int kind, Creator create, Refresher refresh)
{
    if (isKnownKind(kind))
        entries()[kind] = Entry{std::move(create), std::move(refresh)};
}

void SubWindowFactory::unregisterKind(int kind)
{
    if (isKnownKind(kind))
        entries()[kind] = Entry{};
}

bool SubWindowFactory::isRegistered(int kind)
{
    return isKnownKind(kind) && entries()[kind].create != nullptr;
}

QWidget* SubWindowFactory::create(int kind)
{
    return isRegistered(kind) ? entries()[kind].create() : nullptr;
}

void SubWindowFactory::refresh(int kind, QWidget* window)
{
    if (window && isKnownKind(kind) && entries()[kind].refresh)
        entries()[kind].refresh(window);
}
