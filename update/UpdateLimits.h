// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// What the update server and its archive may ask of the player's computer.
// Whatever goes beyond is refused with a message before it can fill the
// disk or the memory, or hold the wizard.

// The description holds a few lines per program: a thousand times that
// still fits, and no server fills the temporary folder with it.
inline constexpr qint64 MaximumDescriptionSize = 1024 * 1024;
// Reading the description costs a few hundred bytes of memory per line,
// however short the line; a few thousand lines carry many programs with
// their news, and cost a megabyte or two.
inline constexpr int MaximumDescriptionLines = 4096;
// The description is small, so a server that takes longer than this over
// it, however steadily it trickles, only holds the player's wizard.
inline constexpr int DescriptionDeadlineMs = 30000;
// Many times the game with its sounds and pictures; the archive lies in the
// temporary folder beside everything else the player keeps there.
inline constexpr qint64 MaximumArchiveSize = 512ll * 1024 * 1024;
// Unpacked, twice what the largest archive holds uncompressible: more is a
// compression bomb, not an update.
inline constexpr qint64 MaximumUnpackedSize = 1024ll * 1024 * 1024;
// A program of a few hundred files; the count bounds the work and the
// entries left to check.
inline constexpr int MaximumArchiveEntries = 10000;
// The script template is a few dozen lines; reading it costs memory per
// line.
inline constexpr qint64 MaximumTemplateSize = 64 * 1024;

// The bounds one update session keeps to; the defaults are the constants
// above, and tests try them with smaller ones.
struct UpdateLimits
{
    qint64 descriptionSize = MaximumDescriptionSize;
    int descriptionLines = MaximumDescriptionLines;
    int descriptionDeadlineMs = DescriptionDeadlineMs;
    qint64 archiveSize = MaximumArchiveSize;
    qint64 unpackedSize = MaximumUnpackedSize;
    int archiveEntries = MaximumArchiveEntries;
    qint64 templateSize = MaximumTemplateSize;
};
