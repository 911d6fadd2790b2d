#pragma once

#include <QByteArray>
#include <QString>

// The program's own character-wise shift cipher with one fixed key. It hides stored secrets from a casual
// look at the files; it is not encryption in the modern sense, and the file format depends on it as it is.
inline const QString kProgramKey = QStringLiteral("vork");

QString EncryptText(const QString& text, const QString& key);
QString DecryptText(const QString& text, const QString& key);

// The same shifts on Windows-1252 bytes, for the database reader and writer.
QByteArray encryptBytes(QByteArray bytes, const QString& key);
QByteArray decryptBytes(QByteArray bytes, const QString& key);

// The key as the shifts use it (upper case, Windows-1252), and the shifts in place with it: the database
// reader and writer shift tens of thousands of fields with one key, so they prepare it once and shift
// in buffers of their own, with no allocation per record.
QByteArray cipherKey(const QString& key);
void encryptInPlace(char* bytes, qsizetype size, const QByteArray& cipherKey);
void decryptInPlace(char* bytes, qsizetype size, const QByteArray& cipherKey);
