#pragma once

#include <QAbstractSocket>
#include <QString>

// What a connection was doing when it failed.
enum class SocketErrorKind { Lookup, Connect, Send, Receive, Disconnect };

// The system call that stands for the kind in the error report.
QString socketOperation(SocketErrorKind kind);

// The system's error number for a socket error, never 0 (0 is what a
// handler sets to say it has dealt with the error). Name lookup has no
// errno of its own and reports the resolver's "no such name".
int socketErrorCode(QAbstractSocket::SocketError error);

// The program's general error report for a socket failure that no game
// handler took care of: a modal box with the system's reason, its code and
// the failing call.
void reportSocketError(const QString &reason, int code, const QString &operation);
