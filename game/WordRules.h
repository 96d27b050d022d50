// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/CharSet.h"

#include <QString>
#include <QStringList>

struct GameSettings;

// The character rules of a secret word: which characters the settings
// allow, how lower-case letters are folded to capitals, and which
// characters are refused.
namespace WordRules {

// The longest word or sentence a setter can give.
inline constexpr int MaxWordLength = 60;

// The four character options of the settings page.
struct CharacterOptions
{
    bool noSpecialChars = true;
    bool capitalLetters = true;
    bool acceptSentences = false;
    bool acceptNumbers = false;

    static CharacterOptions of(const GameSettings &settings);
};

// A to Z always; umlauts, lower case, punctuation and digits by the options.
// ß only comes with the lower-case letters: it has no capital to fold to.
CharSet allowedChars(const CharacterOptions &options);

// The text split into the characters the user sees: a character made of
// two UTF-16 units (an emoji) or of a letter and its accents is one.
// Accents typed separately are first joined to their letter where
// Windows-1252 has the combined character.
QStringList userCharacters(const QString &text);

// The number of different characters of the upper-cased text; blanks,
// digits and punctuation count like letters.
int CountDistinctChars(const QString &text);
// The same for a text already split by userCharacters.
int CountDistinctChars(const QStringList &characters);

struct FoldResult
{
    // The word with every refused character kept and every foldable one
    // replaced by its capital.
    QString word;
    // Each refused character as the user sees it, every occurrence in order.
    QStringList rejected;

    bool accepted() const { return rejected.isEmpty(); }
    // "1; 2" for the message.
    QString rejectedList() const { return rejected.join(QStringLiteral("; ")); }
};

// A character that is allowed stays; one whose capital is allowed becomes
// that capital; any other, and any character Windows-1252 cannot hold,
// is refused.
FoldResult foldToAllowed(const QString &word, const CharSet &allowed);
// The same for a word already split by userCharacters: the folded word has
// as many characters.
FoldResult foldToAllowed(const QStringList &characters, const CharSet &allowed);

} // namespace WordRules
