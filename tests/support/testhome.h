#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// A throw-away home for one test: KEYVANE_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR point into a
// temporary folder, so no test touches the real home. The variables are restored on destruction.
class TestHome {
public:
    TestHome();
    ~TestHome();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[3];
};

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray readFile(const QString& path);
// Writes bytes over a file; false when they did not all go.
bool writeFile(const QString& path, const QByteArray& bytes);
// Read and write for the owner, nothing for group and others.
bool ownerOnly(const QString& path);
