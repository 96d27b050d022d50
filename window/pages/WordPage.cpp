// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/WordPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "game/WordRules.h"
#include "window/pages/PageKit.h"

#include <QFontMetrics>
#include <QKeyEvent>
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
    Word->installEventFilter(this);

    connect(WordOK, &QAbstractButton::clicked, this, &WordPage::WordOKClick);
    connect(WordCancel, &QAbstractButton::clicked, this, &WordPage::WordCancelClick);
}

void WordPage::showWordEntry(WordEntry entry, const QString &setter, const QString &guesser)
{
    const bool open = entry == WordEntry::Open || entry == WordEntry::OpenOncePeerReady;
    // What the closed field says, with a name that fits beside the rest.
    const QFontMetrics fieldMetrics(Word->font());
    const int fieldRoom = Word->width() - 16;
    if (entry == WordEntry::PeerTypes) {
        showWithName(WordInfo, QString(), setter, QStringLiteral(" gibt ein Wort ein"));
        Word->setText(fitName(fieldMetrics, fieldRoom, QString(), setter, QStringLiteral(" gibt ein Wort ein...")));
    } else {
        showWithName(WordInfo, QStringLiteral("Gib ein Wort an, "), setter, QStringLiteral("!"));
        if (open)
            Word->clear();
        else
            Word->setText(fitName(fieldMetrics, fieldRoom, QStringLiteral("Warten auf "), guesser, QString()));
    }
    Word->setEnabled(open);
    // While the entry waits, OK stays closed too, or the waiting text
    // could be sent as a word.
    WordOK->setEnabled(entry == WordEntry::Open);
}

bool WordPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Word && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        const bool character = !typed.isEmpty() && typed.at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (character && Word->text().size() - Word->selectedText().size() + typed.size() > Word->maxLength())
            Q_EMIT inputRefused();
    }
    return QWidget::eventFilter(watched, event);
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
