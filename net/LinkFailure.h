// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/NetProtocol.h"

#include <QAbstractSocket>
#include <QMetaType>
#include <QString>

// Why the link to the other computer could not be made or came to an end
// without a leave, and how far it had got.
struct LinkFailure
{
    enum Kind {
        AddressInUse,   // another program listens on the port
        HostNotFound,   // no computer of that name
        Refused,        // nobody listens there
        Unreachable,    // no route to that network or computer
        TimedOut,       // the other computer stopped answering
        TurnedAway,     // the host closed the connection before greeting it
        Closed,         // the other side ended the connection
        ProtocolError,  // the peer sent what no player's program sends
        Other,          // see systemText
    };
    enum Stage {
        Opening,    // listening or connecting: there is no peer yet
        LoggingIn,  // the participant is connected and has not logged in
        Playing,    // from the login to the end of the match
    };

    Kind kind = Other;
    Stage stage = Opening;
    // The system's own words, for the rare failure without a kind of its own.
    QString systemText;
    // Where the protocol stood when the link went down.
    NetPhase phase = NetPhase::Connecting;

    static Kind kindOf(QAbstractSocket::SocketError error);
};

Q_DECLARE_METATYPE(LinkFailure)
