// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Round.h"

#include <QWidget>

class MatchState;
class QLabel;
class QListWidget;
class QPainter;
struct TRoundState;
struct TurnRecord;
class TGallows;
class TKxBitBtn;
class TKxDigit;
class TLetterPad;
class TPaintBox;

// The turn being guessed: the word with its gaps, the counters, the clock
// and the wrong guesses. It shows the match's turn and never changes it.
class GamePage : public QWidget
{
    Q_OBJECT

public:
    GamePage(const MatchState &match, QWidget *parent);

    // A new turn's word was accepted; "Beginnen!" is offered to whoever
    // starts it.
    // The banner names the guesser, shortened as far as it must.
    void showTurn(const QString &before, const QString &guesser, const QString &after, bool startOffered);
    // Guessing has started: the letters open to the guesser, the figure
    // and "Aufgeben" show.
    void showTurnStarted();
    void showGuess(QChar key, Round::Guess result);
    void showSecondsLeft(int seconds);
    void showTurnEnd(const TurnRecord &turn);
    // "Tipp", alone: shown while the turn lasts, usable while a hint is to
    // be had.
    void showHint(bool shown, bool usable);
    void showHintTaken(QChar letter);
    // Where the focus rests while the page offers nothing to press.
    QWidget *restingPlace() const;
    // The paint box is told that its picture changed.
    void DrawWord();
    void FormPaint(QPainter &painter);
    // The word in words, for screen readers.
    void showWordToReaders();

    void GameStartGameClick();
    void GameOKClick();
    void HintClick();
    void GiveUpClick();

Q_SIGNALS:
    void startClicked();
    void okClicked();
    void hintClicked();
    void giveUpClicked();
    // A letter clicked or tapped, as if typed.
    void letterClicked(QChar letter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const TRoundState &round() const;
    void setUpAccess();
    void setUpTurnControls();
    // The characters the rules let the guesser type, in the pad's order.
    QString letterChoices() const;
    // The figure stands below the word, or, where a long sentence leaves
    // no room there, beside the letters.
    void placeFigure();
    void showFigure(bool lost);
    // A new word: fresh letters, no figure, no outcome yet.
    void showNextWord();
    void showTried(QChar key, bool right);
    void showOutcome(const TurnRecord &turn);

    const MatchState &m_match;
    QLabel *WordGuessingInfo = nullptr;
    TKxBitBtn *GameStartGame = nullptr;
    TPaintBox *WordPaintBox = nullptr;
    QLabel *TimeLabel = nullptr;
    TKxDigit *Time = nullptr;
    TKxDigit *curMistakes = nullptr;
    TKxDigit *MaxMistakes = nullptr;
    QListWidget *CharList = nullptr;
    TKxBitBtn *GameOK = nullptr;
    TKxBitBtn *Hint = nullptr;
    TGallows *Gallows = nullptr;
    TLetterPad *Letters = nullptr;
    QLabel *OutcomeLine = nullptr;
    TKxBitBtn *GiveUp = nullptr;
};
