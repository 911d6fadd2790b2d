#include "shell/databasewatch.h"

#include <QFileInfo>

DatabaseWatch::DatabaseWatch(QString path, QObject* parent) : QObject(parent), m_path(std::move(path))
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(kQuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &DatabaseWatch::settled);
    // Every event in the folder (our own lock and settings files too) costs one stat of the database later.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_quiet, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_quiet, qOverload<>(&QTimer::start));
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    m_watcher.addPath(m_path);
}

void DatabaseWatch::settled()
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
    emit changed();
}
