#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Tells when the database file may have been changed by another copy: written in place, or replaced by the
// rename a sync engine does (which ends a watch on the file itself, so its folder is watched too and the
// file watched again). A burst of events gives one changed(), once the file has been quiet for a moment.
class DatabaseWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 700;

    DatabaseWatch(QString path, QObject* parent);

    // Asks for changed() again after the quiet time: the change could not be taken in yet.
    void retry() { m_quiet.start(); }

signals:
    void changed();

private:
    void settled();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
};
