#include "store/storelistkind.h"

namespace StoreListKind {

bool isValid(int kind)
{
    return kind >= 0 && kind < Count;
}

bool isStoreKind(int kind)
{
    return kind >= 0 && kind < 15 && (position(kind) == FirstTab || position(kind) == SecondTab);
}

bool isSearchKind(int kind)
{
    return kind >= 0 && kind < 15 && position(kind) == Search;
}

bool isLibraryKind(int kind)
{
    return (kind >= 0 && kind < 15 && position(kind) == Library) || kind == ProgramFromLibrary;
}

bool isCartKind(int kind)
{
    return kind >= 0 && kind < 15 && position(kind) == Cart;
}

bool isProgramKind(int kind)
{
    return kind == ProgramFromStore || kind == ProgramFromLibrary;
}

int kindFor(int category, int categoryTab, int productTab)
{
    switch (categoryTab) {
    case 1:
        return 5 * category + Library;
    case 2:
        return 5 * category + Cart;
    default:
        return 5 * category + productTab;
    }
}

QString categoryType(int category)
{
    switch (category) {
    case 0:
        return QStringLiteral("WORKOUT");
    case 1:
        return QStringLiteral("NUTRITION");
    case 2:
        return QStringLiteral("COACHING");
    default:
        return {};
    }
}

Request request(int kind, int programId)
{
    if (isProgramKind(kind))
        return {QStringLiteral("getProgramVideos"), QStringLiteral("product_id"), QString::number(programId)};
    if (!isValid(kind))
        return {};
    static const char* const productTabs[3][2] = {
        {"WORKOUT", "PROGRAM"},
        {"NUTRITION", "NUTRITION_VIDEO"},
        {"COACHING", "COACHING_VIDEO"},
    };
    const int c = category(kind);
    switch (position(kind)) {
    case FirstTab:
    case SecondTab:
        return {QStringLiteral("getVideos"), QStringLiteral("video_type"),
                QString::fromLatin1(productTabs[c][position(kind)])};
    case Search:
        return {QStringLiteral("getVideos"), QStringLiteral("video_type"), QStringLiteral("SEARCH%1").arg(c + 1)};
    case Library:
        return {QStringLiteral("getLocalVideo"), QStringLiteral("type"), categoryType(c)};
    default:
        return {QStringLiteral("getCheckout"), QStringLiteral("product_type"), categoryType(c)};
    }
}

} // namespace StoreListKind
