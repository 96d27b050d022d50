// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include <bitset>
#include <optional>

// Character codes of the 8-bit Windows-1252 text the game works in.
// Returns -1 for a character that the code page cannot hold.
int cp1252Code(QChar c);
QChar fromCp1252(unsigned char code);

// Text in its 8-bit form and back, at the edges where it leaves the
// program (files, the network). Encoding gives nothing when a character
// has no code, rather than a different text.
QString decodeCp1252(const QByteArray &bytes);
std::optional<QByteArray> encodeCp1252(const QString &text);

// Single-character upper case: ß and the characters without an upper-case
// form of their own stay as they are.
QChar upperCaseOf(QChar c);

// A set of the 256 Windows-1252 character codes.
class CharSet
{
public:
    bool contains(QChar c) const;
    void insert(QChar c);
    void insertCode(unsigned char code) { m_codes.set(code); }
    bool containsCode(unsigned char code) const { return m_codes.test(code); }
    void clear() { m_codes.reset(); }
    bool isEmpty() const { return m_codes.none(); }
    int size() const { return int(m_codes.count()); }

    bool operator==(const CharSet &other) const { return m_codes == other.m_codes; }

private:
    std::bitset<256> m_codes;
};
