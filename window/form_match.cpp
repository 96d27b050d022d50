// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The match and the pages: what the match says of every move, whoever made
// it, shown on the pages, and the one way a match starts and ends.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "net/NetworkSession.h"
#include "platform/SoundService.h"
#include "window/TForm1_p.h"
#include "window/pages/GamePage.h"
#include "window/pages/StatisticsPage.h"
#include "window/pages/WordPage.h"

#include <QMessageBox>
#include <QPushButton>

void TForm1::connectMatch()
{
    connect(m_match, &MatchState::matchStarted, this, &TForm1::showRecord);
    connect(m_match, &MatchState::wordSet, this, &TForm1::showTurn);
    connect(m_match, &MatchState::guessAnswered, this, &TForm1::showGuess);
    connect(m_match, &MatchState::clockChanged, this, &TForm1::TimerTimer);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showTurnEnd);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showRecord);
    connect(m_match, &MatchState::standingsChanged, this, [this](const Scoring::Standings &standings) {
        if (m_pages->statistics)
            m_pages->statistics->showStandings(standings);
    });
    connect(m_match, &MatchState::turnChanged, this, &TForm1::showNextTurn);
    connect(m_match, &MatchState::turnStarted, this, &TForm1::showHint);
    connect(m_match, &MatchState::turnEnded, this, &TForm1::showHint);
    connect(m_match, &MatchState::turnEnded, this, [this] { solo().turnEnded(); });
    connect(m_match, &MatchState::matchEnded, this, [this] { solo().matchEnded(); });
    connect(m_match, &MatchState::hintGiven, this, [this](QChar letter) {
        m_pages->game->showHintTaken(letter);
        showHint();
    });
}

void TForm1::StartMatch()
{
    startMatch(m_settings, m_names);
}

void TForm1::startMatch(const GameSettings &settings, const PlayerNames &names, Seat *other, MatchState::Mode mode)
{
    auto *keyboard = new KeyboardSeat(*m_match);
    keyboard->setObjectName(QStringLiteral("keyboardSeat"));
    m_state->keyboard = keyboard;
    Seat *seats[] = {keyboard, keyboard};
    // Alone, the computer sets every word; over the network the peer sits
    // at the other computer's place.
    if (!other && RoundState.NetworkGame)
        other = session().newSeat();
    if (other)
        seats[mode == MatchState::Mode::Solo ? MatchState::Player1 : 1 - m_match->localSeat()] = other;
    m_match->start(settings, names.Player1, names.Player2, seats[0], seats[1], mode);
}

KeyboardSeat *TForm1::keyboard() const
{
    return m_state->keyboard;
}

// However the match was played, leaving it ends it here; in a network game
// the other computer is told, unless the end came from there or the match
// was over.
void TForm1::leaveMatch(bool tellPeer)
{
    if (RoundState.NetworkGame)
        network().leave(tellPeer);
    // A turn cut short does not tick on behind the start page.
    if (m_state->keyboard)
        m_state->keyboard->leave();
    showPage(Start);
}

void TForm1::FormKeyPress(QChar key)
{
    // Typing is guessing only while the game page shows the turn.
    if (currentPage() == Game && m_state->keyboard)
        m_state->keyboard->guess(key);
}

