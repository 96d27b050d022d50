// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QNetworkAccessManager;
class QObject;
class QTcpSocket;

// Name lookups that never leave the machine. A test that tries an unknown
// computer name would otherwise send a query to the system's name server,
// and wait for its answer. With these, an address (127.0.0.1, ::1, any
// other) is connected to as usual, while every name is unknown at once,
// reported as Qt reports a failed lookup.

// For TClientSocket::setSocketFactory.
QTcpSocket *offlineTcpSocket();
// For THttpClient::setNetworkFactory.
QNetworkAccessManager *offlineNetworkAccess(QObject *parent);
