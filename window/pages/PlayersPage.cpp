// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/PlayersPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "text/CodePageValidator.h"
#include "window/pages/PageKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

using namespace PageKit;

PlayersPage::PlayersPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Spieler"));
    Panel2 = banner(this, "Panel2", QStringLiteral("Spielernamen"));
    Logo2 = decoration(this, "Logo2", 534);

    Player1 = edit(this, "Player1", {240, 52, 201, 34});
    labelEndingAt(this, QStringLiteral("Spieler &1:"), 222, 56, Player1)->setObjectName(QStringLiteral("Label_Player1"));
    Player2 = edit(this, "Player2", {240, 100, 201, 34});
    // The names are written to an 8-bit file; the edits refuse, with the
    // default beep, anything that would not come back from it.
    for (QLineEdit *name : {Player1, Player2}) {
        name->setValidator(new CodePageValidator(name));
        connect(name, &QLineEdit::inputRejected, this, &PlayersPage::inputRefused);
    }
    labelEndingAt(this, QStringLiteral("Spieler &2:"), 222, 104, Player2)->setObjectName(QStringLiteral("Label_Player2"));

    auto *hint = label(this, QStringLiteral("Spieler 1 beginnt"), 369, 464);
    hint->setAlignment(Qt::AlignRight | Qt::AlignTop);

    PlayersCancel = button(this, "PlayersCancel", QStringLiteral("Abbrechen"), {16, 504, 185, 57});
    PlayersCancel->setCancelButton(true);
    setCancelGlyph(PlayersCancel);
    PlayersOK = button(this, "PlayersOK", QStringLiteral("OK"), {328, 504, 185, 57});
    PlayersOK->setDefaultButton(true);
    setOkGlyph(PlayersOK);

    chainTabOrder({Player1, Player2, PlayersCancel, PlayersOK});

    connect(PlayersCancel, &QAbstractButton::clicked, this, &PlayersPage::PlayersCancelClick);
    connect(PlayersOK, &QAbstractButton::clicked, this, &PlayersPage::PlayersOKClick);
    for (QLineEdit *each : {Player1, Player2})
        connect(each, &QLineEdit::textChanged, this, [this] { Q_EMIT namesEdited(namesOnPage()); });
}

PlayerNames PlayersPage::namesOnPage() const
{
    return PlayerNames{Player1->text(), Player2->text()};
}

void PlayersPage::showNames(const PlayerNames &names)
{
    // Each edit's change reports both names; the first must not drop the
    // second before it is shown.
    const QSignalBlocker blockFirst(Player1);
    const QSignalBlocker blockSecond(Player2);
    Player1->setText(names.Player1);
    Player2->setText(names.Player2);
}

void PlayersPage::focusFirstName()
{
    Player1->setFocus();
}

void PlayersPage::PlayersOKClick()
{
    const PlayerNames names = namesOnPage();
    QString problem;
    if (names.Player1.isEmpty())
        problem = QStringLiteral("Gib einen Namen ein, Spieler 1.");
    else if (names.Player2.isEmpty())
        problem = QStringLiteral("Gib einen Namen ein, Spieler 2.");
    else if (names.Player1 == names.Player2)
        problem = QStringLiteral("Beide Spieler müssen unterschiedliche Namen haben.");
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Fehler"), problem);
        return;
    }
    Q_EMIT accepted(names);
}

void PlayersPage::PlayersCancelClick()
{
    Q_EMIT cancelled();
}
