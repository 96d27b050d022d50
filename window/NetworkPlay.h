// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

class QInputDialog;
class NetworkSession;
class TForm1;
struct LinkFailure;

// The network game as the window shows it. The session (net/) holds the
// link, the login and the peer's seat; this part of the window asks the
// player where the session needs an answer, with boxes that wait for
// nothing, goes on when the answer comes, and tells the player how a link
// that could not be made or ended without a goodbye leaves the window:
// ready for a new attempt on the network page, or back on the start page
// as after a leave.
class NetworkPlay : public QObject
{
    Q_OBJECT

public:
    explicit NetworkPlay(TForm1 &window);

    // Made when network play is first asked for: a game on one computer
    // needs no socket.
    NetworkSession &session();
    // The network page opens for a new game.
    void open();
    void host();
    void join();
    // The game ends; the peer is told unless the end came from there or
    // the match was over.
    void leave(bool tellPeer);

private:
    void connectSession();
    void askPassword(const QString &entry);
    void closePasswordQuery();
    void linkFails(const LinkFailure &failure);
    void joinFails(const LinkFailure &failure);
    void listenFails(const LinkFailure &failure);
    void peerVanishes(const LinkFailure &failure);

    TForm1 &m_window;
    NetworkSession *m_session = nullptr;
    // Open while the participant's player types the host's password.
    QPointer<QInputDialog> m_passwordQuery;
};
