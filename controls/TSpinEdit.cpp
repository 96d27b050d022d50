// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TSpinEdit.h"

TSpinEdit::TSpinEdit(QWidget *parent)
    : QSpinBox(parent)
{
}

void TSpinEdit::fixup(QString &input) const
{
    QString number = input;
    if (number.startsWith(prefix()))
        number.remove(0, prefix().size());
    if (number.endsWith(suffix()))
        number.chop(suffix().size());
    bool isNumber = false;
    const qlonglong typed = locale().toLongLong(number.trimmed(), &isNumber);
    const int value = isNumber ? int(qBound(qlonglong(minimum()), typed, qlonglong(maximum()))) : minimum();
    input = prefix() + textFromValue(value) + suffix();
}
