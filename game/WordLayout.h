// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>

// Where the characters of the secret word go on the game page's paint box.
// Each position is a cell 50 pixels wide; its text is centred 25 pixels
// right of the cell's left edge, with the position number under it. A line
// holds as many cells as fit left of x 800, so a 60-character word fills
// four lines.
namespace WordLayout {

constexpr int kLeftMargin = 24;
constexpr int kCellWidth = 50;
constexpr int kCellCentre = 25;
constexpr int kLineStep = 70;
constexpr int kRightLimit = 800;

// Top left of the cell of a 1-based position; positions below 1 count as 1.
QPoint cellOrigin(int position);

// The number of cells on one line.
int cellsPerLine();

// Left edge of a text of this width centred on centreX; half the width is
// truncated, as the drawing arithmetic always does.
constexpr int centredLeft(int centreX, int textWidth)
{
    return centreX - textWidth / 2;
}

} // namespace WordLayout
