// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TKxBitBtn.h"

#include <QEnterEvent>
#include <QIcon>
#include <QPainter>

namespace {

// The style marks the focus with a line a pixel wide that barely differs
// from the button's edge; this frame is seen across the room.
constexpr qreal kFocusFrameWidth = 3;
constexpr qreal kFocusFrameInset = 4;

} // namespace

TKxBitBtn::TKxBitBtn(QWidget *parent)
    : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
}

TKxBitBtn::TKxBitBtn(const QString &caption, QWidget *parent)
    : TKxBitBtn(parent)
{
    setText(caption);
}

QColor TKxBitBtn::captionColor() const
{
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void TKxBitBtn::setCaptionColor(const QColor &color)
{
    QPalette pal = palette();
    // A disabled button keeps the style's greyed caption.
    pal.setColor(QPalette::Active, QPalette::ButtonText, color);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    setPalette(pal);
}

void TKxBitBtn::setGlyph(const QPixmap &normal, const QPixmap &disabled)
{
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    if (!disabled.isNull())
        icon.addPixmap(disabled, QIcon::Disabled);
    setIcon(icon);
    setIconSize(normal.size());
}

void TKxBitBtn::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), kFocusFrameWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kFocusFrameInset + kFocusFrameWidth / 2;
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 3, 3);
}

void TKxBitBtn::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    Q_EMIT MouseEnter(this);
}

void TKxBitBtn::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    Q_EMIT MouseLeave(this);
}
