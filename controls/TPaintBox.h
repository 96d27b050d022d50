// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QPainter;

// A plain surface whose owner draws on it: every paint request is handed to
// the Paint signal with a painter open on the box. For a screen reader the
// owner puts into words what the picture shows.
class TPaintBox : public QWidget
{
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);

    QString accessibleText() const { return m_accessibleText; }
    // Tells screen readers when it changes.
    void setAccessibleText(const QString &text);

Q_SIGNALS:
    void Paint(QPainter &painter);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_accessibleText;
};
