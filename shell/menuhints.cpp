#include "shell/menuhints.h"

#include <array>
#include <utility>

QString menuHint(const QString& itemText)
{
    static const std::array<std::pair<const char*, const char*>, 18> kHints = {{
        {"Save", "Save the password database."},
        {"Page", "Configure the printer."},
        {"Prin", "Send the password database to the printer."},
        {"Exit", "Exit Keyvane"},
        {"Add ", "Add a new entry to the database."},
        {"Prop", "Edit the currently selected item."},
        {"Dele", "Delete the currently selected item."},
        {"Go!!", "Launch the selected web site or application."},
        {".Rep", "View and save generated reports."},
        {"Pass", "Launch the Password Generator."},
        {"Wind", "Change the Windows logon password."},
        {"Scre", "Change the screen saver password."},
        {"Sett", "Edit Keyvane's configuration."},
        {"Secu", "View Keyvane's security options."},
        {"Hide", "Hide all sensitive information."},
        {"Show", "Show all sensitive information."},
        {"Cont", "Display the help file."},
        {"Abou", "Display information about Keyvane."},
    }};
    const QString key = itemText.trimmed().left(4);
    for (const auto& [prefix, hint] : kHints)
        if (key == QLatin1String(prefix)) return QLatin1String(hint);
    return {};
}
