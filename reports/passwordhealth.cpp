#include "reports/passwordhealth.h"

#include "generator/strength.h"
#include "store/entrystore.h"

#include <QHash>
#include <QStringList>
#include <QtConcurrent/QtConcurrentMap>

QString HealthFinding::problemText() const
{
    if (problems & EmptyPassword) return QStringLiteral("empty");
    QStringList parts;
    if (problems & ShortPassword) parts << QStringLiteral("shorter than %1").arg(kShortestGood);
    if (problems & WeakPassword) parts << QStringLiteral("weak");
    if (problems & ReusedPassword) parts << QStringLiteral("reused (%1)").arg(sharedBy);
    return parts.join(QStringLiteral(", "));
}

QString HealthReport::summary() const
{
    if (findings.isEmpty()) return QStringLiteral("No empty, short, weak or reused passwords found.");
    return QStringLiteral("%1 %2 to look at: %3 empty, %4 shorter than %5 characters, %6 weak, %7 reused.")
        .arg(findings.size())
        .arg(findings.size() == 1 ? QStringLiteral("entry") : QStringLiteral("entries"))
        .arg(empty)
        .arg(shortOnes)
        .arg(kShortestGood)
        .arg(weak)
        .arg(reused);
}

HealthReport checkPasswordHealth(const EntryStore& store)
{
    struct Seen {
        int count = 0;
        bool weak = false;
    };
    QHash<QString, Seen> seen;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const Entry& e : store.list(c).entries())
            if (!e.pass().isEmpty()) ++seen[e.pass().toString()].count;
    // The estimate is nearly all of the cost, and each one stands alone: spread them over the cores.
    QVector<QHash<QString, Seen>::iterator> estimates;
    estimates.reserve(seen.size());
    for (auto it = seen.begin(); it != seen.end(); ++it)
        estimates << it;
    QtConcurrent::blockingMap(estimates, [](QHash<QString, Seen>::iterator it) {
        it->weak = Strength::of(it.key()).bits < kWeakBits;
    });

    HealthReport report;
    for (int c = 0; c < kCategoryCount; ++c) {
        const QVector<Entry>& entries = store.list(c).entries();
        for (int row = 0; row < entries.size(); ++row) {
            const QString pass = entries.at(row).pass().toString();
            HealthFinding f{c, row, 0, 0};
            if (pass.isEmpty()) {
                f.problems = EmptyPassword;
            } else {
                const Seen& s = seen.value(pass);
                if (pass.size() < kShortestGood) f.problems |= ShortPassword;
                if (s.weak) f.problems |= WeakPassword;
                if (s.count > 1) {
                    f.problems |= ReusedPassword;
                    f.sharedBy = s.count;
                }
            }
            if (!f.problems) continue;
            report.empty += bool(f.problems & EmptyPassword);
            report.shortOnes += bool(f.problems & ShortPassword);
            report.weak += bool(f.problems & WeakPassword);
            report.reused += bool(f.problems & ReusedPassword);
            report.findings << f;
        }
    }
    return report;
}
