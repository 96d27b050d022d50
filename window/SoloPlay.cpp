// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/SoloPlay.h"

#include "controls/MessageBoxes.h"
#include "game/ComputerSeat.h"
#include "game/OwnWords.h"
#include "game/WordList.h"
#include "game/WordPool.h"
#include "window/TForm1_p.h"
#include "window/pages/SoloPage.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {

// The name the setter's seat carries when the computer sits there.
const QString kComputer = QStringLiteral("Computer");
const QString kOwnWords = QStringLiteral("Eigene Wörter");

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
    m_window.m_pages->solo->setWordFile(m_window.m_solo.WordFile);
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
    QStringList offered = pool().topicsOffered(m_window.m_pages->solo->level());
    // One's own list stays offered while its file is unreadable: choosing
    // it says why.
    const QString &file = m_window.m_solo.WordFile;
    if (!file.isEmpty())
        offered << OwnWords::read(file, m_window.m_settings).topicsOffered(m_window.m_settings.Rounds);
    m_window.m_pages->solo->showTopics(offered, m_window.m_solo.Topic);
}

void SoloPlay::chooseWordFile(const QString &path)
{
    const OwnWords own = OwnWords::read(path, m_window.m_settings);
    if (own.problem() != OwnWords::Problem::None) {
        openMessageBox(&m_window, QMessageBox::Warning, kOwnWords, own.problemText(QFileInfo(path).fileName()),
                       own.refusedText());
        return;
    }
    m_window.m_solo.WordFile = path;
    m_window.m_pages->solo->setWordFile(path);
    showTopics();
    m_window.m_pages->solo->chooseTopic(OwnWords::topicName(path));
}

void SoloPlay::start(const QString &name, Difficulty::Level level, const QString &topic)
{
    if (OwnWords::isOwnTopic(topic)) {
        startOwn(name, level, topic);
        return;
    }
    const WordPool &words = pool();
    // Every round needs a word of its own.
    if (words.words(level, topic).size() < m_window.m_settings.Rounds) {
        showMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage);
        return;
    }
    begin(name, level, topic, words.words(level, topic));
}

void SoloPlay::startOwn(const QString &name, Difficulty::Level level, const QString &topic)
{
    const QString path = m_window.m_solo.WordFile;
    const QString fileName = QFileInfo(path).fileName();
    const OwnWords own = OwnWords::read(path, m_window.m_settings);
    if (own.problem() != OwnWords::Problem::None) {
        openMessageBox(&m_window, QMessageBox::Warning, kOwnWords, own.problemText(fileName), own.refusedText());
        return;
    }
    const QStringList words = own.words(topic);
    const int rounds = m_window.m_settings.Rounds;
    if (words.size() < rounds) {
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Keine Wörter"),
                       QStringLiteral("Für „%1“ passen %2 Wörter aus „%3“ zu den Einstellungen, für %4 Runden "
                                      "braucht es %4. Wähle weniger Runden oder ergänze die Datei.")
                           .arg(topic)
                           .arg(words.size())
                           .arg(fileName)
                           .arg(rounds),
                       own.refusedText());
        return;
    }
    if (own.refused().isEmpty()) {
        begin(name, level, topic, words);
        return;
    }
    // The match starts once the player has read which lines are left out.
    openMessageBox(&m_window, QMessageBox::Information, kOwnWords,
                   QStringLiteral("Diese Zeilen aus „%1“ passen nicht zu den Einstellungen und werden nicht "
                                  "gespielt:\n\n%2")
                       .arg(fileName, own.refusedText()),
                   QString(), [this, name, level, topic, words] { begin(name, level, topic, words); });
}

void SoloPlay::begin(const QString &name, Difficulty::Level level, const QString &topic, const QStringList &words)
{
    m_window.m_solo.Name = name;
    m_window.m_solo.Level = level;
    m_window.m_solo.Topic = topic;
    auto *computer = new ComputerSeat(*m_window.m_match, WordDraw(words, m_window.m_solo.History, m_window.m_environment.random));
    computer->setObjectName(QStringLiteral("computerSeat"));
    m_computer = computer;
    connect(computer, &ComputerSeat::noWordLeft, this, [this] {
        openMessageBox(&m_window, QMessageBox::Information, QStringLiteral("Keine Wörter"), WordPool::NoWordMessage,
                       QString(), [this] { m_window.leaveMatch(); });
    });
    // The computer sets the first word as the match starts.
    m_window.startMatch(m_window.m_settings, {kComputer, name}, computer, MatchState::Mode::Solo);
}

// One's own words have no difficulty, and so no best.
bool SoloPlay::playsOwnWords() const
{
    return OwnWords::isOwnTopic(m_window.m_solo.Topic);
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
    if (playsOwnWords()) {
        m_newBest = false;
        m_window.showRecord();
        return;
    }
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
    if (playsOwnWords())
        return text;
    const QString level = Difficulty::name(m_window.m_solo.Level);
    const SoloBest &best = m_window.m_solo.bestAt(m_window.m_solo.Level);
    if (m_newBest)
        text += QStringLiteral("\n\nDas ist dein neuer Bestwert auf „%1“!").arg(level);
    else if (!best.isEmpty())
        text += QStringLiteral("\n\nDein Bestwert auf „%1“: %2 von %3.").arg(level).arg(best.guessed).arg(best.words);
    return text;
}
