// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The host's 20-byte settings record as any peer may send it, and the game
// settings as any settings file may hold them. What they promise: whatever
// arrives ends up inside the settings page's ranges, the receiver's own
// sound option and an unknown time mode leave its settings alone, and a
// record or a settings file written from what was read reads the same.
#include "game/GameSettings.h"
#include "net/SettingsRecord.h"
#include "text/IniFile.h"

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
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const SettingsRecord record = SettingsRecord::decode(bytes);
    const QByteArray encoded = record.encode();
    require(encoded.size() == SettingsRecord::Size && encoded.at(19) == 0);
    require(SettingsRecord::decode(encoded) == record);

    GameSettings own;
    own.TimeLimit = TimeLimitMode::WholeWord;
    own.PlaySounds = false;
    const GameSettings applied = record.appliedTo(own);
    require(applied == applied.clamped());
    require(!applied.PlaySounds);
    if (!record.timeLimitMode())
        require(applied.TimeLimit == TimeLimitMode::WholeWord);
    // What the participant shows is what it would send on as a host.
    require(SettingsRecord::fromSettings(applied).appliedTo(own) == applied);

    // The same bytes as a settings file.
    const GameSettings read = GameSettings::read(IniFile::parse(bytes));
    require(read == read.clamped());
    IniFile written = IniFile::parse(bytes);
    read.write(written);
    require(GameSettings::read(IniFile::parse(written.serialize())) == read);
    return 0;
}
