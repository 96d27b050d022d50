// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordRules.h"

#include "game/GameSettings.h"

#include <QSet>
#include <QTextBoundaryFinder>

namespace WordRules {

CharacterOptions CharacterOptions::of(const GameSettings &settings)
{
    CharacterOptions options;
    options.noSpecialChars = settings.NoSpecialChars;
    options.capitalLetters = settings.CapitalLetters;
    options.acceptSentences = settings.AcceptSentences;
    options.acceptNumbers = settings.AcceptNumbers;
    return options;
}

CharSet allowedChars(const CharacterOptions &options)
{
    CharSet allowed;
    for (unsigned char c = 'A'; c <= 'Z'; ++c)
        allowed.insertCode(c);
    if (!options.noSpecialChars) {
        for (unsigned char c : {196, 214, 220})
            allowed.insertCode(c);
        if (!options.capitalLetters) {
            for (unsigned char c : {223, 228, 246, 252})
                allowed.insertCode(c);
        }
    }
    if (!options.capitalLetters) {
        for (unsigned char c = 'a'; c <= 'z'; ++c)
            allowed.insertCode(c);
    }
    if (options.acceptSentences) {
        for (char c : {' ', '!', '"', ',', '-', '.', ':', ';', '?'})
            allowed.insertCode(static_cast<unsigned char>(c));
    }
    if (options.acceptNumbers) {
        for (unsigned char c = '0'; c <= '9'; ++c)
            allowed.insertCode(c);
    }
    return allowed;
}

QStringList userCharacters(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, composed);
    int start = 0;
    while (finder.toNextBoundary() != -1) {
        characters << composed.mid(start, finder.position() - start);
        start = finder.position();
    }
    return characters;
}

namespace {

// The capital a single character folds to; characters that are more than
// one unit have no place in the code page and stay as they are.
QString upperCaseCharacter(const QString &character)
{
    return character.size() == 1 ? QString(upperCaseOf(character.at(0))) : character;
}

bool isAllowed(const QString &character, const CharSet &allowed)
{
    return character.size() == 1 && allowed.contains(character.at(0));
}

} // namespace

int CountDistinctChars(const QString &text)
{
    return CountDistinctChars(userCharacters(text));
}

int CountDistinctChars(const QStringList &characters)
{
    QSet<QString> seen;
    for (const QString &character : characters)
        seen.insert(upperCaseCharacter(character));
    return seen.size();
}

FoldResult foldToAllowed(const QString &word, const CharSet &allowed)
{
    return foldToAllowed(userCharacters(word), allowed);
}

FoldResult foldToAllowed(const QStringList &characters, const CharSet &allowed)
{
    FoldResult result;
    for (const QString &character : characters) {
        const QString capital = upperCaseCharacter(character);
        if (isAllowed(character, allowed)) {
            result.word += character;
        } else if (isAllowed(capital, allowed) && cp1252Code(character.at(0)) >= 0) {
            // Only characters of the code page fold: "ı" has the capital I,
            // but no Windows-1252 player could have typed it.
            result.word += capital;
        } else {
            result.word += character;
            result.rejected << character;
        }
    }
    return result;
}

} // namespace WordRules
