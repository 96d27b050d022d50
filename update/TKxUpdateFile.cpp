#include "update/TKxUpdateFile.h"

TKxUpdateFile::TKxUpdateFile(QObject *owner)
    : QObject(owner)
{
}

void TKxUpdateFile::AutomaticUpdate(const QString &, bool, double)
{
}
