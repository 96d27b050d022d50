// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/WordPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "game/WordRules.h"
#include "window/pages/PageKit.h"

#include <QLabel>
#include <QLineEdit>

using namespace PageKit;

WordPage::WordPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Wort"));
    WordInfo = banner(this, "WordInfo", QStringLiteral("Wortangabe"));
    Logo3 = decoration(this, "Logo3", 534);

    Word = edit(this, "Word", {240, 52, 529, 34});
    Word->setMaxLength(WordRules::MaxWordLength);
    auto *caption = label(this, QStringLiteral("&Wort:"), 170, 56, Word);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    caption->setObjectName(QStringLiteral("Label_Word"));

    WordCancel = button(this, "WordCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    WordCancel->setCancelButton(true);
    setCancelGlyph(WordCancel);
    WordOK = button(this, "WordOK", QStringLiteral("OK"), {328, 504, 185, 57});
    WordOK->setDefaultButton(true);
    setOkGlyph(WordOK);

    chainTabOrder({Word, WordCancel, WordOK});

    connect(WordOK, &QAbstractButton::clicked, this, &WordPage::WordOKClick);
    connect(WordCancel, &QAbstractButton::clicked, this, &WordPage::WordCancelClick);
}

void WordPage::showWordEntry(WordEntry entry, const QString &setter, const QString &guesser)
{
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
}

void WordPage::allowWord()
{
    WordOK->setEnabled(true);
}

void WordPage::focusWord()
{
    if (Word->isEnabled())
        Word->setFocus();
}

void WordPage::WordOKClick()
{
    Q_EMIT wordEntered(Word->text());
}

void WordPage::WordCancelClick()
{
    Q_EMIT cancelled();
}
