// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Round.h"

#include <QStringList>

std::optional<Round::Guess> Round::start(const Rules &rules)
{
    m_rules = rules;
    m_mistakes = 0;
    m_seconds = rules.startSeconds;
    GuessedChars.clear();
    RoundRunning = true;

    if (m_rules.firstLetterGiven && !SecretWord.isEmpty())
        return guess(SecretWord.at(0));
    return std::nullopt;
}

Round::Guess Round::guess(QChar key)
{
    if (!RoundRunning)
        return Guess::Refused;
    const QChar upper = upperCaseOf(key);
    if (!AllowedChars.contains(key) && !AllowedChars.contains(upper))
        return Guess::Refused;
    if (GuessedChars.contains(upper))
        return Guess::Repeated;
    GuessedChars.insert(upper);

    bool inWord = false;
    for (const QChar c : qAsConst(SecretWord)) {
        if (upperCaseOf(c) == upper) {
            inWord = true;
            break;
        }
    }

    Guess result = inWord ? Guess::Hit : Guess::Miss;
    if (!inWord && ++m_mistakes == m_rules.maxMistakes) {
        end();
        result = Guess::Lost;
    }
    // A fresh period, also after a wrong or losing guess.
    if (m_rules.timeLimit == TimeLimit::PerGuess)
        m_seconds = m_rules.periodSeconds;
    if (inWord && settle())
        result = Guess::Won;
    return result;
}

Round::Tick Round::tick()
{
    if (!RoundRunning)
        return Tick::Ignored;
    --m_seconds;
    if (m_seconds > 0)
        return Tick::Counted;
    loseWithMaximum();
    return Tick::TimedOut;
}

bool Round::giveUp()
{
    if (!RoundRunning)
        return false;
    loseWithMaximum();
    return true;
}

bool Round::settle()
{
    if (!RoundRunning || hiddenCount() != 0)
        return false;
    end();
    return true;
}

std::optional<QChar> Round::giveHint()
{
    if (!RoundRunning)
        return std::nullopt;
    for (const QChar c : qAsConst(SecretWord)) {
        if (!isRevealed(c)) {
            const QChar upper = upperCaseOf(c);
            GuessedChars.insert(upper);
            ++m_mistakes;
            return upper;
        }
    }
    return std::nullopt;
}

int Round::hiddenDistinct() const
{
    CharSet hidden;
    int count = 0;
    for (const QChar c : qAsConst(SecretWord)) {
        const QChar upper = upperCaseOf(c);
        if (!isRevealed(c) && !hidden.contains(upper)) {
            hidden.insert(upper);
            ++count;
        }
    }
    return count;
}

bool Round::isRevealed(QChar c) const
{
    return GuessedChars.contains(upperCaseOf(c));
}

QString Round::spokenWord() const
{
    if (!RoundRunning && !RoundOver)
        return QString();
    QStringList positions;
    for (const QChar c : SecretWord) {
        // A blank alone would be read as nothing at all.
        const QString shown = c == QLatin1Char(' ') ? QStringLiteral("Leerzeichen") : QString(c);
        if (isRevealed(c))
            positions << shown;
        else if (RoundOver)
            positions << shown + QStringLiteral(" (nicht erraten)");
        else
            positions << QStringLiteral("Lücke");
    }
    return positions.join(QLatin1Char(' '));
}

int Round::hiddenCount() const
{
    int hidden = 0;
    for (const QChar c : qAsConst(SecretWord)) {
        if (!isRevealed(c))
            ++hidden;
    }
    return hidden;
}

// A turn lost other than by mistakes costs the full count of them.
void Round::loseWithMaximum()
{
    m_mistakes = m_rules.maxMistakes;
    end();
}

void Round::end()
{
    RoundRunning = false;
    RoundOver = true;
}
