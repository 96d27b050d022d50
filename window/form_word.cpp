// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Word page: the secret word is checked, folded and the turn prepared.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "net/PeerLink.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

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
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), QStringLiteral("Gib ein Wort ein."));
        return;
    case Problem::TooFewDistinct:
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"),
                       QStringLiteral("Das Wort muss aus mindestens zwei verschiedenen Buchstaben bestehen, "
                                      "da der erste Buchstabe des Wortes dem Spieler vorgegeben wird."));
        return;
    case Problem::RefusedCharacters:
        // The word may come from the peer: its characters are shown, never
        // read as markup.
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Unzulässige Zeichen"),
                       QStringLiteral("Diese Zeichen sind unzulässig: ") + verdict.refused.join(QStringLiteral("; ")));
        return;
    }
}

void TForm1::WordOKClick()
{
    if (m_keyboard)
        showRefusal(m_keyboard->setWord(Word->text()));
}

// The turn's word was accepted, typed here or sent by the peer.
void TForm1::showTurn()
{
    ensurePage(GamePage);
    const bool timed = m_match->settings().TimeLimit != TimeLimitMode::NoLimit;
    const QString guesser = m_match->name(m_match->guesser());
    if (m_match->mode() == MatchState::Mode::Solo)
        WordGuessingInfo->setText(QStringLiteral("Errate das Wort des Computers, ") + guesser + QLatin1Char('!'));
    else
        WordGuessingInfo->setText(guesser
                                  + (LocalSetsWord() ? QStringLiteral(" versucht, das Wort zu erraten")
                                                     : QStringLiteral(", errate dieses Wort:")));
    curMistakes->setValue(0);
    MaxMistakes->setValue(m_match->settings().Mistakes);
    TimeLabel->setVisible(timed);
    Time->setVisible(timed);
    Time->setValue(m_match->settings().TimeLimitValue);
    CharList->clear();
    showPage(GamePage);
    GameStartGame->setVisible(!LocalSetsWord());
    GameOK->hide();
    showHint();
}

void TForm1::showWordEntry(WordEntry entry)
{
    ensurePage(WordPage);
    const QString setter = m_match->name(m_match->setter());
    const QString guesser = m_match->name(m_match->guesser());
    const bool open = entry == WordEntry::Open || entry == WordEntry::OpenOncePeerReady;

    if (entry == WordEntry::PeerTypes) {
        WordInfo->setText(setter + QStringLiteral(" gibt ein Wort ein"));
        Word->setText(setter + QStringLiteral(" gibt ein Wort ein..."));
    } else {
        WordInfo->setText(QStringLiteral("Gib ein Wort an, ") + setter + QLatin1Char('!'));
        if (open)
            Word->clear();
        else
            Word->setText(QStringLiteral("Warten auf ") + guesser);
    }
    Word->setEnabled(open);
    // While the entry waits, OK stays closed too, or the waiting text
    // could be sent as a word.
    WordOK->setEnabled(entry == WordEntry::Open);
    if (open && currentPage() == WordPage)
        Word->setFocus();
}

void TForm1::WordCancelClick()
{
    if (RoundState.NetworkGame && peer().phase() != NetPhase::Connecting) {
        peer().sendLeave();
        // Closing by program: the leave message is not sent a second time.
        Button_IPCancelClick(nullptr);
    }
    if (m_keyboard)
        m_keyboard->leave();
    showPage(StartPage);
}
