// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/CodePageValidator.h"

#include "text/CharSet.h"

CodePageValidator::CodePageValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    return fitsCodePage(input) ? Acceptable : Invalid;
}

bool CodePageValidator::fitsCodePage(const QString &text)
{
    for (QChar c : text) {
        const int code = cp1252Code(c);
        if (code < 0x20 || code == 0x7F)
            return false;
    }
    return true;
}
