// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/StartPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "window/pages/PageKit.h"

#include <QKeySequence>
#include <QShortcut>

using namespace PageKit;

namespace {

// "Spiel starten! (Strg+N)": the key in the desktop's own spelling.
void showKeyInTip(QWidget *control, const QString &what, const QKeySequence &key)
{
    control->setToolTip(QStringLiteral("%1 (%2)").arg(what, key.toString(QKeySequence::NativeText)));
}

} // namespace

StartPage::StartPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Start"));
    PLogo = named(new TImage(this), "PLogo");
    PLogo->setGeometry(264, 96, 516, 466);
    PLogo->setStretch(true);
    PLogo->setFollowsPalette(true);
    PLogo->setPicture(glyph("title.png"));

    Firm = named(new TImage(this), "Firm");
    Firm->setGeometry(24, 16, 193, 97);
    Firm->setCursor(Qt::PointingHandCursor);

    Properties = button(this, "Properties", QStringLiteral("Einstellungen"), {16, 376, 217, 41});
    IPGame = button(this, "IPGame", QStringLiteral("TCP/IP-Spiel starten"), {16, 424, 217, 41});
    StartGame = button(this, "StartGame", QStringLiteral("Spiel starten!"), {16, 472, 217, 41});
    Terminate = button(this, "Terminate", QStringLiteral("Beenden"), {16, 520, 217, 41});
    // Playing alone heads the column, one button's step above the others.
    SoloGame = button(this, "SoloGame", QStringLiteral("Allein spielen"), {16, 328, 217, 41});
    for (TKxBitBtn *each : {SoloGame, Properties, IPGame, StartGame, Terminate})
        each->setFocusPolicy(Qt::NoFocus);
    PLogo->setAccessibleName(QStringLiteral("Lettrisko"));
    Firm->setAccessibleName(QStringLiteral("Info über Lettrisko"));

    connect(Properties, &QAbstractButton::clicked, this, &StartPage::PropertiesClick);
    connect(StartGame, &QAbstractButton::clicked, this, &StartPage::StartGameClick);
    connect(IPGame, &QAbstractButton::clicked, this, &StartPage::IPGameClick);
    connect(Terminate, &QAbstractButton::clicked, this, &StartPage::Beenden1Click);
    connect(SoloGame, &QAbstractButton::clicked, this, &StartPage::SoloGameClick);
    connect(Firm, &TImage::Click, this, &StartPage::FirmClick);
    setUpKeys();
}

void StartPage::setFirmPicture(const QPixmap &picture)
{
    Firm->setPicture(picture);
}

void StartPage::PropertiesClick()
{
    Q_EMIT settingsChosen();
}

void StartPage::StartGameClick()
{
    Q_EMIT localGameChosen();
}

void StartPage::IPGameClick()
{
    Q_EMIT networkGameChosen();
}

void StartPage::SoloGameClick()
{
    Q_EMIT soloGameChosen();
}

void StartPage::Beenden1Click()
{
    Q_EMIT endChosen();
}

void StartPage::FirmClick()
{
    Q_EMIT aboutChosen();
}

void StartPage::setUpKeys()
{
    // The buttons are no tab stops; their keys act exactly while the page
    // shows, as the buttons' own shortcuts do.
    StartGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Properties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    IPGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    SoloGame->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    // Where the desktop has keys of its own for these, they work too.
    const QList<QPair<QKeySequence::StandardKey, TKxBitBtn *>> desktopCommands{
        {QKeySequence::New, StartGame}, {QKeySequence::Preferences, Properties}};
    for (const auto &[command, button] : desktopCommands) {
        for (const QKeySequence &desktopKey : QKeySequence::keyBindings(command)) {
            if (desktopKey != button->shortcut())
                new QShortcut(desktopKey, button, button, &QAbstractButton::animateClick);
        }
    }
    showKeyInTip(StartGame, StartGame->text(), StartGame->shortcut());
    showKeyInTip(Properties, Properties->text(), Properties->shortcut());
    showKeyInTip(IPGame, IPGame->text(), IPGame->shortcut());
    showKeyInTip(SoloGame, QStringLiteral("Allein gegen den Computer spielen"), SoloGame->shortcut());
}

void StartPage::showWindowKeys(const QKeySequence &quit, const QKeySequence &about)
{
    showKeyInTip(Terminate, Terminate->text(), quit);
    showKeyInTip(Firm, QStringLiteral("Info über Lettrisko"), about);
}
