// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/TForm1.h"

#include "about/TInfo.h"
#include "controls/Named.h"
#include "controls/TKxBitBtn.h"
#include "controls/TWinXP.h"
#include "net/NetworkSession.h"
#include "platform/LoadedSoundService.h"
#include "update/UpdateComponent.h"
#include "window/TForm1_p.h"
#include "window/pages/GamePage.h"
#include "window/pages/PageKit.h"
#include "window/pages/StartPage.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int kSoundPreparationDelayMs = 1000;

} // namespace

TForm1::TForm1(const FormEnvironment &environment, QWidget *parent)
    : QWidget(parent)
    , m_match(new MatchState(this))
    , RoundState(m_match->roundState())
    , m_pages(std::make_unique<Pages>())
    , m_state(std::make_unique<State>())
    , m_environment(environment)
    , m_sound(environment.sound)
{
    if (!m_sound)
        m_sound = std::make_shared<LoadedSoundService>();
    if (!qobject_cast<GameApplication *>(qApp))
        qWarning("TForm1 needs a GameApplication: without it nothing typed reaches the game");
    createControls();
    connectMatch();
    FormCreate();
}

TForm1::~TForm1()
{
    // The controls going down move the focus; this window no longer answers.
    disconnect(qApp, nullptr, this, nullptr);
    FormDestroy();
}

void TForm1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lettrisko"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(PageKit::ClientWidth, PageKit::ClientHeight);

    QFont windowFont = font();
    windowFont.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
    windowFont.setPixelSize(19);
    setFont(windowFont);

    m_pages->WinXP1 = named(new TWinXP(this), "WinXP1");
    m_pages->Update = createUpdateComponent(this, m_environment.updateServer);
    connect(m_pages->Update, &UpdateComponent::programEndRequested, this, &TForm1::updateEndsProgram);
    m_match->setObjectName(QStringLiteral("match"));

    // Until a page is first shown, a placeholder of its name holds its place.
    auto *sites = named(new QStackedWidget(this), "MainSites");
    m_pages->MainSites = sites;
    sites->setGeometry(0, 0, PageKit::ClientWidth, PageKit::ClientHeight);
    for (const char *name : {"Start", "Einstellungen", "Spieler", "Wort", "Spiel", "Statistik", "TCPIP", "Allein"})
        sites->addWidget(named(new QWidget(sites), name));

    setUpWindowKeys();
    ensurePage(Start);
}

int TForm1::currentPage() const
{
    return m_pages->MainSites->currentIndex();
}

void TForm1::showPage(Page page)
{
    ensurePage(page);
    // The page left keeps no focus of its own: shown again, it opens at its
    // first input, not at the control last used there.
    QStackedWidget *sites = m_pages->MainSites;
    QWidget *focused = focusWidget();
    if (page != currentPage() && focused && sites->currentWidget()->isAncestorOf(focused))
        focused->clearFocus();
    sites->setCurrentIndex(page);
}

void TForm1::FormCreate()
{
    if (m_environment.automaticUpdate)
        m_pages->Update->AutomaticUpdate(QString(), false);
    // A run only to update ends here, before the settings file is opened.
    if (m_state->settingsDetached)
        return;

    showPage(Start);
    setWindowIcon(QApplication::windowIcon());

    m_settingsFile = settingsLocation(m_environment.settingsDirectory, m_environment.programDirectory);
    LoadSettings();
}

void TForm1::updateEndsProgram(bool keepSettings)
{
    if (!keepSettings)
        m_state->settingsDetached = true;
    m_endRequested = true;
    Q_EMIT terminateRequested();
}

void TForm1::FormShow()
{
    if (Info)
        m_pages->start->setFirmPicture(Info->logoPicture());
    // The sound output is readied once the window stands, off the way to
    // it, and long before a turn plays the first recording.
    QTimer::singleShot(kSoundPreparationDelayMs, this, [this] { sound().prepare(); });
}

void TForm1::FormClose()
{
    // The peer hears of it in a network game; the connections go down with
    // the program, and nothing more of the peer reaches a closing window.
    if (m_state->network) {
        NetworkSession &session = m_state->network->session();
        if (RoundState.NetworkGame)
            session.leave();
        else
            session.close();
    }
}

void TForm1::FormDestroy()
{
    if (m_state->destroyed)
        return;
    m_state->destroyed = true;
    m_match->pauseClock();
    if (!m_state->settingsDetached)
        SaveSettings();
}

// One of any length may come from the peer, and a box as wide as its text
// would not fit the screen.
QString TForm1::shortForBox(const QString &text)
{
    constexpr int kShown = 40;
    return text.size() <= kShown ? text : text.left(kShown - 1) + QChar(0x2026);
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
    if (!event->spontaneous() && !m_state->shownOnce) {
        m_state->shownOnce = true;
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
    QWidget *page = m_pages->MainSites->currentWidget();
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
