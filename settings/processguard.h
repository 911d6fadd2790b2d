#pragma once

#include <QString>

// What keeps the secrets of a running Keyvane out of places the user did not choose.
namespace ProcessGuard {

// Turns core dumps off for this process, at start, so that a crash writes no image of its memory, which
// holds the passwords in clear. False when the system refused.
bool disableCoreDumps();

// A sentence for the user when others than its owner may write the data folder, and so could plant links
// there under the names of Keyvane's files; empty when only the owner may.
QString dataFolderWarning();

} // namespace ProcessGuard
