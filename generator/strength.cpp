#include "generator/strength.h"

#include <zxcvbn.h>

#include <cmath>

Strength Strength::of(const QString& password)
{
    Strength s;
    s.bits = ZxcvbnMatch(password.toUtf8().constData(), nullptr, nullptr);
    const double guesses[] = {1e3, 1e6, 1e8, 1e10};
    for (const double limit : guesses)
        if (s.bits >= std::log2(limit)) ++s.score;
    return s;
}

QString Strength::rating() const
{
    static const char* const kRatings[] = {"very weak", "weak", "fair", "good", "strong"};
    return QLatin1String(kRatings[score]);
}
