// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordLayout.h"

namespace WordLayout {

int cellsPerLine()
{
    return (kRightLimit - kLeftMargin) / kCellWidth;
}

QPoint cellOrigin(int position)
{
    // The cursor steps one cell right per character and starts a new line
    // as soon as the next cell would reach past the right limit.
    const int index = position > 1 ? position - 1 : 0;
    const int perLine = cellsPerLine();
    return QPoint(kLeftMargin + (index % perLine) * kCellWidth, (index / perLine) * kLineStep);
}

} // namespace WordLayout
