#include "settings/settingsstore.h"

#include "settings/apppaths.h"
#include "store/atomicfile.h"
#include "store/cipher.h"
#include "store/databasefile.h"

#include <QFile>
#include <cmath>

namespace {
const QString kGroup = QStringLiteral("Settings/");

// Truth text as the program has always converted it: "True"/"False" in any case, or a finite number.
bool truthOf(const QString& stored, bool absent)
{
    const QString text = stored.trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    return ok && std::isfinite(number) ? number != 0 : absent;
}
} // namespace

bool isFlagOn(const QString& text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    return ok && number == 1.0;
}

SettingsStore::SettingsStore() : SettingsStore(AppPaths::settingsFile()) {}

SettingsStore::SettingsStore(const QString& iniPath)
{
    // Created owner-only before QSettings first writes it: the file holds the enciphered passwords.
    if (!QFile::exists(iniPath)) {
        QFile file(iniPath);
        if (file.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) file.close();
    }
    makeOwnerOnly(iniPath);
    m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

bool SettingsStore::contains(const Setting& setting) const
{
    return m_settings->contains(kGroup + setting.key());
}

QString SettingsStore::read(const Setting& setting) const
{
    const QVariant value = m_settings->value(kGroup + setting.key());
    return value.isValid() ? value.toString() : QString::fromLatin1(setting.absent);
}

bool SettingsStore::flag(const Setting& setting) const
{
    return isFlagOn(read(setting));
}

bool SettingsStore::flagInDialog(const Setting& setting) const
{
    if (!setting.absentInDialog || contains(setting)) return flag(setting);
    return isFlagOn(QString::fromLatin1(setting.absentInDialog));
}

bool SettingsStore::truth(const Setting& setting) const
{
    return truthOf(read(setting), truthOf(QString::fromLatin1(setting.absent), false));
}

int SettingsStore::number(const Setting& setting) const
{
    bool ok = false;
    const int value = read(setting).trimmed().toInt(&ok);
    return ok && value >= 0 ? value : QString::fromLatin1(setting.absent).toInt();
}

QString SettingsStore::readSecret(const Setting& setting) const
{
    return DecryptText(read(setting), kProgramKey);
}

bool SettingsStore::write(const Setting& setting, const QString& text)
{
    m_settings->setValue(kGroup + setting.key(), text);
    return flushed();
}

bool SettingsStore::remove(const Setting& setting)
{
    m_settings->remove(kGroup + setting.key());
    return flushed();
}

bool SettingsStore::flushed()
{
    m_settings->sync();
    const bool written = m_settings->status() == QSettings::NoError && makeOwnerOnly(m_settings->fileName());
    m_lastError =
        written ? QString()
                : QStringLiteral("The settings could not be written to %1.").arg(m_settings->fileName());
    return written;
}

bool SettingsStore::writeTruth(const Setting& setting, bool value)
{
    return write(setting, truthText(value));
}

bool SettingsStore::writeSecret(const Setting& setting, const QString& clearText)
{
    return write(setting, EncryptText(clearText, kProgramKey));
}

QString SettingsStore::truthText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
