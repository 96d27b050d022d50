// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The pages in the window: each made when first shown and connected to the
// match and the window; the keys that work on every page and where the
// focus goes as a page opens.
#include "window/TForm1.h"

#include "about/TInfo.h"
#include "controls/TKxBitBtn.h"
#include "platform/SoundService.h"
#include "window/TForm1_p.h"
#include "window/pages/GamePage.h"
#include "window/pages/NetworkPage.h"
#include "window/pages/PlayersPage.h"
#include "window/pages/SettingsPage.h"
#include "window/pages/SoloPage.h"
#include "window/pages/StartPage.h"
#include "window/pages/StatisticsPage.h"
#include "window/pages/WordPage.h"

#include <QAction>
#include <QApplication>
#include <QStackedWidget>

namespace {

// The desktop's keys for a command, and the one every desktop knows it by,
// which some desktops' lists leave out.
QList<QKeySequence> keysFor(QKeySequence::StandardKey command, const QKeySequence &usual)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (!keys.contains(usual))
        keys.prepend(usual);
    return keys;
}

// The about dialog, from the maker's logo or by its key on any page.
void showAbout()
{
    ShowInfo(QStringLiteral("Lettrisko v2.0"), QStringLiteral("2001-2003"), QApplication::windowIcon());
}

} // namespace

void TForm1::ensurePage(Page page)
{
    Pages &p = *m_pages;
    QStackedWidget *sites = p.MainSites;
    const QWidget *built[] = {p.start, p.settings, p.players, p.word, p.game, p.statistics, p.network, p.solo};
    if (built[page])
        return;

    QWidget *widget = nullptr;
    switch (page) {
    case Start:
        widget = p.start = new StartPage(sites);
        break;
    case Settings:
        widget = p.settings = new SettingsPage(sites);
        break;
    case Players:
        widget = p.players = new PlayersPage(sites);
        break;
    case Word:
        widget = p.word = new WordPage(sites);
        break;
    case Game:
        widget = p.game = new GamePage(*m_match, sites);
        break;
    case Statistics:
        widget = p.statistics = new StatisticsPage(*m_match, sites);
        break;
    case Network:
        widget = p.network = new NetworkPage(sites);
        break;
    case Solo:
        widget = p.solo = new SoloPage(sites);
        break;
    }

    // The page takes its placeholder's place, unseen by those who follow
    // the pages shown.
    {
        const QSignalBlocker quiet(sites);
        const bool current = sites->currentIndex() == page;
        QWidget *placeholder = sites->widget(page);
        sites->removeWidget(placeholder);
        delete placeholder;
        sites->insertWidget(page, widget);
        if (current)
            sites->setCurrentIndex(page);
    }
    for (TKxBitBtn *each : widget->findChildren<TKxBitBtn *>()) {
        connect(each, &TKxBitBtn::MouseEnter, this, &TForm1::BitBtnMouseEnter);
        connect(each, &TKxBitBtn::MouseLeave, this, &TForm1::BitBtnMouseLeave);
    }
    connectPage(page);
}

