// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether the computer is online: a network interface that is up and is
// not the loopback one.
bool InternetGetConnectedState();
