// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"
#include "game/KeyboardSeat.h"
#include "game/MatchState.h"
#include "game/SoloSettings.h"
#include "platform/BuildSettings.h"
#include "window/GameApplication.h"
#include "window/SettingsLocation.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QWidget;

class SoundService;
class TImage;
class TKxBitBtn;
class TKxDigit;
class UpdateComponent;
class TPaintBox;
class TRadioGroup;
class PeerLink;
class PeerSeat;
class ComputerSeat;
class WordList;
class WordPool;
struct LinkFailure;
struct SettingsRecord;
class TStringGrid;
class TWinXP;

// What a main window takes from its surroundings. The product uses the
// defaults; tests point the files at a temporary folder, pick a free port
// and count the sounds.
struct FormEnvironment
{
    // Folder of Properties.ini, read and saved there; empty: chosen by the
    // program's folder (settingsLocationBeside).
    QString settingsDirectory;
    // Folder of the executable; empty: the running one's.
    QString programDirectory;
    quint16 port = 5997;
    // Null: the desktop's sound output.
    std::shared_ptr<SoundService> sound;
    // The update check at start-up.
    bool automaticUpdate = true;
    // Host name or base URL of the update server; empty: no online update.
    QString updateServer = updateHost();
    // The computer's words when playing alone; null: the list the program
    // carries. The draw's random source; empty: the system's.
    std::shared_ptr<const WordList> words;
    std::function<int(int bound)> random;
};

// The game's one main window: a fixed-size notebook of pages.
class TForm1 : public QWidget, public KeyPreviewWindow
{
    Q_OBJECT

    // The match being played; the window shows what it says.
    MatchState *const m_match;

public:
    enum Page { StartPage, SettingsPage, PlayersPage, WordPage, GamePage, StatisticsPage, NetworkPage, SoloPage };

    explicit TForm1(const FormEnvironment &environment = FormEnvironment(), QWidget *parent = nullptr);
    ~TForm1() override;

    // The turn being played, as the match keeps it.
    const TRoundState &RoundState;
    MatchState &match() const { return *m_match; }

    // In a network game: the local player sets the word / guesses this turn.
    bool LocalSetsWord() const;
    bool LocalGuesses() const;

    int currentPage() const;
    // Shows a page, building it first if it was never shown.
    void showPage(Page page);
    // Builds a page's controls, once; until then its control members are
    // null.
    void ensurePage(Page page);
    bool isPageBuilt(Page page) const;

    // Copies Logo1's picture to Logo2, Logo3, ... up to the first missing number.
    void copyDecorativePictures();

    // Where the settings are saved.
    QString settingsFilePath() const { return m_settingsFile.save; }
    SoundService &sound() const { return *m_sound; }

    // --- window lifecycle and start page
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void Beenden1Click();
    void PropertiesClick();
    void StartGameClick();
    void FirmClick();
    void BitBtnMouseEnter(QObject *sender);
    void BitBtnMouseLeave(QObject *sender);
    void MinimizeHook();
    void RestoreHook();

    // --- settings and players
    void LoadSettings();
    void SaveSettings();
    void PropertiesOKClick();
    void PlayersOKClick();
    void NoLimitClick();
    void SetSettingsEnabled(bool enabled);
    void StartMatch();
    // A match of two with these settings and names: this computer's keyboard
    // and, in a network game, the peer take their seats.
    void startMatch(const GameSettings &settings, const PlayerNames &names);
    // The seat of this computer's keyboard in the match being played.
    KeyboardSeat *keyboard() const { return m_keyboard; }
    // The user's settings and names, as Properties.ini gave them and the
    // settings and players pages edit them; a match plays a copy.
    const GameSettings &currentSettings() const { return m_settings; }
    void applySettings(const GameSettings &settings);
    const PlayerNames &currentNames() const { return m_names; }
    void applyNames(const PlayerNames &names);

    // --- word entry
    void WordOKClick();
    void WordCancelClick();
    // What the word page offers the local player: the entry of the word
    // (its OK, in a network game, may wait for the peer), or a wait for
    // the peer, who types the word or still looks at the statistics.
    enum class WordEntry { Open, OpenOncePeerReady, PeerTypes, PeerOnStatistics };
    void showWordEntry(WordEntry entry);

    // --- guessing
    void GameStartGameClick();
    // Every character typed on this computer's keyboard.
    void FormKeyPress(QChar key);
    // Shows a tick of the match's clock.
    void TimerTimer();
    // The word's picture and what screen readers read of it follow the game.
    void DrawWord();
    void FormPaint(QPainter &painter);
    // The word in words, for screen readers (form_access.cpp).
    void showWordToReaders();
    bool PlaySoundResource(const QString &name);

    // --- statistics
    void GameOKClick();
    void StatistikOKClick();
    // Alone: the match ends before its last word.
    void StatistikCancelClick();

