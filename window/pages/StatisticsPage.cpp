// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/StatisticsPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TStringGrid.h"
#include "game/MatchState.h"
#include "window/pages/PageKit.h"

#include <QLabel>

using namespace PageKit;

namespace {

QString outcomeText(TurnRecord::Outcome outcome)
{
    switch (outcome) {
    case TurnRecord::Outcome::Won:
        return QStringLiteral("erraten");
    case TurnRecord::Outcome::LostByMistakes:
        return QStringLiteral("nicht erraten");
    case TurnRecord::Outcome::LostByTime:
        return QStringLiteral("Zeit abgelaufen");
    case TurnRecord::Outcome::GivenUp:
        return QStringLiteral("aufgegeben");
    }
    return QString();
}

void setBold(QLabel *label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

// A standings line in its style, the player's name shortened as far as the
// line needs, never its number.
void showLine(QLabel *label, bool bold, const QString &name, const std::function<QString(const QString &)> &line)
{
    setBold(label, bold);
    showWithName(label, name, line);
}

} // namespace

StatisticsPage::StatisticsPage(const MatchState &match, QWidget *parent)
    : QWidget(parent)
    , m_match(match)
{
    setObjectName(QStringLiteral("Statistik"));
    Panel4 = banner(this, "Panel4", QStringLiteral("Statistik"));
    Logo4 = decoration(this, "Logo4", 534);

    Statistik = named(new TStringGrid(5, 2, this), "Statistik");
    Statistik->setGeometry(16, 52, 505, 421);
    Statistik->setFont(pixelFont(font(), 16));

    StatistikP1Info = named(label(this, QString(), 16, 480), "StatistikP1Info");
    StatistikP2Info = named(label(this, QString(), 16, 512), "StatistikP2Info");
    for (QLabel *line : {StatistikP1Info, StatistikP2Info}) {
        line->setTextFormat(Qt::PlainText);
        line->setFont(pixelFont(font(), 19));
        line->resize(500, 28);
    }

    WinnerLabel = named(new QLabel(this), "WinnerLabel");
    WinnerLabel->setTextFormat(Qt::PlainText);
    WinnerLabel->setGeometry(536, 56, 249, 185);
    WinnerLabel->setAlignment(Qt::AlignCenter);
    WinnerLabel->setWordWrap(true);
    WinnerLabel->setFont(pixelFont(font(), 19, false, true));

    StatistikOK = button(this, "StatistikOK", QStringLiteral("OK"), {624, 256, 153, 49});
    StatistikOK->setDefaultButton(true);
    StatistikOK->setFont(pixelFont(font(), 19));
    setOkGlyph(StatistikOK);

    // Alone, the match can be left between two words.
    StatistikCancel = button(this, "StatistikCancel", QStringLiteral("Abbrechen"), {624, 312, 153, 49});
    StatistikCancel->setCancelButton(true);
    StatistikCancel->setFont(pixelFont(font(), 19));
    setCancelGlyph(StatistikCancel);
    StatistikCancel->hide();

    chainTabOrder({Statistik, StatistikOK, StatistikCancel});
    Statistik->setAccessibleName(QStringLiteral("Statistik"));

    Statistik->setColWidth(0, 32);
    Statistik->setColWidth(1, 192);
    Statistik->setColWidth(4, 192);
    Statistik->setCells(2, 0, QStringLiteral("< Fehler"));
    Statistik->setCells(3, 0, QStringLiteral("Fehler >"));
    connect(StatistikOK, &QAbstractButton::clicked, this, &StatisticsPage::StatistikOKClick);
    connect(StatistikCancel, &QAbstractButton::clicked, this, &StatisticsPage::StatistikCancelClick);
}

void StatisticsPage::showRecord(const QString &soloResult)
{
    const int rounds = m_match.settings().Rounds;
    Statistik->setRowCount(rounds + 1);
    for (int row = 1; row < Statistik->RowCount(); ++row) {
        Statistik->setCells(0, row, QString::number(row));
        for (int column = 1; column < Statistik->columnCount(); ++column)
            Statistik->setCells(column, row, QString());
    }
    const QString player1 = m_match.name(MatchState::Player1);
    const QString player2 = m_match.name(MatchState::Player2);
    const bool solo = m_match.mode() == MatchState::Mode::Solo;
    StatistikCancel->setVisible(solo && !m_match.lastTurnPlayed());
    // Alone, the fourth column takes the room of the outcome's words.
    Statistik->setColWidth(3, solo ? 160 : 64);
    Statistik->setColWidth(4, solo ? 0 : 192);
    if (solo) {
        // One player: the computer's words, the mistakes on each, and how it went.
        Statistik->setCells(1, 0, QStringLiteral("Wörter des Computers"));
        Statistik->setCells(2, 0, QStringLiteral("Fehler"));
        Statistik->setCells(3, 0, QStringLiteral("Ergebnis"));
        Statistik->setCells(4, 0, QString());
        for (const TurnRecord &turn : m_match.record()) {
            Statistik->setCells(1, turn.round, turn.word);
            Statistik->setCells(2, turn.round, QString::number(turn.mistakes));
            Statistik->setCells(3, turn.round, outcomeText(turn.outcome));
        }
        WinnerLabel->setText(m_match.lastTurnPlayed() ? soloResult : QString());
        return;
    }
    Statistik->setCells(1, 0, QStringLiteral("Worte von ") + player1);
    Statistik->setCells(2, 0, QStringLiteral("< Fehler"));
    Statistik->setCells(3, 0, QStringLiteral("Fehler >"));
    Statistik->setCells(4, 0, QStringLiteral("Worte von ") + player2);
    for (const TurnRecord &turn : m_match.record()) {
        // Player 2 guessed player 1's word, or player 1 player 2's.
        const bool ofPlayer1 = turn.guessingPlayer == 1;
        Statistik->setCells(ofPlayer1 ? 1 : 4, turn.round, turn.word);
        Statistik->setCells(ofPlayer1 ? 2 : 3, turn.round, QString::number(turn.mistakes));
    }
    WinnerLabel->setText(m_match.lastTurnPlayed()
                             ? Scoring::matchResultText(m_match.standings().leader, player1, player2)
                             : QString());
}

// A new match leaves the last match's standings until its first turn is in.
void StatisticsPage::showStandings(const Scoring::Standings &standings)
{
    if (m_match.mode() == MatchState::Mode::Solo) {
        const Scoring::SoloResult result = Scoring::soloResultOf(m_match.record());
        const QString player = m_match.name(MatchState::Player2);
        showLine(StatistikP1Info, false, player,
                 [&result](const QString &name) { return Scoring::soloGuessedLine(name, result.guessed); });
        showLine(StatistikP2Info, false, player, [&result](const QString &name) {
            return Scoring::standingsLine(Scoring::WinnerRule::FewestMistakes, name, result.mistakes);
        });
        return;
    }
    const Scoring::WinnerRule rule = m_match.winnerRule();
    showLine(StatistikP1Info, standings.leader == Scoring::Leader::Player1, m_match.name(MatchState::Player1),
             [&](const QString &name) { return Scoring::standingsLine(rule, name, standings.player1); });
    showLine(StatistikP2Info, standings.leader == Scoring::Leader::Player2, m_match.name(MatchState::Player2),
             [&](const QString &name) { return Scoring::standingsLine(rule, name, standings.player2); });
}

void StatisticsPage::StatistikOKClick()
{
    Q_EMIT okClicked();
}

void StatisticsPage::StatistikCancelClick()
{
    Q_EMIT cancelClicked();
}