void TForm1::connectPage(Page page)
{
    Pages &p = *m_pages;
    auto beep = [this] { sound().beep(); };
    switch (page) {
    case Start: {
        connect(p.start, &StartPage::settingsChosen, this, &TForm1::openSettings);
        connect(p.start, &StartPage::localGameChosen, this, [this] {
            showPage(Players);
            m_pages->players->focusFirstName();
        });
        connect(p.start, &StartPage::networkGameChosen, this, [this] { network().open(); });
        connect(p.start, &StartPage::soloGameChosen, this, [this] { solo().open(); });
        connect(p.start, &StartPage::endChosen, this, &TForm1::terminateRequested);
        connect(p.start, &StartPage::aboutChosen, this, &showAbout);
        const auto *quit = findChild<QAction *>(QStringLiteral("QuitAction"), Qt::FindDirectChildrenOnly);
        const auto *about = findChild<QAction *>(QStringLiteral("InfoAction"), Qt::FindDirectChildrenOnly);
        p.start->showWindowKeys(quit->shortcut(), about->shortcut());
        break;
    }
    case Settings:
        p.settings->showSettings(m_settings);
        if (m_state->settingsLocked)
            p.settings->SetSettingsEnabled(false);
        connect(p.settings, &SettingsPage::settingsEdited, this, [this](const GameSettings &s) { m_settings = s; });
        connect(p.settings, &SettingsPage::accepted, this, &TForm1::settingsAccepted);
        break;
    case Players:
        p.players->showNames(m_names);
        connect(p.players, &PlayersPage::namesEdited, this, [this](const PlayerNames &names) { m_names = names; });
        connect(p.players, &PlayersPage::inputRefused, this, beep);
        // Leaving the names is leaving the settings: back to the start.
        connect(p.players, &PlayersPage::cancelled, this, &TForm1::settingsAccepted);
        connect(p.players, &PlayersPage::accepted, this, [this](const PlayerNames &names) {
            m_names = names;
            StartMatch();
            showPage(Word);
            showWordEntry(int(WordPage::WordEntry::Open));
        });
        break;
    case Word:
        connect(p.word, &WordPage::wordEntered, this, [this](const QString &typed) {
            if (m_state->keyboard)
                showRefusal(m_state->keyboard->setWord(typed));
        });
        connect(p.word, &WordPage::cancelled, this, [this] { leaveMatch(); });
        connect(p.word, &WordPage::inputRefused, this, beep);
        break;
    case Game:
        connect(p.game, &GamePage::startClicked, this, [this] {
            if (m_state->keyboard)
                m_state->keyboard->startTurn();
        });
        connect(p.game, &GamePage::okClicked, this, [this] { showPage(Statistics); });
        connect(p.game, &GamePage::hintClicked, this, [this] {
            if (m_state->keyboard)
                m_state->keyboard->takeHint();
        });
        connect(p.game, &GamePage::giveUpClicked, this, &TForm1::askToGiveUp);
        // A letter clicked is the key typed, from the keyboard's seat.
        connect(p.game, &GamePage::letterClicked, this, &TForm1::FormKeyPress);
        break;
    case Statistics:
        // A match under way shows what it has played.
        if (m_match->stage() != MatchState::Stage::Idle || !m_match->record().isEmpty()) {
            showRecord();
            if (!m_match->record().isEmpty())
                p.statistics->showStandings(m_match->standings());
        }
        connect(p.statistics, &StatisticsPage::okClicked, this, [this] {
            // The match is over; a network game ends without a leave message.
            if (!m_match->nextTurn())
                leaveMatch(false);
        });
        connect(p.statistics, &StatisticsPage::cancelClicked, this, [this] { leaveMatch(); });
        break;
    case Network:
        connect(p.network, &NetworkPage::settingsWanted, this, &TForm1::openSettings);
        connect(p.network, &NetworkPage::cancelled, this, [this] { leaveMatch(); });
        connect(p.network, &NetworkPage::hostRequested, this, [this] { network().host(); });
        connect(p.network, &NetworkPage::joinRequested, this, [this] { network().join(); });
        connect(p.network, &NetworkPage::inputRefused, this, beep);
        break;
    case Solo:
        connect(p.solo, &SoloPage::levelChosen, this, [this] { solo().showTopics(); });
        connect(p.solo, &SoloPage::accepted, this, [this](const QString &name, Difficulty::Level level, const QString &topic) { solo().start(name, level, topic); });
        connect(p.solo, &SoloPage::cancelled, this, [this] { showPage(Start); });
        connect(p.solo, &SoloPage::wordFileChosen, this, [this](const QString &path) { solo().chooseWordFile(path); });
        connect(p.solo, &SoloPage::inputRefused, this, beep);
        break;
    }
}

void TForm1::openSettings()
{
    showPage(Settings);
    m_pages->settings->focusFirstSetting();
}

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
    connect(about, &QAction::triggered, this, &showAbout);

    // A new word leaves the readers' text empty until guessing starts.
    connect(m_pages->MainSites, &QStackedWidget::currentChanged, this, [this] {
        if (m_pages->game)
            m_pages->game->showWordToReaders();
    });
    connect(m_pages->MainSites, &QStackedWidget::currentChanged, this, &TForm1::focusOpenedPage);
    connect(qApp, &QApplication::focusChanged, this, &TForm1::keepFocusOffButtons);
}

// A page opens at its first input in the tab order, unless the focus
// already went into it. A page whose inputs are closed opens at rest, with
// Return on its default button, never on a button by itself.
void TForm1::focusOpenedPage()
{
    QWidget *page = m_pages->MainSites->currentWidget();
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
    QWidget *page = m_pages->MainSites->currentWidget();
    return page == m_pages->game ? m_pages->game->restingPlace() : page;
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
    QWidget *page = m_pages->MainSites->currentWidget();
    if (page->isAncestorOf(old) && page->isAncestorOf(now))
        restingPlace()->setFocus(Qt::OtherFocusReason);
}
