// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/InfoBanner.h"

#include <algorithm>

quint32 MixColor(quint32 from, quint32 to, int step, int steps)
{
    if (steps == 0)
        return from & 0xFFFFFF;
    quint32 result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const qint64 a = (from >> shift) & 0xFF;
        const qint64 b = (to >> shift) & 0xFF;
        // Steps outside 0..steps would carry into the next channel.
        const qint64 channel = std::clamp<qint64>(a + (b - a) * step / steps, 0, 255);
        result |= quint32(channel) << shift;
    }
    return result;
}

QColor colorFromValue(quint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

BannerLayout bannerLayout(QSize box, QSize logo, QSize icon, int nameBoldHeight, int nameHeight, int periodHeight)
{
    const int w = box.width();
    const int h = box.height();
    BannerLayout layout;
    layout.leftSteps = int(w * 0.75);
    layout.rightSteps = w - layout.leftSteps;
    layout.logo = QPoint(layout.leftSteps - logo.width() / 2, 4);
    const int iconTop = h / 2 - icon.height() / 2;
    layout.icon = QPoint(8, iconTop);
    layout.iconFrame = QRect(QPoint(7, iconTop - 1), QPoint(icon.width() + 8 - 1, h / 2 + icon.height() / 2 - 1));
    layout.textX = icon.width() + 16;
    layout.nameY = h / 2 - int(1.5 * nameBoldHeight);
    layout.versionY = h / 2 - int(0.5 * nameHeight);
    layout.periodY = h / 2 + int(0.5 * periodHeight);
    return layout;
}
