// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/TForm1.h"

#include "about/TInfo.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TKxDigit.h"
#include "controls/TStringGrid.h"
#include "controls/TWinXP.h"
#include "game/GameSettings.h"
#include "game/WordPool.h"
#include "net/PeerLink.h"
#include "platform/LoadedSoundService.h"
#include "update/UpdateComponent.h"
#include "window/SettingsLocation.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int kSoundPreparationDelayMs = 1000;

} // namespace

TForm1::TForm1(const FormEnvironment &environment, QWidget *parent)
    : QWidget(parent)
    , m_match(new MatchState(this))
    , RoundState(m_match->roundState())
    , Timer(m_match->clock())
    , m_environment(environment)
    , m_sound(environment.sound)
{
    if (!m_sound)
        m_sound = std::make_shared<LoadedSoundService>();
    if (!qobject_cast<GameApplication *>(qApp))
        qWarning("TForm1 needs a GameApplication: without it nothing typed reaches the game");
    createControls();
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    // The controls going down move the focus; this window no longer answers.
    disconnect(qApp, nullptr, this, nullptr);
    FormDestroy();
}

bool TForm1::LocalSetsWord() const
{
    return m_match->localSetsWord();
}

bool TForm1::LocalGuesses() const
{
    return m_match->localGuesses();
}

int TForm1::currentPage() const
{
    return MainSites->currentIndex();
}

void TForm1::showPage(Page page)
{
    ensurePage(page);
    // The page left keeps no focus of its own: shown again, it opens at its
    // first input, not at the control last used there.
    QWidget *focused = focusWidget();
    if (page != currentPage() && focused && MainSites->currentWidget()->isAncestorOf(focused))
        focused->clearFocus();
    MainSites->setCurrentIndex(page);
}

void TForm1::FormCreate()
{
    if (m_environment.automaticUpdate)
        Update->AutomaticUpdate(QString(), false);
    // A run only to update ends here, before the settings file is opened.
    if (m_settingsDetached)
        return;

    showPage(StartPage);
    setWindowIcon(QApplication::windowIcon());

    m_settingsFile = settingsLocation(m_environment.settingsDirectory, m_environment.programDirectory);
    LoadSettings();
    // The statistics grid's columns and the decorative pictures are set up
    // as their pages are built.
}

void TForm1::copyDecorativePictures()
{
    if (!Logo1)
        return;
    for (int n = 2;; ++n) {
        auto *logo = findChild<TImage *>(QStringLiteral("Logo%1").arg(n));
        if (!logo)
            break;
        // Shared, not duplicated: no page ever changes its picture.
        logo->setPicture(Logo1->picture());
    }
}

void TForm1::updateEndsProgram(bool keepSettings)
{
    if (!keepSettings)
        m_settingsDetached = true;
    m_endRequested = true;
    Q_EMIT terminateRequested();
}

void TForm1::FormShow()
{
    if (Info)
        Firm->setPicture(Info->logoPicture());
    // The sound output is readied once the window stands, off the way to
    // it, and long before a turn plays the first recording.
    QTimer::singleShot(kSoundPreparationDelayMs, this, [this] { sound().prepare(); });
}

void TForm1::FormClose()
{
    if (RoundState.NetworkGame && peer().phase() != NetPhase::Connecting)
        peer().sendLeave();
    // The connections go down with the program; nothing more of the peer
    // reaches a closing window.
    if (m_peer)
        m_peer->close();
}

void TForm1::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_match->pauseClock();
    if (!m_settingsDetached)
        SaveSettings();
}

// The entry ends the message loop on this signal; the window is destroyed
// (and the settings saved) after that, without a close.
void TForm1::Beenden1Click()
{
    Q_EMIT terminateRequested();
}

void TForm1::PropertiesClick()
{
    showPage(SettingsPage);
    // The first setting, its value selected as Tab leaves it; on the joining
    // computer, where the host's settings are only shown, "OK".
    (Rounds->isEnabled() ? static_cast<QWidget *>(Rounds) : PropertiesOK)->setFocus(Qt::TabFocusReason);
}

void TForm1::StartGameClick()
{
    showPage(PlayersPage);
    Player1->setFocus();
}

void TForm1::FirmClick()
{
    ShowInfo(QStringLiteral("Lettrisko v2.0"), QStringLiteral("2001-2003"), QApplication::windowIcon());
}

void TForm1::BitBtnMouseEnter(QObject *sender)
{
    if (auto *button = qobject_cast<TKxBitBtn *>(sender))
        button->setCaptionColor(QColor(255, 0, 0));
}

void TForm1::BitBtnMouseLeave(QObject *sender)
{
    if (auto *button = qobject_cast<TKxBitBtn *>(sender))
        // The caption's own colour from the palette, also once it changes.
        button->setCaptionColor(QColor());
}

void TForm1::MinimizeHook()
{
    m_match->pauseClock();
}

void TForm1::RestoreHook()
{
    m_match->resumeClock();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_shownOnce) {
        m_shownOnce = true;
        if (QScreen *desktop = screen())
            move(desktop->availableGeometry().center() - rect().center());
        FormShow();
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TForm1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
    if (isMinimized() && !wasMinimized)
        MinimizeHook();
    else if (!isMinimized() && wasMinimized)
        RestoreHook();
}

// Every typed character reaches FormKeyPress before the focused control sees
// it, and the control still gets it. Enter and Esc first go to the visible
// page's default and cancel buttons.
bool TForm1::previewKey(QWidget *receiver, QKeyEvent *key)
{
    const bool chord = isChord(key);
    if (!chord && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        // A spin edit takes what was typed into it before the page is left.
        for (QWidget *w = receiver; w && w != this; w = w->parentWidget()) {
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(w)) {
                spin->interpretText();
                break;
            }
        }
        if (pressPageButton(false))
            return true;
    } else if (!chord && key->key() == Qt::Key_Escape) {
        if (pressPageButton(true))
            return true;
    }

    // Chords are accelerators and commands, not characters.
    if (chord || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;

    const QString text = key->text();
    for (int i = 0; i < text.size(); ++i) {
        QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // One typed character beyond the 16-bit range: the game cannot hold it.
            ch = QChar(QChar::ReplacementCharacter);
            ++i;
        }
        FormKeyPress(ch);
    }
    return false;
}

bool TForm1::pressPageButton(bool cancel)
{
    if (!cancel) {
        // A focused button takes Enter itself.
        if (auto *focused = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
            focused && focused->window() == this && qobject_cast<QPushButton *>(focused)) {
            if (focused->isEnabled() && focused->isVisible()) {
                focused->click();
                return true;
            }
        }
    }
    QWidget *page = MainSites->currentWidget();
    const auto buttons = page->findChildren<TKxBitBtn *>();
    for (TKxBitBtn *button : buttons) {
        const bool matches = cancel ? button->isCancelButton() : button->isDefaultButton();
        if (matches && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}