    // --- playing alone
    void SoloGameClick();
    void SoloOKClick();
    void SoloCancelClick();
    void SoloDifficultyClick();
    void HintClick();
    const SoloSettings &currentSoloSettings() const { return m_solo; }

    // --- network setup
    void IPGameClick();
    void RadioGroup_ConnectionModeClick();
    void Button_HostStartClick();
    void Button_ClientStartClick();
    // Null sender: closing by program, nothing is sent to the peer.
    void Button_IPCancelClick(QObject *sender);
    void Button_TroubleshootingClick();
    // The participant's connection could not be made or was turned away.
    void ClientSocketError(const LinkFailure &failure);

    // --- network protocol: the messages come from the link to the peer
    void ServerSocketClientConnect();
    // The link to the other computer, made when network play is first
    // asked for: a game on one computer needs no socket. The other
    // computer's player sits at the match through the seat.
    PeerLink &peer();
    // A nickname or an address as a box shows it.
    static QString shortForBox(const QString &text);

    // The update wizard ends the program; after a run only to update, the
    // game's settings are not saved.
    void updateEndsProgram(bool keepSettings);
    bool isEndRequested() const { return m_endRequested; }

Q_SIGNALS:
    // "Beenden" asks the application to end its message loop.
    void terminateRequested();

public:

    // Controls, named as in the form.
    QStackedWidget *MainSites = nullptr;
    // The match's clock; only the match starts and stops it.
    QTimer *Timer = nullptr;
    TWinXP *WinXP1 = nullptr;
    UpdateComponent *Update = nullptr;

    // Start page
    TImage *PLogo = nullptr;
    TImage *Firm = nullptr;
    TKxBitBtn *Properties = nullptr;
    TKxBitBtn *IPGame = nullptr;
    TKxBitBtn *StartGame = nullptr;
    TKxBitBtn *Terminate = nullptr;
    TKxBitBtn *SoloGame = nullptr;

    // Settings page
    QLabel *Panel1 = nullptr;
    QSpinBox *Rounds = nullptr;
    QSpinBox *Mistakes = nullptr;
    QRadioButton *NoLimit = nullptr;
    QRadioButton *perLetter = nullptr;
    QRadioButton *WholeWord = nullptr;
    QSpinBox *TimeLimit = nullptr;
    QCheckBox *NoSpecialChars = nullptr;
    QCheckBox *SetFirstLetter = nullptr;
    QCheckBox *CapitalLetters = nullptr;
    QCheckBox *AcceptSentences = nullptr;
    QCheckBox *AcceptNumbers = nullptr;
    QWidget *WinnerPanel = nullptr;
    QRadioButton *WonRounds = nullptr;
    QRadioButton *FewMistakes = nullptr;
    QCheckBox *PlaySounds = nullptr;
    TKxBitBtn *PropertiesOK = nullptr;
    TImage *Logo1 = nullptr;

    // Players page
    QLabel *Panel2 = nullptr;
    QLineEdit *Player1 = nullptr;
    QLineEdit *Player2 = nullptr;
    TKxBitBtn *PlayersCancel = nullptr;
    TKxBitBtn *PlayersOK = nullptr;
    TImage *Logo2 = nullptr;

    // Word page
    QLabel *WordInfo = nullptr;
    QLineEdit *Word = nullptr;
    TKxBitBtn *WordCancel = nullptr;
    TKxBitBtn *WordOK = nullptr;
    TImage *Logo3 = nullptr;

    // Game page
    QLabel *WordGuessingInfo = nullptr;
    TKxBitBtn *GameStartGame = nullptr;
    TPaintBox *WordPaintBox = nullptr;
    QLabel *TimeLabel = nullptr;
    TKxDigit *Time = nullptr;
    TKxDigit *curMistakes = nullptr;
    TKxDigit *MaxMistakes = nullptr;
    QListWidget *CharList = nullptr;
    TKxBitBtn *GameOK = nullptr;
    TKxBitBtn *Hint = nullptr;

    // Statistics page
    QLabel *Panel4 = nullptr;
    TStringGrid *Statistik = nullptr;
    QLabel *StatistikP1Info = nullptr;
    QLabel *StatistikP2Info = nullptr;
    QLabel *WinnerLabel = nullptr;
    TKxBitBtn *StatistikOK = nullptr;
    TKxBitBtn *StatistikCancel = nullptr;
    TImage *Logo4 = nullptr;

