// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The login, as the two computers go through it:
//
//   host                                   participant
//   host(): Listening, phase 0             join(): Joining, phase 0
//   a participant connects: greeting  -->  no password: logs in at once;
//                                          else PasswordWanted until the
//                                          player gives it (or cancels:
//                                          PasswordCancelled, nothing sent)
//   LoginShown, phase 1             <--    login: AwaitingSettings, phase 1
//   confirmLogin(): settings          -->  SettingsShown, phase 2
//   Playing, phase 1                <--    confirmSettings(): ready; Playing
//   phase 3 (it sets the first word)
//
// From there on the phase follows the turns: the peer's word, its start
// and its leaving the statistics move it on, and the peer's seat plays
// their moves at the match.
#include "net/NetworkSession.h"

#include "net/PeerLink.h"
#include "net/PeerSeat.h"

NetworkSession::NetworkSession(MatchState &match, QObject *parent)
    : QObject(parent)
    , m_match(match)
    , m_link(new PeerLink(this))
{
    m_link->setObjectName(QStringLiteral("peerLink"));
    connect(m_link, &PeerLink::participantConnected, this, &NetworkSession::greetParticipant);
    connect(m_link, &PeerLink::greetingReceived, this, &NetworkSession::hostGreets);
    connect(m_link, &PeerLink::loginReceived, this, &NetworkSession::participantLogsIn);
    connect(m_link, &PeerLink::settingsReceived, this, &NetworkSession::hostSendsSettings);
    connect(m_link, &PeerLink::readyReceived, this, &NetworkSession::peerIsReady);
    connect(m_link, &PeerLink::wordReceived, this, &NetworkSession::peerSendsWord);
    connect(m_link, &PeerLink::startReceived, this, &NetworkSession::peerStarts);
    connect(m_link, &PeerLink::guessReceived, this, &NetworkSession::peerGuesses);
    connect(m_link, &PeerLink::turnOverReceived, this, &NetworkSession::peerLeavesStatistics);
    connect(m_link, &PeerLink::leaveReceived, this, &NetworkSession::peerLeaves);
    connect(m_link, &PeerLink::failed, this, &NetworkSession::linkFails);
    connect(&m_match, &MatchState::turnChanged, this, &NetworkSession::localLeavesStatistics);
}

NetworkSession::~NetworkSession()
{
    // Nothing of the sockets' going down reaches a session being destroyed.
    m_link->disconnect(this);
}

void NetworkSession::setPort(quint16 port)
{
    m_link->setPort(port);
}

quint16 NetworkSession::port() const
{
    return m_link->port();
}

quint16 NetworkSession::serverPort() const
{
    return m_link->serverPort();
}

void NetworkSession::setLoginPatience(int withoutPasswordMs, int withPasswordMs)
{
    m_link->setLoginPatience(withoutPasswordMs, withPasswordMs);
}

NetPhase NetworkSession::phase() const
{
    return m_link->phase();
}

bool NetworkSession::isHost() const
{
    return m_link->isHost();
}

bool NetworkSession::isListening() const
{
    return m_link->isListening();
}

bool NetworkSession::isConnected() const
{
    return m_link->isConnected();
}

void NetworkSession::setPhase(NetPhase phase)
{
    m_link->setPhase(phase);
}

bool NetworkSession::host(const QString &nickname, const QString &password)
{
    close();
    m_match.setNetworkGame(m_match.roundState().NetworkGame, true);
    m_nickname = nickname;
    m_password = password;
    m_peerNickname.clear();
    m_handshake = Handshake::Listening;
    // A port that cannot be listened on is told by failed(), which ends
    // the session again.
    return m_link->host();
}

void NetworkSession::join(const QString &address, const QString &nickname)
{
    close();
    m_match.setNetworkGame(m_match.roundState().NetworkGame, false);
    m_nickname = nickname;
    m_greeting = {};
    m_peerNickname.clear();
    m_handshake = Handshake::Joining;
    m_link->join(address);
}

void NetworkSession::greetParticipant()
{
    m_link->sendGreeting(m_nickname, m_password);
}

void NetworkSession::hostGreets(const QString &nickname, const QString &password)
{
    m_greeting = {nickname, password};
    if (password.isEmpty()) {
        logIn();
        return;
    }
    m_handshake = Handshake::PasswordWanted;
    emit passwordWanted(QString());
}

void NetworkSession::answerPassword(const QString &entry)
{
    if (m_handshake != Handshake::PasswordWanted)
        return;
    // Exactly as the host typed it, capitals and all.
    if (entry != m_greeting.password) {
        emit passwordWrong(entry);
        return;
    }
    logIn();
}

void NetworkSession::cancelPassword()
{
    // The host learns nothing, and in time frees its place for another.
    if (m_handshake == Handshake::PasswordWanted)
        m_handshake = Handshake::PasswordCancelled;
}

void NetworkSession::logIn()
{
    m_peerNickname = m_greeting.nickname;
    // The host's settings may follow at once, and are read in the new phase.
    setPhase(NetPhase::LoggedIn);
    m_handshake = Handshake::AwaitingSettings;
    m_link->sendLogin(m_nickname);
    emit loggedIn(m_peerNickname);
}