// The clock runs on while the box is open; an answer that comes after the
// turn has ended otherwise is not taken.
void TForm1::askToGiveUp()
{
    if (m_match->stage() != MatchState::Stage::Guessing || RoundState.NetworkGame || m_state->giveUpQuery)
        return;
    auto *box = new QMessageBox(QMessageBox::Question, QStringLiteral("Aufgeben"),
                                QStringLiteral("Willst du das Wort wirklich aufgeben? Es zählt dann als nicht "
                                               "erraten, mit der höchsten Fehleranzahl."),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    QPushButton *yes = box->addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton *no = box->addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    m_state->giveUpQuery = box;
    const qsizetype turnsPlayed = m_match->record().size();
    connect(box, &QDialog::finished, this, [this, box, yes, turnsPlayed] {
        if (box->clickedButton() == yes && m_match->record().size() == turnsPlayed)
            if (m_state->keyboard)
                m_state->keyboard->giveUp();
    });
    box->open();
}

bool TForm1::PlaySoundResource(const QString &name)
{
    if (!m_settings.PlaySounds)
        return false;
    return sound().playResource(name);
}

// The turn's word was accepted, typed here or sent by the peer.
void TForm1::showTurn()
{
    ensurePage(Game);
    const QString guesser = m_match->name(m_match->guesser());
    if (m_match->mode() == MatchState::Mode::Solo)
        m_pages->game->showTurn(QStringLiteral("Errate das Wort des Computers, "), guesser, QStringLiteral("!"), true);
    else
        m_pages->game->showTurn(QString(), guesser,
                                LocalSetsWord() ? QStringLiteral(" versucht, das Wort zu erraten")
                                                : QStringLiteral(", errate dieses Wort:"),
                                !LocalSetsWord());
    showPage(Game);
    showHint();
}

void TForm1::showGuess(int seat, QChar key, Round::Guess result, bool atStart)
{
    Q_UNUSED(seat)
    // The given first letter is revealed silently.
    const bool audible = !atStart;
    switch (result) {
    case Round::Guess::Refused:
    case Round::Guess::Repeated:
        if (audible)
            sound().beep();
        return;
    case Round::Guess::Hit:
    case Round::Guess::Won:
        if (audible)
            PlaySoundResource(QStringLiteral("RICHTIG"));
        break;
    case Round::Guess::Miss:
    case Round::Guess::Lost:
        if (audible)
            PlaySoundResource(QStringLiteral("FALSCH"));
        break;
    }
    m_pages->game->showGuess(key, result);
    // A mistake may leave no room for a hint.
    showHint();
}

void TForm1::TimerTimer()
{
    m_pages->game->showSecondsLeft(RoundState.secondsLeft());
    PlaySoundResource(QStringLiteral("ZEIT"));
}

void TForm1::showTurnEnd(const TurnRecord &turn)
{
    m_pages->game->showTurnEnd(turn);
    PlaySoundResource(turn.outcome == TurnRecord::Outcome::Won ? QStringLiteral("GEWONNEN")
                                                               : QStringLiteral("VERLOREN"));
}

// "Tipp" shows in a match alone, usable while a hint is to be had.
void TForm1::showHint()
{
    if (!m_pages->game)
        return;
    const bool solo = m_match->mode() == MatchState::Mode::Solo;
    m_pages->game->showHint(solo && m_match->stage() != MatchState::Stage::TurnOver, m_match->hintAvailable());
}

// The grid shows the match's record of played turns, and the result once
// the last turn is in it.
void TForm1::showRecord()
{
    if (m_pages->statistics)
        m_pages->statistics->showRecord(m_match->mode() == MatchState::Mode::Solo ? solo().resultText() : QString());
}

// The next turn awaits its word; in a network game the seat of the other
// computer's player says who types it.
void TForm1::showNextTurn()
{
    // Alone, the computer sets the next word at once.
    if (m_match->mode() == MatchState::Mode::Solo)
        return;
    showPage(Word);
    if (!RoundState.NetworkGame)
        showWordEntry(int(WordPage::WordEntry::Open));
}

void TForm1::showWordEntry(int entry)
{
    ensurePage(Word);
    const auto wordEntry = WordPage::WordEntry(entry);
    m_pages->word->showWordEntry(wordEntry, m_match->name(m_match->setter()), m_match->name(m_match->guesser()));
    if (currentPage() == Word)
        m_pages->word->focusWord();
}

// A refused word changes nothing: the last turn's word stays on the game
// page, which a repaint may still show.
void TForm1::showRefusal(const MatchState::WordVerdict &verdict)
{
    using Problem = MatchState::WordVerdict::Problem;
    switch (verdict.problem) {
    case Problem::None:
    case Problem::NotAwaited:
        return;
    case Problem::Empty:
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), QStringLiteral("Gib ein Wort ein."));
        return;
    case Problem::TooFewDistinct:
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"),
                       QStringLiteral("Das Wort muss aus mindestens zwei verschiedenen Buchstaben bestehen, "
                                      "da der erste Buchstabe des Wortes dem Spieler vorgegeben wird."));
        return;
    case Problem::RefusedCharacters:
        // The word may come from the peer: its characters are shown, never
        // read as markup.
        openMessageBox(this, QMessageBox::Warning, QStringLiteral("Unzulässige Zeichen"),
                       QStringLiteral("Diese Zeichen sind unzulässig: ") + verdict.refused.join(QStringLiteral("; ")));
        return;
    }
}

SoloPlay &TForm1::solo()
{
    if (!m_state->solo)
        m_state->solo = new SoloPlay(*this);
    return *m_state->solo;
}

NetworkPlay &TForm1::network()
{
    if (!m_state->network)
        m_state->network = new NetworkPlay(*this);
    return *m_state->network;
}

NetworkSession &TForm1::session()
{
    return network().session();
}
