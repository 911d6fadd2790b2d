#pragma once

#include <QString>
#include <QVector>

class EntryStore;

// What is wrong with an entry's field 3; an entry may have several of these.
enum HealthProblem : unsigned {
    EmptyPassword = 1,
    ShortPassword = 2,  // fewer than kShortestGood characters
    WeakPassword = 4,   // under kWeakBits by the strength estimator
    ReusedPassword = 8, // the same as another entry's
};

struct HealthFinding {
    int category = 0;
    int row = 0; // 0-based position in its list
    unsigned problems = 0;
    int sharedBy = 0; // for a reused password: how many entries hold it, this one included

    // "empty", or some of "shorter than 8", "weak", "reused (3)" joined by ", ".
    QString problemText() const;
};

struct HealthReport {
    QVector<HealthFinding> findings; // in store order
    int empty = 0;
    int shortOnes = 0;
    int weak = 0;
    int reused = 0;

    // "3 entries to look at: 1 empty, 1 shorter than 8 characters, 2 weak, 2 reused." or the all-clear.
    QString summary() const;
};

constexpr int kShortestGood = 8;
constexpr double kWeakBits = 40;

// Looks at every entry's field 3; never copies a password into the report. Each distinct password is
// estimated once, so many entries sharing few passwords cost little.
HealthReport checkPasswordHealth(const EntryStore& store);
