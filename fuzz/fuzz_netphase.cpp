// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The peer's bytes as a hostile peer may send them, in every phase and
// role, cut into reads of any size. What the reading promises: it never
// holds more than its bound, every byte it took comes out once and in
// order, each message is one the phase waits for, and a phase that counts
// characters hands out one at a time, a lone "<>" apart. A word or a
// greeting longer than an honest peer's is a foul, and the end of it.
#include "net/NetProtocol.h"
#include "net/PeerReader.h"
#include "net/SettingsRecord.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

using NetProtocol::PeerMessage;

void require(bool promise)
{
    if (!promise)
        std::abort();
}

// greetingRead: all the participant has read before its login, this
// message's bytes included.
bool fits(const PeerMessage &message, NetPhase phase, bool isHost, qsizetype greetingRead)
{
    if (message.bytes.isEmpty())
        return false;
    const bool greeting = phase == NetPhase::Connecting && !isHost;
    const bool longWord = phase == NetPhase::AwaitingWord && message.bytes.size() > NetProtocol::MaxWordLength;
    const bool tooLong = greeting ? greetingRead > NetProtocol::MaxGreetingLength : longWord;
    if (tooLong != (message.kind == PeerMessage::Foul))
        return false;
    if (tooLong)
        return true;
    if (phase == NetPhase::Connecting)
        return message.kind == (isHost ? PeerMessage::Login : PeerMessage::Greeting)
            && message.text == NetProtocol::decodeText(message.bytes);
    if ((message.kind == PeerMessage::Leave) != (message.bytes == NetProtocol::LeaveSignal))
        return false;
    if (message.kind == PeerMessage::Leave)
        return true;
    switch (phase) {
    case NetPhase::LoggedIn:
        return isHost ? message.kind == PeerMessage::Ready
                      : message.kind == PeerMessage::Settings && message.bytes.size() <= SettingsRecord::Size;
    case NetPhase::AwaitingWord:
        return message.kind == PeerMessage::Word && message.text == NetProtocol::decodeText(message.bytes);
    case NetPhase::AwaitingStart:
        return message.kind == PeerMessage::Start;
    case NetPhase::TurnRunning:
        return message.bytes.size() == 1
            && (message.kind == PeerMessage::TurnOver
                || (message.kind == PeerMessage::Guess && message.text.size() == 1));
    case NetPhase::Connecting:
        break;
    }
    return false;
}

// Where the window goes after a message; where it depends on whose turn
// comes, the input decides.
NetPhase after(const PeerMessage &message, NetPhase phase, bool isHost, bool setsNext)
{
    switch (message.kind) {
    case PeerMessage::Greeting:
    case PeerMessage::Login:
        return NetPhase::LoggedIn;
    case PeerMessage::Settings:
        return NetPhase::AwaitingWord;
    case PeerMessage::Ready:
    case PeerMessage::TurnOver:
        return setsNext ? NetPhase::AwaitingStart : NetPhase::AwaitingWord;
    case PeerMessage::Word:
        return setsNext ? NetPhase::AwaitingStart : NetPhase::TurnRunning;
    case PeerMessage::Start:
        return NetPhase::TurnRunning;
    default:
        return phase;
    }
    Q_UNUSED(isHost)
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const quint8 start = input.ConsumeIntegral<quint8>();
    NetPhase phase = NetPhase(start % 5);
    const bool isHost = start & 0x08;

    PeerReader reader;
    QByteArray taken;
    QByteArray given;
    qsizetype greetingRead = 0;
    bool left = false;
    while (input.remaining_bytes() > 0 && !left) {
        const size_t length = input.ConsumeIntegralInRange<size_t>(0, 2 * PeerReader::MaxPending);
        const std::vector<char> chunk = input.ConsumeBytes<char>(length);
        const QByteArray read(chunk.data(), qsizetype(chunk.size()));
        const qsizetype before = reader.pending();
        const bool accepted = reader.append(read);
        require(accepted == (before + read.size() <= PeerReader::MaxPending));
        require(reader.pending() <= PeerReader::MaxPending);
        if (!accepted)
            break; // the connection ends
        taken += read;

        const bool setsNext = input.ConsumeBool();
        for (PeerMessage message = reader.next(phase, isHost); message.kind != PeerMessage::Nothing;
             message = reader.next(phase, isHost)) {
            if (phase == NetPhase::Connecting && !isHost)
                greetingRead += message.bytes.size();
            require(fits(message, phase, isHost, greetingRead));
            given += message.bytes;
            if (message.kind == PeerMessage::Leave || message.kind == PeerMessage::Foul) {
                left = true; // nothing after a leave or a foul counts
                break;
            }
            phase = after(message, phase, isHost, setsNext);
        }
        if (!left)
            require(reader.pending() == 0);
    }
    require(taken.startsWith(given));
    if (!left)
        require(given == taken);
    return 0;
}
