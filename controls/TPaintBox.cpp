// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TPaintBox.h"

#include "controls/AccessibleControls.h"

#include <QAccessible>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent)
    : QWidget(parent)
{
    installAccessibleControls();
}

void TPaintBox::setAccessibleText(const QString &text)
{
    if (text == m_accessibleText)
        return;
    const QString old = m_accessibleText;
    m_accessibleText = text;
    QAccessibleTextUpdateEvent event(this, 0, old, text);
    QAccessible::updateAccessibility(&event);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Q_EMIT Paint(painter);
}
