#include "editing/entryfields.h"

#include "store/entry.h"

namespace EntryFields {

QString fieldValue(const QString& boxText)
{
    return trimSpaces(boxText).left(kMaxLength);
}

QString joinedUrl(const QString& protocol, const QString& address)
{
    return fieldValue(protocol + fieldValue(address));
}

} // namespace EntryFields
