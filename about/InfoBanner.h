// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

// The arithmetic of the about dialog's banner, apart from any painting.
// Colours are 24-bit values with red in bits 0-7, green in 8-15 and blue
// in 16-23; all divisions truncate toward zero.

// The banner's blue, RGB (74, 160, 255), and white.
constexpr quint32 bannerBlue = 0xFFA04A;
constexpr quint32 bannerWhite = 0xFFFFFF;

// The colour step/steps of the way from one colour to another, channel by
// channel: from + (to - from) * step / steps. No steps at all give from.
quint32 MixColor(quint32 from, quint32 to, int step, int steps);

QColor colorFromValue(quint32 value);

// Where the banner's parts go in a box of the given size.
struct BannerLayout
{
    // The left gradient runs from blue at x = 0 to white at x = leftSteps;
    // the right one from there back to blue over rightSteps columns.
    int leftSteps = 0;
    int rightSteps = 0;
    QPoint logo;
    QPoint icon;
    // One pixel outside the icon on the left and at the top, on its last
    // column and row on the right and at the bottom.
    QRect iconFrame;
    int textX = 0;
    int nameY = 0;
    int versionY = 0;
    int periodY = 0;
};

// nameBoldHeight, nameHeight and periodHeight: the line heights of the
// program name in the bold font and of the name and the period in the
// regular one.
BannerLayout bannerLayout(QSize box, QSize logo, QSize icon, int nameBoldHeight, int nameHeight, int periodHeight);
