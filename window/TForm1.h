// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"
#include "game/KeyboardSeat.h"
#include "game/MatchState.h"
#include "game/SoloSettings.h"
#include "window/FormEnvironment.h"
#include "window/GameApplication.h"
#include "window/SettingsLocation.h"

#include <QWidget>

#include <memory>

class NetworkPlay;
class NetworkSession;
class Seat;
class SoloPlay;
class SoundService;

// The game's one main window: a fixed-size notebook of pages. It holds the
// match, the seats at it and the player's settings, and connects what the
// pages report to the match and what the match says to the pages.
class TForm1 : public QWidget, public KeyPreviewWindow
{
    Q_OBJECT

    // The match being played; the pages show what it says.
    MatchState *const m_match;

public:
    enum Page { Start, Settings, Players, Word, Game, Statistics, Network, Solo };

    explicit TForm1(const FormEnvironment &environment = FormEnvironment(), QWidget *parent = nullptr);
    ~TForm1() override;

    // The turn being played, as the match keeps it.
    const TRoundState &RoundState;
    MatchState &match() const { return *m_match; }
    bool LocalSetsWord() const { return m_match->localSetsWord(); }
    bool LocalGuesses() const { return m_match->localGuesses(); }

    int currentPage() const;
    // Shows a page, building it first if it was never shown.
    void showPage(Page page);
    // Builds a page, once; until then it does not exist.
    void ensurePage(Page page);

    // Where the settings are saved.
    QString settingsFilePath() const { return m_settingsFile.save; }
    SoundService &sound() const { return *m_sound; }
    const GameSettings &currentSettings() const { return m_settings; }
    void applySettings(const GameSettings &settings);
    void applyNames(const PlayerNames &names);

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void LoadSettings();
    void SaveSettings();
    void StartMatch();
    // Every match starts here, on one computer, over the network and alone:
    // this computer's keyboard takes every seat that neither the computer
    // nor, in a network game, the peer takes.
    void startMatch(const GameSettings &settings, const PlayerNames &names, Seat *other = nullptr,
                    MatchState::Mode mode = MatchState::Mode::TwoPlayers);
    // The seat of this computer's keyboard in the match being played.
    KeyboardSeat *keyboard() const;
    // Every character typed on this computer's keyboard.
    void FormKeyPress(QChar key);
    // Shows a tick of the match's clock.
    void TimerTimer();
    bool PlaySoundResource(const QString &name);
    void BitBtnMouseEnter(QObject *sender);
    void BitBtnMouseLeave(QObject *sender);
    void MinimizeHook();
    void RestoreHook();

    // The network game, made when network play is first asked for: a game
    // on one computer needs no socket.
    NetworkSession &session();
    // A nickname or an address as a box shows it.
    static QString shortForBox(const QString &text);

    // The update wizard ends the program; after a run only to update, the
    // game's settings are not saved.
    void updateEndsProgram(bool keepSettings);
    bool isEndRequested() const { return m_endRequested; }

    bool previewKey(QWidget *receiver, QKeyEvent *event) override;

Q_SIGNALS:
    // "Beenden" asks the application to end its message loop.
    void terminateRequested();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Pages;
    struct State;
    void createControls();
    void setUpWindowKeys();
    void connectMatch();
    void connectPage(Page page);
    void focusOpenedPage();
    QWidget *restingPlace() const;
    void keepFocusOffButtons(QWidget *old, QWidget *now);
    bool pressPageButton(bool cancel);
    void openSettings();
    void settingsAccepted();
    void showSettingsLock(bool locked);

    // What the match says, shown (form_match.cpp).
    void showTurn();
    void showGuess(int seat, QChar key, Round::Guess result, bool atStart);
    void showTurnEnd(const TurnRecord &turn);
    void showNextTurn();
    void showRecord();
    void showHint();
    void showWordEntry(int entry);
    void showRefusal(const MatchState::WordVerdict &verdict);
    // "Aufgeben" asks once before the turn is given up.
    void askToGiveUp();
    // Every way to play ends here: the match stops, the start page shows.
    void leaveMatch(bool tellPeer = true);

    // Playing alone, and the network game shown and answered; each made when first asked for.
    friend class SoloPlay;
    friend class NetworkPlay;
    SoloPlay &solo();
    NetworkPlay &network();

    std::unique_ptr<Pages> m_pages;
    std::unique_ptr<State> m_state;
    FormEnvironment m_environment;
    std::shared_ptr<SoundService> m_sound;
    SettingsLocation m_settingsFile;
    GameSettings m_settings;
    PlayerNames m_names;
    SoloSettings m_solo;
    bool m_endRequested = false;
};
