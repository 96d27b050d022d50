// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/LinkFailure.h"

LinkFailure::Kind LinkFailure::kindOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::AddressInUseError:
        return AddressInUse;
    case QAbstractSocket::HostNotFoundError:
        return HostNotFound;
    case QAbstractSocket::ConnectionRefusedError:
        return Refused;
    case QAbstractSocket::NetworkError:
        return Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return TimedOut;
    case QAbstractSocket::RemoteHostClosedError:
        return Closed;
    default:
        return Other;
    }
}
