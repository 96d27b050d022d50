// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/RoundState.h"
#include "window/GameApplication.h"
#include "window/SettingsLocation.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QCheckBox;
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

struct GameSettings;
struct PlayerNames;
class SoundService;
class TImage;
class TKxBitBtn;
class TKxDigit;
class UpdateComponent;
class TPaintBox;
class TRadioGroup;
class PeerLink;
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
};

// The game's one main window: a fixed-size notebook of seven pages.
class TForm1 : public QWidget, public KeyPreviewWindow
{
    Q_OBJECT

public:
    enum Page { StartPage, SettingsPage, PlayersPage, WordPage, GamePage, StatisticsPage, NetworkPage };

    explicit TForm1(const FormEnvironment &environment = FormEnvironment(), QWidget *parent = nullptr);
    ~TForm1() override;

    TRoundState RoundState;

    // In a network game: the local player sets the word / guesses this turn.
    bool LocalSetsWord() const;
    bool LocalGuesses() const;

    int currentPage() const;
    void showPage(Page page);

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
    // The settings page's controls as a record, and back; the names stay.
    GameSettings currentSettings() const;
    void applySettings(const GameSettings &settings);

    // --- word entry
    void WordOKClick();
    void WordCancelClick();
    // What the word page offers the local player: the entry of the word
    // (its OK, in a network game, may wait for the peer), or a wait for
    // the peer, who types the word or still looks at the statistics.
    enum class WordEntry { Open, OpenOncePeerReady, PeerTypes, PeerOnStatistics };
    void showWordEntry(WordEntry entry);

    // --- guessing; a null sender marks a key replayed by the program
    void GameStartGameClick();
    void FormKeyPress(QObject *sender, QChar key);
    void TimerTimer();
    // Shows the answer to a guess: the word, the counters, the wrong
    // guesses, the sounds when audible, and the end of the turn.
    void showGuess(Round::Guess result, QChar key, bool audible);
    void repaintWord();
    void DrawWord();
    void FormPaint(QPainter &painter);
    // The word in words, for screen readers (form_access.cpp).
    void showWordToReaders();
    bool PlaySoundResource(const QString &name);

    // --- statistics
    void GameOKClick();
    void StatistikOKClick();

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
    // asked for: a game on one computer needs no socket.
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

    // Statistics page
    QLabel *Panel4 = nullptr;
    TStringGrid *Statistik = nullptr;
    QLabel *StatistikP1Info = nullptr;
    QLabel *StatistikP2Info = nullptr;
    QLabel *WinnerLabel = nullptr;
    TKxBitBtn *StatistikOK = nullptr;
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

    bool previewKey(QWidget *receiver, QKeyEvent *event) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the pages (form_layout.cpp).
    void createControls();
    QWidget *createStartPage();
    QWidget *createSettingsPage();
    QWidget *createPlayersPage();
    QWidget *createWordPage();
    QWidget *createGamePage();
    QWidget *createStatisticsPage();
    QWidget *createNetworkPage();
    void connectHandlers();
    // Keys, focus and names for keyboard and screen-reader players
    // (form_access.cpp).
    void setUpDesktopKeys();
    void nameControlsForReaders();
    // Where the focus goes as a page opens, and where it rests while the
    // page offers nothing to type or press.
    void focusOpenedPage();
    QWidget *restingPlace() const;
    void keepFocusOffButtons(QWidget *old, QWidget *now);

    // Enter and Esc on the visible page's default and cancel buttons.
    bool pressPageButton(bool cancel);

    // Shows the box of the rule a word breaks; false when it breaks none.
    bool refuseWord(const QString &typed);

    // The network game (form_network.cpp).
    void connectPeerLink();
    void lockConnectionChoice();
    void unlockConnectionChoice(int mode);
    void peerGreets(const QString &nickname, const QString &password);
    void peerLogsIn(const QString &nickname);
    void peerSendsSettings(const SettingsRecord &record);
    void peerIsReady();
    void peerSendsWord(const QString &word);
    void peerStarts();
    void peerLeavesStatistics();
    void peerLeaves();
    void linkFails(const LinkFailure &failure);
    void listenFails(const LinkFailure &failure);
    void peerVanishes(const LinkFailure &failure);
    bool matchIsOver() const;
    PeerLink *m_peer = nullptr;
    QString m_peerNickname;
    // Open while the participant types the host's password.
    QPointer<QWidget> m_passwordQuery;

    FormEnvironment m_environment;
    std::shared_ptr<SoundService> m_sound;
    SettingsLocation m_settingsFile;
    // The settings and names as loaded; saving writes only what differs.
    std::unique_ptr<GameSettings> m_loadedSettings;
    std::unique_ptr<PlayerNames> m_loadedNames;
    bool m_shownOnce = false;
    bool m_destroyed = false;
    // The settings file is left alone: the run only updated the program.
    bool m_settingsDetached = false;
    // An end asked for while the window was made: no message loop runs yet.
    bool m_endRequested = false;
};
