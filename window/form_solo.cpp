// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing alone: the computer sets the words from its list, the player
// guesses them all, one a round.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "game/ComputerSeat.h"
#include "game/WordList.h"
#include "window/TForm1_p.h"
#include "window/pages/SoloPage.h"

#include <QMessageBox>

namespace {

// The name the setter's seat carries when the computer sits there.
const QString kComputer = QStringLiteral("Computer");

} // namespace

void TForm1::openSolo()
{
    showPage(Solo);
    m_pages->solo->showChoice(m_solo.Name, m_solo.Level);
    // The words are read here rather than at "OK", so that the first turn
    // comes at once.
    showTopics();
    m_pages->solo->focusName();
}

// The words the settings allow, ranked; read once and kept while the
// settings stay as they are.
const WordPool &TForm1::soloPool()
{
    if (!m_state->pool || m_state->poolSettings != m_settings) {
        const WordList &words = m_environment.words ? *m_environment.words : WordList::shipped();
        m_state->pool = std::make_unique<WordPool>(words, m_settings);
        m_state->poolSettings = m_settings;
    }
    return *m_state->pool;
}

// Only the topics with a word for every round of the match at the chosen
// level.
void TForm1::showTopics()
{
    m_pages->solo->showTopics(soloPool().topicsOffered(m_pages->solo->level()), m_solo.Topic);
}

void TForm1::startSolo(const QString &name, Difficulty::Level level, const QString &topic)
{
    const WordPool &pool = soloPool();
    // Every round needs a word of its own.
    if (pool.words(level, topic).size() < m_settings.Rounds) {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage);
        return;
    }

    m_solo.Name = name;
    m_solo.Level = level;
    m_solo.Topic = topic;
    auto *computer = new ComputerSeat(*m_match, WordDraw(pool, level, topic, m_solo.History, m_environment.random));
    computer->setObjectName(QStringLiteral("computerSeat"));
    m_state->computer = computer;
    connect(computer, &ComputerSeat::noWordLeft, this, [this] {
        openMessageBox(this, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage,
                       QString(), [this] { leaveMatch(); });
    });
    // The computer sets the first word as the match starts.
    startMatch(m_settings, {kComputer, name}, computer, MatchState::Mode::Solo);
}

// Every word the computer set stays in its history, also when the match is
// left before its end, so the next match chooses other words first.
void TForm1::soloTurnEnds()
{
    if (m_match->mode() == MatchState::Mode::Solo && m_state->computer)
        m_solo.History = m_state->computer->draw().history();
}

void TForm1::soloMatchEnded()
{
    if (m_match->mode() != MatchState::Mode::Solo)
        return;
    const Scoring::SoloResult result = Scoring::soloResultOf(m_match->record());
    const SoloBest now{result.guessed, result.played, int(result.mistakes)};
    SoloBest &best = m_solo.bestAt(m_solo.Level);
    m_state->soloNewBest = now.betterThan(best);
    if (m_state->soloNewBest)
        best = now;
    showRecord();
}

// "Anna hat 4 von 5 Wörtern erraten." and the best at this level.
QString TForm1::soloResultText() const
{
    if (!m_match->lastTurnPlayed())
        return QString();
    const Scoring::SoloResult result = Scoring::soloResultOf(m_match->record());
    QString text = Scoring::soloResultText(m_match->name(MatchState::Player2), result.guessed, result.played);
    const QString level = Difficulty::name(m_solo.Level);
    const SoloBest &best = m_solo.bestAt(m_solo.Level);
    if (m_state->soloNewBest)
        text += QStringLiteral("\n\nDas ist dein neuer Bestwert auf „%1“!").arg(level);
    else if (!best.isEmpty())
        text += QStringLiteral("\n\nDein Bestwert auf „%1“: %2 von %3.").arg(level).arg(best.guessed).arg(best.words);
    return text;
}
