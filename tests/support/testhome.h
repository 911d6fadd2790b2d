#pragma once

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
