// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// What lets every player use the window: the desktop's keys for the start
// page's commands, the focus at the start and end of a turn, and what
// screen readers are told.
#include "window/TForm1.h"

#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"
#include "controls/TStringGrid.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QListWidget>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

// "Spiel starten! (Strg+N)": the key in the desktop's own spelling.
void showKeyInTip(QWidget *control, const QString &what, const QKeySequence &key)
{
    control->setToolTip(QStringLiteral("%1 (%2)").arg(what, key.toString(QKeySequence::NativeText)));
}

// The desktop's keys for a command, and the one every desktop knows it by,
// which some desktops' lists leave out.
QList<QKeySequence> keysFor(QKeySequence::StandardKey command, const QKeySequence &usual)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (!keys.contains(usual))
        keys.prepend(usual);
    return keys;
}

} // namespace

void TForm1::setUpWindowKeys()
{
    // Ending the program and the about dialog work from every page. As
    // window commands they come before any control's use of the key, and
    // a box or the update wizard, being windows of their own, keeps them
    // from acting while it is open.
    auto *quit = new QAction(this);
    quit->setObjectName(QStringLiteral("QuitAction"));
    quit->setShortcuts(keysFor(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    quit->setShortcutContext(Qt::WindowShortcut);
    addAction(quit);
    // As the close box: a peer in a network game is told.
    connect(quit, &QAction::triggered, this, &QWidget::close);
    auto *about = new QAction(this);
    about->setObjectName(QStringLiteral("InfoAction"));
    about->setShortcuts(keysFor(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
    about->setShortcutContext(Qt::WindowShortcut);
    addAction(about);
    connect(about, &QAction::triggered, this, &TForm1::FirmClick);

    // A new word leaves the box empty until guessing starts.
    connect(MainSites, &QStackedWidget::currentChanged, this, &TForm1::showWordToReaders);
    connect(MainSites, &QStackedWidget::currentChanged, this, &TForm1::focusOpenedPage);
    connect(qApp, &QApplication::focusChanged, this, &TForm1::keepFocusOffButtons);
}

void TForm1::setUpStartPageKeys()
{
    // The start page's buttons are no tab stops; their keys act exactly
    // while the page shows, as the buttons' own shortcuts do.
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

    const auto *quit = findChild<QAction *>(QStringLiteral("QuitAction"), Qt::FindDirectChildrenOnly);
    const auto *about = findChild<QAction *>(QStringLiteral("InfoAction"), Qt::FindDirectChildrenOnly);
    showKeyInTip(StartGame, StartGame->text(), StartGame->shortcut());
    showKeyInTip(Properties, Properties->text(), Properties->shortcut());
    showKeyInTip(IPGame, IPGame->text(), IPGame->shortcut());
    showKeyInTip(SoloGame, QStringLiteral("Allein gegen den Computer spielen"), SoloGame->shortcut());
    showKeyInTip(Terminate, Terminate->text(), quit->shortcut());
    showKeyInTip(Firm, QStringLiteral("Info über Lettrisko"), about->shortcut());
}

void TForm1::setUpGamePageAccess()
{
    // A button that comes up on the game page takes the focus, so that
    // Return presses it: "Beginnen!" at every turn's start, "OK" at its end.
    // While the turn runs the focus rests on the word, which takes no key of
    // its own: every typed character, the blank too, is a guess and nothing
    // else.
    GameStartGame->installEventFilter(this);
    GameOK->installEventFilter(this);
    // The wrong guesses are a record to read, never a place for the focus.
    CharList->setFocusPolicy(Qt::NoFocus);

    // Controls with a caption or a label of their own are named by it.
    WordPaintBox->setAccessibleName(QStringLiteral("Wort"));
    Time->setAccessibleName(QStringLiteral("verbleibende Zeit in Sekunden"));
    curMistakes->setAccessibleName(QStringLiteral("Fehleranzahl"));
    MaxMistakes->setAccessibleName(QStringLiteral("maximale Fehleranzahl"));
    CharList->setAccessibleName(QStringLiteral("geratene, nicht vorkommende Buchstaben"));
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (isPageBuilt(GamePage) && (watched == GameStartGame || watched == GameOK) && currentPage() == GamePage) {
        auto *button = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show)
            button->setFocus(Qt::OtherFocusReason);
        else if (event->type() == QEvent::Hide && button->hasFocus())
            restingPlace()->setFocus(Qt::OtherFocusReason);
    }
    return QWidget::eventFilter(watched, event);
}

// A page opens at its first input in the tab order, unless the focus
// already went into it. A page whose inputs are closed opens at rest, with
// Return on its default button, never on a button by itself.
void TForm1::focusOpenedPage()
{
    QWidget *page = MainSites->currentWidget();
    const QWidget *focused = focusWidget();
    if (focused && page->isAncestorOf(focused) && focused->isVisible() && focused->isEnabled())
        return;
    for (QWidget *w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && !qobject_cast<TKxBitBtn *>(w) && (w->focusPolicy() & Qt::TabFocus)
            && w->isEnabled() && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    restingPlace()->setFocus(Qt::OtherFocusReason);
}

QWidget *TForm1::restingPlace() const
{
    return currentPage() == GamePage ? static_cast<QWidget *>(WordPaintBox) : MainSites->currentWidget();
}

// A control that closes while it has the focus (the word while the peer
// types, the nickname once the host waits) hands it to the next one in
// line, which may be "Abbrechen": a Return meant for the closed control
// would then end the game. The focus rests on the page instead; Tab still
// leads to the button.
void TForm1::keepFocusOffButtons(QWidget *old, QWidget *now)
{
    if (!old || old->isEnabled() || !qobject_cast<TKxBitBtn *>(now))
        return;
    QWidget *page = MainSites->currentWidget();
    if (page->isAncestorOf(old) && page->isAncestorOf(now))
        restingPlace()->setFocus(Qt::OtherFocusReason);
}

void TForm1::showWordToReaders()
{
    if (isPageBuilt(GamePage))
        WordPaintBox->setAccessibleText(RoundState.spokenWord());
}
