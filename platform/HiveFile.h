// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// One hive of the registry stand-in as its file holds it: text values
// under paths of names joined by "/", in the INI form that QSettings reads
// and writes, so that the files of earlier versions, which kept their
// hives with QSettings, read the same and stay readable to them:
//
//   [Software]
//   Kx\Lettrisko\UpdateInterval=dword:0000000e
//   Kx\Lettrisko\ApplicationFileName="sz:\"/home/anna/Meine Spiele/lettrisko\" /x"
//
// The first name of a path is the section ("[General]" holds paths of one
// name, "[%General]" a first name "General"), the rest the key, its "/"
// written "\". In names, every character but ASCII letters, digits, "_",
// "-" and "." is written "%XX" or "%UXXXX"; empty names between slashes
// are dropped as the file is read. Values are UTF-8; quotes, backslashes,
// control characters and halves of surrogate pairs are escaped with "\",
// and a value holding ";", "," or "=" or starting or ending in a blank is
// quoted. A value starting with "@" is written with "@@". Lines starting
// with ";" are comments; of two equal paths the last counts.
//
// Names are compared as they are spelt; the registry on top of it finds
// them without regard to case.
class HiveFile
{
public:
    static HiveFile parse(const QByteArray &bytes);
    QByteArray serialize() const;

    bool contains(const QString &path) const;
    QString value(const QString &path) const;
    // False when the path held this value already.
    bool setValue(const QString &path, const QString &value);
    // Removes the value at the path and every value below it; false when
    // there was none.
    bool remove(const QString &path);
    // The names below a group ("" for the top) that lead to further names,
    // and those that hold values, in file order.
    QStringList childGroups(const QString &group) const;
    QStringList childKeys(const QString &group) const;

private:
    int indexOf(const QString &path) const;

    // Path and value, in the order they were read or added.
    QList<QPair<QString, QString>> m_entries;
};
