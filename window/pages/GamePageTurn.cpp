// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The game page's parts that follow the turn as players know it from
// paper: the figure that grows with each mistake, the letters to click,
// giving up, and the line that says how the turn ended.
#include "window/pages/GamePage.h"

#include "controls/Named.h"
#include "controls/TGallows.h"
#include "controls/TKxBitBtn.h"
#include "controls/TLetterPad.h"
#include "game/MatchState.h"
#include "game/TurnOutcome.h"
#include "game/WordLayout.h"
#include "window/pages/PageKit.h"

#include <QAccessible>
#include <QLabel>

using namespace PageKit;

namespace {

// The band of the letters, under the banner where "Beginnen!" stands
// before the turn starts.
constexpr QRect kLetterBand(16, 46, 760, 68);
// Beside the letters, for a figure that finds no room below the word.
constexpr QRect kFigureBesideLetters(700, 44, 76, 72);
// The word's paint box and the clocks below it.
constexpr int kWordTop = 120;
constexpr int kClocksTop = 408;
constexpr int kFigureGap = 4;
constexpr int kLowestFigure = 100;
constexpr int kTallestFigure = 214;

} // namespace

void GamePage::setUpTurnControls()
{
    Letters = named(new TLetterPad(this), "Letters");
    Letters->setGeometry(kLetterBand);
    Letters->setFont(pixelFont(font(), 19));
    Letters->hide();
    connect(Letters, &TLetterPad::letterClicked, this, &GamePage::letterClicked);

    Gallows = named(new TGallows(this), "Gallows");
    Gallows->hide();

    OutcomeLine = named(new QLabel(this), "OutcomeLine");
    OutcomeLine->setTextFormat(Qt::PlainText);
    OutcomeLine->setGeometry(24, 512, 592, 49);
    OutcomeLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    OutcomeLine->setFont(pixelFont(font(), 19, true));
    OutcomeLine->hide();

    // Where "OK" comes once the turn is over; Esc asks for it too.
    GiveUp = button(this, "GiveUp", QStringLiteral("&Aufgeben"), {624, 512, 153, 49});
    GiveUp->setFont(pixelFont(font(), 19));
    GiveUp->setCancelButton(true);
    GiveUp->setFocusPolicy(Qt::NoFocus);
    GiveUp->hide();
    connect(GiveUp, &QAbstractButton::clicked, this, &GamePage::GiveUpClick);
    connect(&m_match, &MatchState::turnStarted, this, &GamePage::showTurnStarted);
}

void GamePage::GiveUpClick()
{
    Q_EMIT giveUpClicked();
}

QString GamePage::letterChoices() const
{
    const CharSet &allowed = m_match.roundState().AllowedChars;
    QString choices;
    for (const QChar c : QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß0123456789 ")) {
        if (allowed.contains(c) || allowed.contains(c.toLower()))
            choices += c;
    }
    return choices;
}

void GamePage::showNextWord()
{
    Letters->hide();
    Letters->setLetters(letterChoices());
    Letters->setOpen(false);
    Gallows->hide();
    OutcomeLine->hide();
    OutcomeLine->clear();
    GiveUp->hide();
    placeFigure();
    showFigure(false);
}

void GamePage::placeFigure()
{
    const int perLine = WordLayout::cellsPerLine();
    const int lines = (int(m_match.roundState().SecretWord.size()) + perLine - 1) / perLine;
    const int bandTop = kWordTop + lines * WordLayout::kLineStep + kFigureGap;
    const int room = qMin(kClocksTop - bandTop, kTallestFigure);
    if (room >= kLowestFigure) {
        const int width = room * Gallows->sizeHint().width() / Gallows->sizeHint().height();
        Gallows->setGeometry((ClientWidth - width) / 2, kClocksTop - room, width, room);
        Letters->setGeometry(kLetterBand);
    } else {
        Gallows->setGeometry(kFigureBesideLetters);
        Letters->setGeometry(kLetterBand.adjusted(0, 0, kFigureBesideLetters.left() - kLetterBand.right() - 8, 0));
    }
}

void GamePage::showFigure(bool lost)
{
    const TurnOutcome::FigureSteps steps
        = TurnOutcome::figureSteps(m_match.settings().Mistakes, m_match.roundState().mistakes(), lost);
    Gallows->setSteps(steps.shown, steps.total);
}

void GamePage::showTurnStarted()
{
    const bool network = m_match.roundState().NetworkGame;
    const bool guessing = m_match.stage() == MatchState::Stage::Guessing;
    Letters->show();
    // The setter of a network turn watches the letters being tried.
    Letters->setOpen(guessing && (!network || m_match.localGuesses()));
    Gallows->show();
    showFigure(false);
    // The other computer could not be told of it.
    GiveUp->setVisible(guessing && !network);
}

void GamePage::showTried(QChar key, bool right)
{
    Letters->markTried(upperCaseOf(key), right);
    showFigure(false);
}

void GamePage::showOutcome(const TurnRecord &turn)
{
    Letters->setOpen(false);
    GiveUp->hide();
    showFigure(turn.outcome != TurnRecord::Outcome::Won);

    using TurnOutcome::Viewer;
    Viewer viewer = Viewer::BothPlayers;
    if (m_match.roundState().NetworkGame)
        viewer = m_match.localGuesses() ? Viewer::Guesser : Viewer::Setter;
    else if (m_match.mode() == MatchState::Mode::Solo)
        viewer = Viewer::Guesser;
    const TurnOutcome::NamedText line
        = TurnOutcome::line(turn.outcome, turn.mistakes, viewer, m_match.name(turn.guessingPlayer));
    showWithName(OutcomeLine, line.before, line.name, line.after);
    OutcomeLine->show();
    // Read out as it appears, wherever the reader is.
    QAccessibleEvent alert(OutcomeLine, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
