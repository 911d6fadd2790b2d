#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The log of wrong master passwords typed at start-up: pw_log.txt in the data folder, Windows-1252,
// one CR LF line per attempt, oldest first, owner-only since the lines hold what was typed.
namespace FailedAttemptLog {

QString path();

// The date and time as the system writes them by default: the short date, a blank and the long time
// (without a time zone), or the date alone at exactly midnight.
QString generalDate(const QDateTime& when, const QLocale& locale = QLocale::system());

// "Attempt made on <date and time>:  <TAB><typed>" and CR LF, as the bytes written.
QByteArray line(const QDateTime& when, const QString& typed, const QLocale& locale = QLocale::system());

// Empties the log (creating it when missing). False, with the reason, when it cannot be written.
bool clear(QString* error = nullptr);

} // namespace FailedAttemptLog

// Appends the line for one wrong password typed now. False when the log cannot be written; the attempt
// is then not recorded, and nothing else changes.
bool LogFailedAttempt(const QString& typed);
