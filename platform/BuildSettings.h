// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// What the build was configured with. One generated source defines these,
// so a changed update host or key recompiles that file alone.

// The file version, "major.minor.patch.build".
QString programVersion();
// Host name or base URL of the update server; empty: the build has none,
// and the copy does not update itself.
QString updateHost();
// The maker's Ed25519 public key in base64; empty: updates are not signed.
QString updatePublicKey();
// Where an installed program keeps its modules, the full path under the
// prefix the build was configured for ("/usr/lib/x86_64-linux-gnu/lettrisko/modules").
QString installedModuleFolder();
// Reverse-DNS name of the installed menu entry, icon and metainfo.
QString applicationId();
