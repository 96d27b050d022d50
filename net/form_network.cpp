// The network page and what the rest of the window needs of the connection.
#include "game/TForm1.h"

void TForm1::IPGameClick()
{
    RoundState.NetworkGame = true;
    RoundState.NetPhase = 0;
    showPage(NetworkPage);
}

void TForm1::Button_IPCancelClick(QObject *sender)
{
    if (sender && RoundState.NetworkGame && RoundState.NetPhase != 0)
        sendToPeer(QStringLiteral("<>"));
    RoundState.NetworkGame = false;
    showPage(StartPage);
}

void TForm1::sendToPeer(const QString &)
{
    // No connection exists yet: nothing to send to.
}