void NetworkSession::participantLogsIn(const QString &nickname)
{
    m_peerNickname = nickname;
    // From here a "<>" is the participant's goodbye, also while the host's
    // player has not yet seen the login.
    setPhase(NetPhase::LoggedIn);
    m_handshake = Handshake::LoginShown;
    emit participantLoggedIn(nickname);
}

bool NetworkSession::confirmLogin(const SettingsRecord &settings)
{
    if (m_handshake != Handshake::LoginShown)
        return false;
    m_handshake = Handshake::Playing;
    m_link->sendSettings(settings);
    return true;
}

void NetworkSession::hostSendsSettings(const SettingsRecord &record)
{
    setPhase(NetPhase::AwaitingWord);
    m_handshake = Handshake::SettingsShown;
    emit settingsReceived(record);
}

bool NetworkSession::confirmSettings()
{
    if (m_handshake != Handshake::SettingsShown)
        return false;
    m_handshake = Handshake::Playing;
    m_link->sendReady();
    return true;
}

void NetworkSession::peerIsReady()
{
    // Only settings seen can be confirmed: a ready before they went out is
    // no player's.
    if (m_handshake != Handshake::Playing) {
        peerCheats();
        return;
    }
    setPhase(m_match.localSetsWord() ? NetPhase::AwaitingStart : NetPhase::AwaitingWord);
    emit peerReady();
}

void NetworkSession::peerSendsWord(const QString &word)
{
    // Checked before anything changes: a word the rules refuse is not
    // played, and this computer goes on waiting for one. One that comes
    // while the last turn is still on screen would replace it unseen.
    const MatchState::WordVerdict verdict = m_match.checkWord(word);
    if (!m_seat || !m_seat->awaitsWord()) {
        peerCheats();
        return;
    }
    if (!verdict.accepted()) {
        emit wordRefused(verdict);
        return;
    }
    setPhase(m_match.localGuesses() ? NetPhase::TurnRunning : NetPhase::AwaitingStart);
    m_seat->peerSendsWord(word);
}

void NetworkSession::peerStarts()
{
    setPhase(NetPhase::TurnRunning);
    if (m_seat)
        m_seat->peerStarts();
}

void NetworkSession::peerGuesses(QChar key)
{
    if (m_seat)
        m_seat->peerGuesses(key);
}

void NetworkSession::peerLeavesStatistics()
{
    // Until this computer has left its statistics, the match still names
    // the turn just played, whose guesser sets next; afterwards it already
    // names the coming turn.
    const bool turnSwitched = m_match.stage() == MatchState::Stage::AwaitingWord;
    const int comingGuesser = turnSwitched ? m_match.guesser() : m_match.setter();
    if (comingGuesser == m_match.localSeat()) {
        setPhase(NetPhase::AwaitingWord);
        return;
    }
    setPhase(NetPhase::AwaitingStart);
    // Already waiting on the word page, this computer's player may type.
    if (turnSwitched)
        emit wordEntryChanged(WordEntry::Open);
}

void NetworkSession::localLeavesStatistics()
{
    if (!m_seat || !m_match.roundState().NetworkGame)
        return;
    m_link->sendTurnOver();
    if (m_match.localGuesses())
        emit wordEntryChanged(WordEntry::PeerTypes);
    else if (phase() == NetPhase::TurnRunning)
        // The peer's "%" opens the word entry.
        emit wordEntryChanged(WordEntry::PeerOnStatistics);
    else
        emit wordEntryChanged(WordEntry::Open);
}

void NetworkSession::peerLeaves()
{
    const QString nickname = m_peerNickname;
    // The turn stops where it stands, also while the player reads why.
    if (m_seat)
        m_seat->peerLeaves();
    close();
    emit peerLeft(nickname);
}

void NetworkSession::leave()
{
    if (phase() != NetPhase::Connecting)
        m_link->sendLeave();
    close();
}

void NetworkSession::close()
{
    m_link->close();
    unseat();
    m_handshake = Handshake::Idle;
}

void NetworkSession::linkFails(const LinkFailure &failure)
{
    // Each computer ends its side once its player has seen the last
    // result; the other's going then is the end of the match, not a failure.
    const bool matchOver = failure.kind != LinkFailure::ProtocolError && failure.phase == NetPhase::TurnRunning
        && m_match.stage() == MatchState::Stage::TurnOver && m_match.lastTurnPlayed();
    close();
    if (!matchOver)
        emit failed(failure);
}

void NetworkSession::peerCheats()
{
    const LinkFailure failure{LinkFailure::ProtocolError, LinkFailure::Playing, QString(), phase()};
    close();
    emit failed(failure);
}

Seat *NetworkSession::newSeat()
{
    unseat();
    // The match keeps the seat, and lets it go with the match.
    m_seat = new PeerSeat(*m_link, m_match);
    m_seat->setObjectName(QStringLiteral("peerSeat"));
    return m_seat;
}

void NetworkSession::unseat()
{
    // The seat may be the one telling the match a move just now: it hears
    // nothing more, and goes once that is done.
    if (PeerSeat *seat = m_seat.data()) {
        m_seat = nullptr;
        QObject::disconnect(&m_match, nullptr, seat, nullptr);
        seat->deleteLater();
    }
}
