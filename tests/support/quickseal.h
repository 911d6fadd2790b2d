#pragma once

#include "store/databasefile.h"
#include "store/sealedfile.h"

// Small key-derivation parameters keep the tests' derivations quick; a sealed file's header carries them
// like any others.
inline KdfParams quickParams()
{
    KdfParams params = KdfParams::standard();
    params.memoryBytes = quint64(1) << 20;
    params.passes = 1;
    return params;
}

// Seals the file as it is on disk (a missing one as an empty database) with the password, under
// quickParams().
inline bool sealQuickly(const QString& path, QString password)
{
    DatabaseFile file(path);
    file.read();
    QString error;
    return file.rekey(SealKey::derive(password, quickParams()), &error);
}
