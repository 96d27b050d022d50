// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSpinBox>

// A number field with up and down buttons that always ends with a value in
// its range: when the user leaves it or presses Enter, text that is not a
// number, an emptied field included, reads as the lowest value, and a
// number beyond the range as the nearest bound. A plain spin box would
// bring back the previous value instead.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    void fixup(QString &input) const override;
};
