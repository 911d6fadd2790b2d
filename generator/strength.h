#pragma once

#include <QString>

// How hard a given password is to guess, by the zxcvbn estimator: it looks for words, names, dates,
// keyboard runs, repeats and sequences, so "Password1" rates far lower than its length suggests.
struct Strength {
    double bits = 0; // log2 of the estimated guesses
    int score = 0;   // 0 to 4, by guesses: under 10^3, 10^6, 10^8, 10^10, and above

    static Strength of(const QString& password);
    // "very weak", "weak", "fair", "good" or "strong".
    QString rating() const;
};
