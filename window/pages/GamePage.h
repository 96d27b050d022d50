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
class TKxBitBtn;
class TKxDigit;
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
    void showTurn(const QString &info, bool startOffered);
    void showGuess(QChar key, Round::Guess result);
    void showSecondsLeft(int seconds);
    void showTurnEnd(const TurnRecord &turn);
    // "Tipp", alone: shown while the turn lasts, usable while a hint is to
    // be had.
    void showHint(bool shown, bool usable);
    void showHintTaken();
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

Q_SIGNALS:
    void startClicked();
    void okClicked();
    void hintClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const TRoundState &round() const;
    void setUpAccess();

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
};
