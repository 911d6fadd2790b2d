#include "access/accesscontrol.h"
#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/passwordprompt.h"
#include "settings/settingsstore.h"
#include "store/sealedfile.h"

namespace {

QString existingDatabase(const CommandLine& line, bool sealed)
{
    const QString path = databasePathFor(line);
    refuseMissing(path);
    if (SealedFile::isSealedFile(path) != sealed)
        fail(QStringLiteral("%1 is %2; nothing was changed")
                 .arg(path, sealed ? QStringLiteral("not sealed") : QStringLiteral("sealed already")));
    return path;
}

} // namespace

int encryptCommand(const CommandLine& line)
{
    const QString path = existingDatabase(line, false);
    QString password;
    EditSession session(openDatabase(line, Access::Secrets, &password));
    // A master password already set is the one the file is sealed with, as the settings' box seals it.
    if (password.isEmpty()) password = PasswordPrompt::askNew();
    QString error;
    std::unique_ptr<SealKey> key = SealKey::derive(password, KdfParams::standard(), &error);
    if (!key) fail(asClause(error) + QStringLiteral("; nothing was changed"));
    if (!session.file().rekey(std::move(key), &error))
        fail(QStringLiteral("%1 was not sealed: %2").arg(path, error));
    // While the app's database is sealed its settings hold no copy of the password: the file checks it.
    SettingsStore settings;
    if (isAppDatabase(path) && !settings.remove(SettingKey::PW))
        fail(QStringLiteral("%1 is sealed, but the settings still hold the master password: %2")
                 .arg(path, settings.lastError()));
    print(QStringLiteral("Sealed %1: it opens only with the password, which nothing can recover.\n")
              .arg(path)
              .toUtf8());
    return 0;
}

int decryptCommand(const CommandLine& line)
{
    const QString path = existingDatabase(line, true);
    QString password;
    EditSession session(openDatabase(line, Access::Secrets, &password));
    QString error;
    if (!session.file().rekey(nullptr, &error))
        fail(QStringLiteral("%1 was not decrypted: %2").arg(path, error));
    // A plain database is checked against the password in the settings again, as after the settings' box.
    SettingsStore settings;
    const bool stored = !isAppDatabase(path) || !MasterPassword::required(settings) ||
                        settings.writeSecret(SettingKey::PW, password);
    wipe(password);
    if (!stored)
        fail(QStringLiteral("%1 is plain again, but the settings could not take the master password: %2")
                 .arg(path, settings.lastError()));
    print(
        QStringLiteral("Decrypted %1: anyone who can read the file reads its entries.\n").arg(path).toUtf8());
    return 0;
}
