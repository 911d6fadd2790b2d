#include "reports/reportoptions.h"

namespace Reports {

QString reportCategoryCaption(int category)
{
    // Two of these differ from the main window's tab captions ("Web Pages", "Remote Systems").
    static const char* const kCaptions[kCategoryCount] = {"Web Sites", "Serial Numbers", "Applications",
                                                          "Wallet",    "Remote Servers", "Misc"};
    return isCategory(category) ? QString::fromLatin1(kCaptions[category]) : QString();
}

} // namespace Reports
