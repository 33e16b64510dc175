#pragma once

#include <QString>

// The kinds of store list: 5 x category (0 workout, 1 nutrition, 2 coaching)
// + position (0 and 1 the product tabs, 2 search, 3 library, 4 cart); 15 and
// 16 are the videos of one complete program (opened from the store / from
// the library).
namespace StoreListKind {

enum Position { FirstTab = 0, SecondTab = 1, Search = 2, Library = 3, Cart = 4 };

inline constexpr int ProgramFromStore = 15;
inline constexpr int ProgramFromLibrary = 16;
inline constexpr int Count = 17;

bool isValid(int kind);
inline int category(int kind) { return kind / 5; }
inline int position(int kind) { return kind % 5; }

bool isStoreKind(int kind);   // 0, 1, 5, 6, 10, 11
bool isSearchKind(int kind);  // 2, 7, 12
bool isLibraryKind(int kind); // 3, 8, 13 and 16
bool isCartKind(int kind);    // 4, 9, 14
bool isProgramKind(int kind); // 15, 16

// The kind shown by a store window of `category` with category tab
// `categoryTab` (0 store, 1 library, 2 cart) and product tab `productTab`.
int kindFor(int category, int categoryTab, int productTab);

// The list request of a kind: endpoint name, selector field and its value.
// Program kinds send the program's id as "product_id".
struct Request
{
    QString endpoint;
    QString field;
    QString value;
};
Request request(int kind, int programId);

// "WORKOUT", "NUTRITION" or "COACHING": the product type of a category.
QString categoryType(int category);

} // namespace StoreListKind
