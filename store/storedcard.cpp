#include "store/storedcard.h"

#include "app/settingsstore.h"

namespace StoredCard {

QString fieldName(Field field)
{
    static const char* const names[FieldCount] = {
        "cardFirstName", "cardLastName", "cardEmail", "cardPhone",  "cardCounntry", "cardCity",
        "cardState",     "cardZipCode",  "cardAddress", "cardNumber", "cardCode",    "cardExpirationDate"};
    return field >= 0 && field < FieldCount ? QString::fromLatin1(names[field]) : QString();
}

QString key(const QString& type, Field field, int productId)
{
    return type + fieldName(field) + QString::number(productId);
}

Values read(const QString& type, int productId)
{
    Values values;
    for (int f = 0; f < FieldCount; ++f)
        values[Field(f)] = SettingsStore::memberText(key(type, Field(f), productId));
    return values;
}

QString lastFour(const QString& number)
{
    QString digits;
    for (const QChar c : number) {
        if (c.isDigit())
            digits.append(c);
    }
    return digits.right(4);
}

void save(const QString& type, int productId, const Values& paid)
{
    if (productId < 1 || type.isEmpty())
        return;
    for (int f = 0; f < FieldCount; ++f) {
        const Field field = Field(f);
        // The code is never kept, not even as an empty value.
        if (field == Code) {
            SettingsStore::removeMemberKey(key(type, field, productId));
            continue;
        }
        const QString value = field == Number ? lastFour(paid[field]) : paid[field];
        SettingsStore::setMemberText(key(type, field, productId), value);
    }
}

} // namespace StoredCard
