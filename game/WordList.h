// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The nouns the computer chooses from in solo play, each with its topics.
class WordList
{
public:
    struct Entry
    {
        QString word;
        // Easy, Medium or Hard; Mixed for a word the list gives no level,
        // which only "gemischt" plays.
        Difficulty::Level level = Difficulty::Level::Mixed;
        QStringList topics;
    };

    // The list's text: UTF-8, a word a line, then its level ("leicht",
    // "mittel", "schwer"; empty or anything else: none), then its topics,
    // all separated by tabs; lines starting with "#" and blank lines say
    // nothing.
    static WordList fromText(const QByteArray &utf8);
    // The list that travels inside the program, read anew.
    static WordList readShipped();
    // The same, read when it is first asked for, so that starting the game
    // never waits for it.
    static const WordList &shipped();

    const QList<Entry> &entries() const { return m_entries; }
    // Every topic an entry names, sorted.
    QStringList topics() const;

private:
    QList<Entry> m_entries;
};
