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
