#include "settingsstore.h"

#include "apppaths.h"
#include "cipher.h"
#include "databasefile.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {
const QString kGroup = QStringLiteral("Settings/");

// The number a stored flag or truth text stands for, as the program has always converted it.
std::optional<double> numberOf(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}
} // namespace

SettingsStore::SettingsStore() : SettingsStore(AppPaths::settingsFile()) {}

SettingsStore::SettingsStore(const QString& iniPath)
{
    // Created owner-only before QSettings first writes it: the file holds the enciphered passwords.
    if (!QFile::exists(iniPath)) {
        QFile file(iniPath);
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
    makeOwnerOnly(iniPath);
    m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

bool SettingsStore::contains(const QString& key) const
{
    return m_settings->contains(kGroup + key);
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const
{
    const QVariant value = m_settings->value(kGroup + key);
    return value.isValid() ? value.toString() : defaultValue;
}

void SettingsStore::write(const QString& key, const QString& value)
{
    m_settings->setValue(kGroup + key, value);
    m_settings->sync();
    makeOwnerOnly(m_settings->fileName());
}

bool SettingsStore::flag(const QString& key, int defaultValue) const
{
    return flagValue(key, defaultValue) == 1;
}

int SettingsStore::flagValue(const QString& key, int defaultValue) const
{
    const std::optional<double> number = numberOf(read(key, QString::number(defaultValue)));
    return number ? int(*number) : defaultValue;
}

void SettingsStore::writeFlag(const QString& key, bool on)
{
    write(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsStore::truth(const QString& key, bool defaultValue) const
{
    const QString text = read(key, truthText(defaultValue)).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = numberOf(text);
    return number ? *number != 0 : defaultValue;
}

void SettingsStore::writeTruth(const QString& key, bool value)
{
    write(key, truthText(value));
}

QString SettingsStore::readSecret(const QString& key) const
{
    return DecryptText(read(key), kProgramKey);
}

void SettingsStore::writeSecret(const QString& key, const QString& clearText)
{
    write(key, EncryptText(clearText, kProgramKey));
}

QString SettingsStore::truthText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
