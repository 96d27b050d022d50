// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The words the computer chose lately, oldest first, which it avoids in
// the next matches. The caller keeps it between matches and saves it; each
// word is held as a fingerprint of three bytes, so that the settings file
// carries the last few hundred words in a line of a few kilobytes. Two
// words sharing a fingerprint (rare) only means that the one is avoided
// with the other.
class WordHistory
{
public:
    // The oldest words give way to new ones beyond this.
    static constexpr int Capacity = 500;

    // The word as the player saw it, whatever its case.
    void add(const QString &word);
    // From 0 for the oldest word to size() - 1 for the newest; -1 for a word
    // not in the history.
    int recency(const QString &word) const;
    int size() const { return int(m_prints.size()); }

    // Four characters a word (letters, digits, "-" and "_").
    QString toString() const;
    // What toString wrote; anything else reads as an empty history.
    static WordHistory fromString(const QString &text);

private:
    static quint32 fingerprint(const QString &word);

    QList<quint32> m_prints;
};
