#include "store/categories.h"

#include <array>

namespace {

struct CategoryInfo {
    const char* tabCaption;
    const char* keyword;
    std::array<const char*, kFieldCount> columns;
};

const std::array<CategoryInfo, kCategoryCount> kCategories = {{
    {"Web Pages", "HTML", {"Site Name", "User Name", "Password", "Site URL", "Notes"}},
    {"Serial Numbers", "SERIAL", {"Application", "User Name", "Serial Number", "Filename", "Notes"}},
    {"Applications", "APP", {"Application", "User Name", "Password", "Filename", "Notes"}},
    {"Wallet", "WALLET", {"Credit Card Type", "Name on Card", "Card Number", "Expiration Date", "Notes"}},
    {"Remote Systems", "REMOTE", {"System Address", "User Name", "Password", "System Type", "Protocol"}},
    {"Misc", "MISC", {"Description", "User Name", "Password", "Notes", "Notes"}},
}};

} // namespace

QString tabCaption(int category)
{
    return isCategory(category) ? QString::fromLatin1(kCategories[category].tabCaption) : QString();
}

QString categoryKeyword(int category)
{
    return isCategory(category) ? QString::fromLatin1(kCategories[category].keyword) : QString();
}

QStringList columnCaptions(int category)
{
    QStringList captions;
    if (isCategory(category))
        for (const char* caption : kCategories[category].columns)
            captions << QString::fromLatin1(caption);
    return captions;
}
