// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// A word list of one's own as any file may hold it, under settings chosen
// by the first byte. What it promises: every word it keeps is one the word
// page would accept and no longer than a word may be, no word comes twice,
// and each refused line is named once, in order, by a line the file has.
#include "game/GameSettings.h"
#include "game/MatchState.h"
#include "game/OwnWords.h"
#include "game/WordRules.h"

#include <QSet>

#include <cstdlib>

namespace {

void require(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    GameSettings settings;
    settings.NoSpecialChars = data[0] & 1;
    settings.CapitalLetters = data[0] & 2;
    settings.AcceptSentences = data[0] & 4;
    settings.AcceptNumbers = data[0] & 8;
    settings.SetFirstLetter = data[0] & 16;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    const OwnWords own = OwnWords::fromBytes(bytes, settings);
    const QStringList words = own.words();
    require((own.problem() == OwnWords::Problem::NoWord) == words.isEmpty());
    QSet<QString> seen;
    for (const QString &word : words) {
        require(word.size() <= WordRules::MaxWordLength);
        require(MatchState::judgeWord(settings, word).accepted());
        require(!seen.contains(word));
        seen.insert(word);
    }
    const qsizetype lines = bytes.count('\n') + 1;
    int previous = 0;
    for (const OwnWords::Refusal &refusal : own.refused()) {
        require(refusal.line > previous && refusal.line <= lines && !refusal.reason.isEmpty());
        previous = refusal.line;
    }
    return 0;
}