    // Network page
    QLabel *Panel5 = nullptr;
    TRadioGroup *RadioGroup_ConnectionMode = nullptr;
    QLineEdit *Edit_IPName = nullptr;
    QGroupBox *GroupBox_Host = nullptr;
    QLineEdit *Edit_IPPassword = nullptr;
    QLabel *Label14 = nullptr;
    TKxBitBtn *Button_IPSettings = nullptr;
    TKxBitBtn *Button_HostStart = nullptr;
    QGroupBox *GroupBox_Client = nullptr;
    QLineEdit *Edit_IP = nullptr;
    QLabel *Label15 = nullptr;
    TKxBitBtn *Button_ClientStart = nullptr;
    TKxBitBtn *Button_IPCancel = nullptr;
    TKxBitBtn *Button_Troubleshooting = nullptr;
    TImage *Logo5 = nullptr;

    // Solo page
    QLabel *Panel6 = nullptr;
    QLineEdit *SoloName = nullptr;
    TRadioGroup *SoloDifficulty = nullptr;
    QComboBox *SoloTopic = nullptr;
    QLabel *SoloInfo = nullptr;
    TKxBitBtn *SoloCancel = nullptr;
    TKxBitBtn *SoloOK = nullptr;
    TImage *Logo6 = nullptr;

    bool previewKey(QWidget *receiver, QKeyEvent *event) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window and its pages (form_layout.cpp).
    void createControls();
    void createStartPage(QWidget *page);
    void createSettingsPage(QWidget *page);
    void createPlayersPage(QWidget *page);
    void createWordPage(QWidget *page);
    void createGamePage(QWidget *page);
    void createStatisticsPage(QWidget *page);
    void createNetworkPage(QWidget *page);
    void createSoloPage(QWidget *page);
    void connectHandlers();
    QPixmap decorationPicture();
    // Keys, focus and names for keyboard and screen-reader players
    // (form_access.cpp).
    void setUpWindowKeys();
    void setUpStartPageKeys();
    void setUpGamePageAccess();
    // Where the focus goes as a page opens, and where it rests while the
    // page offers nothing to type or press.
    void focusOpenedPage();
    QWidget *restingPlace() const;
    void keepFocusOffButtons(QWidget *old, QWidget *now);

    // Enter and Esc on the visible page's default and cancel buttons.
    bool pressPageButton(bool cancel);

    // The settings and players pages show and edit the held values.
    GameSettings settingsOnPage() const;
    void showSettingsOnPage();
    void settingsEdited();
    void namesEdited();

    // What the match says, shown.
    void showTurn();
    void showGuess(int seat, QChar key, Round::Guess result, bool atStart);
    void showTurnEnd(const TurnRecord &turn);
    void showNextTurn();
    void showRecord();
    void showStandings(const Scoring::Standings &standings);
    // The box of the rule a word breaks.
    void showRefusal(const MatchState::WordVerdict &verdict);

    // The network game (form_network.cpp).
    void connectPeerLink();
    void lockConnectionChoice();
    void unlockConnectionChoice(int mode);
    void peerGreets(const QString &nickname, const QString &password);
    void peerLogsIn(const QString &nickname);
    void peerSendsSettings(const SettingsRecord &record);
    void peerLeaves();
    void linkFails(const LinkFailure &failure);
    void listenFails(const LinkFailure &failure);
    void peerVanishes(const LinkFailure &failure);
    bool matchIsOver() const;
    Seat *newPeerSeat();
    PeerLink *m_peer = nullptr;
    QPointer<PeerSeat> m_seat;
    QPointer<KeyboardSeat> m_keyboard;
    QString m_peerNickname;
    // Open while the participant types the host's password.
    QPointer<QWidget> m_passwordQuery;

    FormEnvironment m_environment;
    std::shared_ptr<SoundService> m_sound;
    SettingsLocation m_settingsFile;
    GameSettings m_settings;
    PlayerNames m_names;
    // The settings and names as loaded; saving writes only what differs.
    std::unique_ptr<GameSettings> m_loadedSettings;
    std::unique_ptr<PlayerNames> m_loadedNames;
    // The settings page is being filled by the program, not edited.
    bool m_showingSettings = false;
    // The host's settings are only shown on the joining computer.
    bool m_settingsLocked = false;
    // One bit per page whose controls exist.
    unsigned m_builtPages = 0;
    QPixmap m_decoration;

    // Playing alone (form_solo.cpp).
    void showTopics();
    const WordPool &soloPool();
    void showHint();
    void soloMatchEnds();
    void soloTurnEnds();
    void soloMatchEnded();
    QString soloResultText() const;
    // The match alone just played beat the best at its level.
    bool m_soloNewBest = false;
    SoloSettings m_solo;
    std::unique_ptr<SoloSettings> m_loadedSolo;
    // The words the settings allow, kept while the settings stay.
    std::unique_ptr<WordPool> m_pool;
    GameSettings m_poolSettings;
    QPointer<ComputerSeat> m_computer;
    bool m_shownOnce = false;
    bool m_destroyed = false;
    // The settings file is left alone: the run only updated the program.
    bool m_settingsDetached = false;
    // An end asked for while the window was made: no message loop runs yet.
    bool m_endRequested = false;
};
