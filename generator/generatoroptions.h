#pragma once

#include <QString>
#include <QStringList>

// Everything a password can be made from: the three settings of the seed's engine and the "More options"
// ones. With none of the latter in use, a password comes from RandomPassword, exactly as it always has;
// otherwise every character or word is drawn uniformly from the operating system's secure source.
struct GeneratorOptions {
    int passwordType = 3; // as RandomPassword: 1 digits, 3 digits and letters, other values letters
    int letterCase = 3;   // as RandomPassword: 1 upper, 2 lower, other values mixed
    int length = 6;

    bool symbols = false;
    QString symbolSet;        // empty: every punctuation character of printable ASCII
    bool noLookalike = false; // leaves out kLookalikes
    QString exclude;          // characters never to use
    bool everyKind = false;   // each chosen kind (digits, upper, lower, symbols) at least once

    bool passphrase = false;
    int words = 6;
    QString separator = QStringLiteral("-");
    bool capitalise = false; // one word, chosen at random, begins with a capital
    bool addDigit = false;   // one word, chosen at random, ends in a digit
    int longest = 0;         // the longest passphrase the receiver keeps; 0 for no limit

    // Whether any option beyond the seed's three is in use.
    bool moreOptions() const;
};

extern const QString kPunctuation; // the 32 punctuation characters of printable ASCII
extern const QString kLookalikes;  // characters easily taken for one another: l I O 0 1 |

// The characters of each chosen kind, after the symbol subset, look-alikes and exclusions.
QStringList characterKinds(const GeneratorOptions& options);

// A sentence saying why the options can make no password, or empty when they can.
QString optionsProblem(const GeneratorOptions& options);

// A new password; empty when optionsProblem() is not.
QString generatePassword(const GeneratorOptions& options);

// The entropy in bits of the choice the options make: log2 of the number of passwords they can give when
// all are equally likely, the Shannon entropy of the seed's uneven draws otherwise. 0 when they give none.
double entropyBits(const GeneratorOptions& options);
