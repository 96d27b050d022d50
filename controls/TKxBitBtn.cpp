// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TKxBitBtn.h"

#include <QApplication>
#include <QEnterEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcutEvent>

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

TKxBitBtn::~TKxBitBtn()
{
    // Going down moves the focus; the frame of a button gone is no matter.
    disconnect(m_focusWatch);
}

QColor TKxBitBtn::captionColor() const
{
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void TKxBitBtn::setCaptionColor(const QColor &color)
{
    // The caption is the one colour of its own; everything else, and the
    // caption when no colour is given, follows the palette as it changes.
    QPalette pal;
    if (color.isValid()) {
        // A disabled button keeps the style's greyed caption.
        pal.setColor(QPalette::Active, QPalette::ButtonText, color);
        pal.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    }
    setPalette(pal);
}

void TKxBitBtn::setDefaultButton(bool on)
{
    m_default = on;
    disconnect(m_focusWatch);
    // The frame moves between the default button and a focused one.
    if (on)
        m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
    update();
}

bool TKxBitBtn::isReturnTarget() const
{
    // In a window in the background too: the button its focus returns to.
    const QWidget *focused = window()->focusWidget();
    if (hasFocus() || focused == this)
        return true;
    if (!m_default || !isVisible() || !isEnabled())
        return false;
    const auto *button = qobject_cast<const QPushButton *>(focused);
    return !(button && button->isVisible() && button->isEnabled());
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
    if (!isReturnTarget())
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

// Space presses a button only while it can be seen.
// A button that never takes the focus acts on its key at once and leaves
// the focus where it was: the key is a command, not a step of the tab order.
bool TKxBitBtn::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && focusPolicy() == Qt::NoFocus) {
        if (!static_cast<QShortcutEvent *>(event)->isAmbiguous())
            click();
        return true;
    }
    return QPushButton::event(event);
}

void TKxBitBtn::keyPressEvent(QKeyEvent *event)
{
    if (!isVisible()) {
        event->ignore();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TKxBitBtn::keyReleaseEvent(QKeyEvent *event)
{
    if (!isVisible()) {
        setDown(false);
        event->ignore();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

// A button put out of sight gives up the focus rather than go on taking
// keys unseen; the window decides where the focus goes next.
void TKxBitBtn::hideEvent(QHideEvent *event)
{
    QPushButton::hideEvent(event);
    if (isHidden() && hasFocus())
        clearFocus();
}
