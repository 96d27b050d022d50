// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/MatchState.h"
#include "net/LinkFailure.h"
#include "net/NetProtocol.h"
#include "net/SettingsRecord.h"

#include <QObject>
#include <QPointer>
#include <QString>

class PeerLink;
class PeerSeat;
class Seat;

// One network game as this computer plays it: the link to the other
// computer, the login on either side, the peer's seat at the match while
// one is played, and where the exchange stands (NetPhase, moved on here
// alone). Where the player has a say (the host's password, the login seen,
// the host's settings looked at) the session tells the window by a signal
// and waits for its answer as a state; an answer that comes once the peer
// has left or the link has failed is ignored. Nothing here waits in an
// event loop of its own.
//
// A leave or a failure ends the session before the window hears of it:
// the link is closed and the seat has gone. The match's IsHost follows the
// role taken here; NetworkGame stays the window's, set on its network page.
class NetworkSession : public QObject
{
    Q_OBJECT

public:
    // How far the login has come.
    enum class Handshake {
        Idle,              // no network game under way
        Listening,         // host: greets whoever connects, waits for a login
        Joining,           // participant: connects, waits for the greeting
        PasswordWanted,    // participant: its player is asked for the host's password
        PasswordCancelled, // participant: its player would not give it; connected, not logged in
        LoginShown,        // host: a participant logged in; its player has yet to confirm it
        AwaitingSettings,  // participant: logged in, waits for the host's settings
        SettingsShown,     // participant: its player looks at the host's settings
        Playing,           // the settings went out (host) or were confirmed (participant)
    };
    Q_ENUM(Handshake)

    // Who types the coming turn's word, as this computer's word page shows it.
    enum class WordEntry {
        Open,             // this computer's player, now
        PeerTypes,        // the peer's player
        PeerOnStatistics, // this computer's player, once the peer has left its statistics
    };
    Q_ENUM(WordEntry)

    explicit NetworkSession(MatchState &match, QObject *parent = nullptr);
    ~NetworkSession() override;

    void setPort(quint16 port);
    quint16 port() const;
    // The port the host listens on; tells which one the system chose for 0.
    quint16 serverPort() const;
    void setLoginPatience(int withoutPasswordMs, int withPasswordMs);

    // Listens for a participant and greets it with this nickname and
    // password. False, after failed(), when the port cannot be listened on.
    bool host(const QString &nickname, const QString &password);
    // Connects to a host by computer name or address, to log in with this
    // nickname.
    void join(const QString &address, const QString &nickname);
    // The password query's answer: the host's password logs in, any other
    // is passwordWrong().
    void answerPassword(const QString &entry);
    // The player would not give the password: connected, logged out, and
    // nothing sent.
    void cancelPassword();
    // Host: its player has seen the login; these settings go out and the
    // match can start. False, and nothing sent, once the participant has gone.
    bool confirmLogin(const SettingsRecord &settings);
    // Participant: its player has looked at the host's settings, and the
    // host may send its first word. False when no settings were looked at.
    bool confirmSettings();
    // The peer's seat at a match about to start, made anew for each; the
    // match keeps it and lets it go with the match.
    Seat *newSeat();
    // Says goodbye to the peer once the login has begun, and ends the session.
    void leave();
    // Ends the session without a word to the peer.
    void close();

    Handshake handshake() const { return m_handshake; }
    NetPhase phase() const;
    bool isHost() const;
    bool isListening() const;
    bool isConnected() const;
    // The peer's nickname as its login brought it; kept once the session
    // has ended, for the last word about the peer.
    QString peerNickname() const { return m_peerNickname; }

Q_SIGNALS:
    // Participant: the host asks for a password. The query shows entry.
    void passwordWanted(const QString &entry);
    // Participant: entry is not the host's password; once the player has
    // seen that, and while the password is still wanted, ask again
    // showing entry.
    void passwordWrong(const QString &entry);
    // Participant: logged in with the host of this nickname.
    void loggedIn(const QString &hostNickname);
    void settingsReceived(const SettingsRecord &record);
    // Host: the participant of this nickname logged in; confirmLogin() once
    // its player has seen it.
    void participantLoggedIn(const QString &nickname);
    // Host: the participant has seen the settings; the first word may go out.
    void peerReady();
    // The peer's word breaks a rule of the settings; it is not played, and
    // this computer waits for another.
    void wordRefused(const MatchState::WordVerdict &verdict);
    // Who types the coming turn's word, once this computer has left its
    // statistics or the peer has.
    void wordEntryChanged(NetworkSession::WordEntry entry);
    // The peer said goodbye; the session has ended.
    void peerLeft(const QString &nickname);
    // The link could not be made or came to an end without a goodbye, or
    // the peer broke the rules of the exchange; the session has ended.
    void failed(const LinkFailure &failure);

private:
    void setPhase(NetPhase phase);
    void greetParticipant();
    void hostGreets(const QString &nickname, const QString &password);
    void logIn();
    void participantLogsIn(const QString &nickname);
    void hostSendsSettings(const SettingsRecord &record);
    void peerIsReady();
    void peerSendsWord(const QString &word);
    void peerStarts();
    void peerGuesses(QChar key);
    void peerLeavesStatistics();
    void localLeavesStatistics();
    void peerLeaves();
    void linkFails(const LinkFailure &failure);
    void peerCheats();
    void unseat();

    MatchState &m_match;
    PeerLink *m_link = nullptr;
    QPointer<PeerSeat> m_seat;
    Handshake m_handshake = Handshake::Idle;
    QString m_nickname;
    QString m_password;
    NetProtocol::Greeting m_greeting;
    QString m_peerNickname;
};
