#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Windows-1252 in both directions, from our own table so that stored files read the same on every machine.
// The five codes the code page leaves undefined (81, 8D, 8F, 90, 9D) map to the C1 controls of the same
// value, so every byte survives a round trip; a character outside the code page becomes '?'.
namespace Cp1252 {

QByteArray fromUnicode(const QString& text);
// Writes the bytes of text to out, which has room for text.size() bytes; returns how many were written
// (fewer when the text holds surrogate pairs).
qsizetype fromUnicode(QStringView text, char* out);
QString toUnicode(const QByteArray& bytes);
QString toUnicode(const char* bytes, qsizetype size);
// Writes the size characters of bytes to out; returns the end of what it wrote.
char16_t* toUnicode(const char* bytes, qsizetype size, char16_t* out);
// The character of one byte.
char16_t character(char byte);

// The characters of text that the code page cannot hold, each once, in the order they first appear.
QStringList unkeptCharacters(QStringView text);
// Empty when text can be stored whole; otherwise a sentence for the user naming the field by its caption and
// the characters that cannot be kept. Anything stored in the code page is checked here first, so that
// nothing is quietly turned into '?'.
QString unkeptProblem(const QString& text, const QString& caption);

} // namespace Cp1252
