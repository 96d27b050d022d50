// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <sys/types.h>

// Whether the code in a file may run with the player's rights: nobody but
// the player and the administrator can have put it there or can change it.
//
// The file's real path (every link followed) must be a regular file, and
// it and every folder above it up to "/" must belong to the player or to
// root. Neither the file nor a folder may be writable by the group or by
// others, with one exception for folders: a shared folder with the sticky
// bit (the temporary folder), in which nobody may rename or remove what is
// not theirs, so that what lies in it is safe as long as it belongs to the
// player or root itself.
//
// Returns that real path, which is what is to be loaded (the links on the
// way may change afterwards), or an empty string for a file that is
// missing or may not be trusted.
QString trustedModulePath(const QString &path, uid_t player);
