// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SystemFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

QFont messageFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

bool isEightPointFont(const QFont &font)
{
    return font.pointSize() == 8 || font.pixelSize() == 11;
}

void UseMessageFont()
{
    const QString family = messageFont().family();
    if (family.isEmpty())
        return;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        QFont font = window->font();
        if (!isEightPointFont(font))
            continue;
        font.setFamilies({family});
        window->setFont(font);
    }
}
