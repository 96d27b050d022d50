// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SoloPlay.h"

#include "controls/MessageBoxes.h"
#include "game/ComputerSeat.h"
#include "game/WordList.h"
#include "game/WordPool.h"
#include "window/TForm1_p.h"
#include "window/pages/SoloPage.h"

#include <QMessageBox>

namespace {

// The name the setter's seat carries when the computer sits there.
const QString kComputer = QStringLiteral("Computer");

} // namespace

SoloPlay::SoloPlay(TForm1 &window)
    : QObject(&window)
    , m_window(window)
{
}

SoloPlay::~SoloPlay() = default;

void SoloPlay::open()
{
    m_window.showPage(TForm1::Solo);
    m_window.m_pages->solo->showChoice(m_window.m_solo.Name, m_window.m_solo.Level);
    // The words are read here rather than at "OK", so that the first turn
    // comes at once.
    showTopics();
    m_window.m_pages->solo->focusName();
}

// The words the settings allow, ranked; read once and kept while the
// settings stay as they are.
const WordPool &SoloPlay::pool()
{
    if (!m_pool || m_poolSettings != m_window.m_settings) {
        const WordList &words = m_window.m_environment.words ? *m_window.m_environment.words : WordList::shipped();
        m_pool = std::make_unique<WordPool>(words, m_window.m_settings);
        m_poolSettings = m_window.m_settings;
    }
    return *m_pool;
}

// Only the topics with a word for every round of the match at the chosen
// level.
void SoloPlay::showTopics()
{
    m_window.m_pages->solo->showTopics(pool().topicsOffered(m_window.m_pages->solo->level()), m_window.m_solo.Topic);
}

void SoloPlay::start(const QString &name, Difficulty::Level level, const QString &topic)
{
    const WordPool &words = pool();
    // Every round needs a word of its own.
    if (words.words(level, topic).size() < m_window.m_settings.Rounds) {
        showMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage);
        return;
    }

    m_window.m_solo.Name = name;
    m_window.m_solo.Level = level;
    m_window.m_solo.Topic = topic;
    auto *computer = new ComputerSeat(*m_window.m_match, WordDraw(words, level, topic, m_window.m_solo.History, m_window.m_environment.random));
    computer->setObjectName(QStringLiteral("computerSeat"));
    m_computer = computer;
    connect(computer, &ComputerSeat::noWordLeft, this, [this] {
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage,
                       QString(), [this] { m_window.leaveMatch(); });
    });
    // The computer sets the first word as the match starts.
    m_window.startMatch(m_window.m_settings, {kComputer, name}, computer, MatchState::Mode::Solo);
}

// Every word the computer set stays in its history, also when the match is
// left before its end, so the next match chooses other words first.
void SoloPlay::turnEnded()
{
    if (m_window.m_match->mode() == MatchState::Mode::Solo && m_computer)
        m_window.m_solo.History = m_computer->draw().history();
}

void SoloPlay::matchEnded()
{
    if (m_window.m_match->mode() != MatchState::Mode::Solo)
        return;
    const Scoring::SoloResult result = Scoring::soloResultOf(m_window.m_match->record());
    const SoloBest now{result.guessed, result.played, int(result.mistakes)};
    SoloBest &best = m_window.m_solo.bestAt(m_window.m_solo.Level);
    m_newBest = now.betterThan(best);
    if (m_newBest)
        best = now;
    m_window.showRecord();
}

// "Anna hat 4 von 5 Wörtern erraten." and the best at this level.
QString SoloPlay::resultText() const
{
    if (!m_window.m_match->lastTurnPlayed())
        return QString();
    const Scoring::SoloResult result = Scoring::soloResultOf(m_window.m_match->record());
    QString text = Scoring::soloResultText(m_window.m_match->name(MatchState::Player2), result.guessed, result.played);
    const QString level = Difficulty::name(m_window.m_solo.Level);
    const SoloBest &best = m_window.m_solo.bestAt(m_window.m_solo.Level);
    if (m_newBest)
        text += QStringLiteral("\n\nDas ist dein neuer Bestwert auf „%1“!").arg(level);
    else if (!best.isEmpty())
        text += QStringLiteral("\n\nDein Bestwert auf „%1“: %2 von %3.").arg(level).arg(best.guessed).arg(best.words);
    return text;
}
