// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QValidator>

// Keeps an edit to what a line of the 8-bit settings file can hold:
// Windows-1252 characters without control characters. An edit that would
// bring in anything else is undone, and the edit reports inputRejected.
class CodePageValidator : public QValidator
{
    Q_OBJECT

public:
    explicit CodePageValidator(QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;

    static bool fitsCodePage(const QString &text);
};
