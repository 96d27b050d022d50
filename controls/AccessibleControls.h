// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Screen readers see the program's own controls through the interfaces
// installed here: a digit display as the number it shows, a paint box as
// the text its owner gives it. The controls install them themselves; a
// second call does nothing.
void installAccessibleControls();
