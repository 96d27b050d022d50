// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A framed group of radio buttons addressed by index; -1 is "no item".
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)

public:
    explicit TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent = nullptr);

    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton *item(int index) const;
    int count() const;

Q_SIGNALS:
    // The user clicked an item.
    void Click(QObject *sender);

private:
    QButtonGroup *m_group;
};
