// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Word page: the secret word is checked, folded and the turn prepared.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "game/GameSettings.h"
#include "game/WordRules.h"
#include "net/PeerLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>

// A refused word changes nothing: the last turn's word stays on the game
// page, which a repaint may still show.
bool TForm1::refuseWord(const QString &typed)
{
    if (typed.isEmpty()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"), QStringLiteral("Gib ein Wort ein."));
        return true;
    }
    if (WordRules::CountDistinctChars(typed) <= 1 && SetFirstLetter->isChecked()) {
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Fehler"),
                       QStringLiteral("Das Wort muss aus mindestens zwei verschiedenen Buchstaben bestehen, "
                                      "da der erste Buchstabe des Wortes dem Spieler vorgegeben wird."));
        return true;
    }
    const CharSet allowed = WordRules::allowedChars(WordRules::CharacterOptions::of(currentSettings()));
    const WordRules::FoldResult folded = WordRules::foldToAllowed(typed, allowed);
    if (!folded.accepted()) {
        // The word may come from the peer: its characters are shown, never
        // read as markup.
        showMessageBox(this, QMessageBox::Warning, QStringLiteral("Unzulässige Zeichen"),
                       QStringLiteral("Diese Zeichen sind unzulässig: ") + folded.rejectedList());
        return true;
    }
    return false;
}

void TForm1::WordOKClick()
{
    const QString typed = Word->text();
    if (refuseWord(typed))
        return;

    RoundState.AllowedChars = WordRules::allowedChars(WordRules::CharacterOptions::of(currentSettings()));
    RoundState.SecretWord = WordRules::foldToAllowed(typed, RoundState.AllowedChars).word;

    const QLineEdit *guesser = RoundState.GuessingPlayer == 0 ? Player1 : Player2;
    WordGuessingInfo->setText(guesser->text()
                              + (LocalSetsWord() ? QStringLiteral(" versucht, das Wort zu erraten")
                                                 : QStringLiteral(", errate dieses Wort:")));
    curMistakes->setValue(0);
    MaxMistakes->setValue(Mistakes->value());
    RoundState.RoundOver = false;
    const bool timed = !NoLimit->isChecked();
    TimeLabel->setVisible(timed);
    Time->setVisible(timed);
    Time->setValue(TimeLimit->value());
    CharList->clear();
    showPage(GamePage);
    GameStartGame->setVisible(!LocalSetsWord());
    GameOK->hide();

    // The peer checks and folds the word itself.
    if (LocalSetsWord())
        peer().sendWord(typed);
}

void TForm1::showWordEntry(WordEntry entry)
{
    const QLineEdit *setter = RoundState.GuessingPlayer == 1 ? Player1 : Player2;
    const QLineEdit *guesser = RoundState.GuessingPlayer == 1 ? Player2 : Player1;
    const bool open = entry == WordEntry::Open || entry == WordEntry::OpenOncePeerReady;

    if (entry == WordEntry::PeerTypes) {
        WordInfo->setText(setter->text() + QStringLiteral(" gibt ein Wort ein"));
        Word->setText(setter->text() + QStringLiteral(" gibt ein Wort ein..."));
    } else {
        WordInfo->setText(QStringLiteral("Gib ein Wort an, ") + setter->text() + QLatin1Char('!'));
        if (open)
            Word->clear();
        else
            Word->setText(QStringLiteral("Warten auf ") + guesser->text());
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
    showPage(StartPage);
}
