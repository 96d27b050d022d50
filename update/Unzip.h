#pragma once

#include <QString>
#include <QStringList>

// Unpacks every entry of a zip archive straight into one folder, the way
// the update needs it: the entries' folders are not recreated, each file
// lands under its bare name; a file already there is kept, not overwritten.
// Names that are empty, "." or ".." once their folder part is gone are
// skipped, so nothing is ever written outside the destination.
struct UnzipResult
{
    // The archive could be opened and read to its end.
    bool ok = false;
    // A German sentence naming what went wrong; empty when ok.
    QString errorString;
    // Bare names of the files written, in archive order.
    QStringList extracted;
    // Entries left out: folders, unusable names, files already present.
    QStringList skipped;
};

UnzipResult unzipFlat(const QString &archivePath, const QString &destinationDirectory);
