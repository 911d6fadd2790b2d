#include "tests/support/testhome.h"

#include <QDir>

namespace {
const char* const kVariables[3] = {"KEYVANE_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"};
}

TestHome::TestHome()
{
    for (int i = 0; i < 3; ++i)
        m_saved[i] = qgetenv(kVariables[i]);
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("KEYVANE_HOME", m_dir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("runtime")).toUtf8());
}

TestHome::~TestHome()
{
    for (int i = 0; i < 3; ++i) {
        if (m_saved[i].isNull())
            qunsetenv(kVariables[i]);
        else
            qputenv(kVariables[i], m_saved[i]);
    }
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool ownerOnly(const QString& path)
{
    return QFile::exists(path) &&
           (int(QFile::permissions(path)) & 0x7077) == int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
