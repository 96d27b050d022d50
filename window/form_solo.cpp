// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Playing alone: the computer sets the words from its list, the player
// guesses them all, one a round.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TKxBitBtn.h"
#include "controls/TRadioGroup.h"
#include "game/ComputerSeat.h"
#include "game/WordDraw.h"
#include "game/WordList.h"
#include "game/WordPool.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

namespace {

// The name the setter's seat carries when the computer sits there.
const QString kComputer = QStringLiteral("Computer");

} // namespace

void TForm1::SoloGameClick()
{
    showPage(SoloPage);
    SoloName->setText(m_solo.Name);
    SoloDifficulty->setItemIndex(int(m_solo.Level));
    // The words are read here rather than at "OK", so that the first turn
    // comes at once.
    showTopics();
    SoloName->setFocus();
}

// The words the settings allow, ranked; read once and kept while the
// settings stay as they are.
const WordPool &TForm1::soloPool()
{
    if (!m_pool || m_poolSettings != m_settings) {
        const WordList &words = m_environment.words ? *m_environment.words : WordList::shipped();
        m_pool = std::make_unique<WordPool>(words, m_settings);
        m_poolSettings = m_settings;
    }
    return *m_pool;
}

// Only the topics with a word for every round of the match at the chosen
// level; the one chosen before stays chosen while it is offered.
void TForm1::showTopics()
{
    const Difficulty::Level level = Difficulty::Level(qMax(0, SoloDifficulty->ItemIndex()));
    const QString chosen = SoloTopic->count() > 0 ? SoloTopic->currentText() : m_solo.Topic;
    SoloTopic->clear();
    SoloTopic->addItems(soloPool().topicsOffered(level));
    SoloTopic->setCurrentIndex(qMax(0, SoloTopic->findText(chosen)));
}

void TForm1::SoloDifficultyClick()
{
    showTopics();
}

void TForm1::SoloOKClick()
{
    const QString name = SoloName->text();
    if (name.isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), QStringLiteral("Gib deinen Namen ein."));
        SoloName->setFocus();
        return;
    }
    const Difficulty::Level level = Difficulty::Level(qMax(0, SoloDifficulty->ItemIndex()));
    const QString topic = SoloTopic->currentText();
    const WordPool &pool = soloPool();
    // Every round needs a word of its own.
    if (pool.words(level, topic).size() < m_settings.Rounds) {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage);
        return;
    }

    m_solo.Name = name;
    m_solo.Level = level;
    m_solo.Topic = topic;
    m_computer = new ComputerSeat(*m_match, WordDraw(pool, level, topic, m_solo.History, m_environment.random));
    m_computer->setObjectName(QStringLiteral("computerSeat"));
    connect(m_computer, &ComputerSeat::noWordLeft, this, [this] {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage);
        soloMatchEnds();
    });
    // The computer sets the first word as the match starts.
    m_keyboard = new KeyboardSeat(*m_match);
    m_match->start(m_settings, kComputer, name, m_computer, m_keyboard, MatchState::Mode::Solo);
}

void TForm1::SoloCancelClick()
{
    showPage(StartPage);
}

void TForm1::StatistikCancelClick()
{
    soloMatchEnds();
}

// The match ends early or after its last word; what it played stays in
// the history, so the next match chooses other words first.
void TForm1::soloMatchEnds()
{
    if (m_keyboard)
        m_keyboard->leave();
    showPage(StartPage);
}

void TForm1::HintClick()
{
    if (m_keyboard)
        m_keyboard->takeHint();
}

// "Tipp" shows in a match alone, usable while a hint is to be had.
void TForm1::showHint()
{
    if (!isPageBuilt(GamePage))
        return;
    const bool solo = m_match->mode() == MatchState::Mode::Solo;
    Hint->setVisible(solo && m_match->stage() != MatchState::Stage::TurnOver);
    Hint->setEnabled(m_match->hintAvailable());
}

// Every word the computer set stays in its history, also when the match is
// left before its end.
void TForm1::soloTurnEnds()
{
    if (m_match->mode() == MatchState::Mode::Solo && m_computer)
        m_solo.History = m_computer->draw().history();
}

void TForm1::soloMatchEnded()
{
    if (m_match->mode() != MatchState::Mode::Solo)
        return;
    const Scoring::SoloResult result = Scoring::soloResultOf(m_match->record());
    const SoloBest now{result.guessed, result.played, int(result.mistakes)};
    SoloBest &best = m_solo.bestAt(m_solo.Level);
    m_soloNewBest = now.betterThan(best);
    if (m_soloNewBest)
        best = now;
    showRecord();
}

// "Anna hat 4 von 5 Wörtern erraten." and the best at this level.
QString TForm1::soloResultText() const
{
    const Scoring::SoloResult result = Scoring::soloResultOf(m_match->record());
    QString text = Scoring::soloResultText(m_match->name(MatchState::Player2), result.guessed, result.played);
    const QString level = Difficulty::name(m_solo.Level);
    const SoloBest &best = m_solo.bestAt(m_solo.Level);
    if (m_soloNewBest)
        text += QStringLiteral("\n\nDas ist dein neuer Bestwert auf „%1“!").arg(level);
    else if (!best.isEmpty())
        text += QStringLiteral("\n\nDein Bestwert auf „%1“: %2 von %3.").arg(level).arg(best.guessed).arg(best.words);
    return text;
}
