// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A push button that reports the mouse pointer moving onto and off it, so
// that a window can light the caption of the button under the pointer.
// The button that has the focus wears a frame in the highlight colour
// inside its edge, in the normal look as in the lit one.
// It also knows whether it is its page's default button (Enter) or cancel
// button (Esc); the window that holds it decides what those keys do.
class TKxBitBtn : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(bool Default READ isDefaultButton WRITE setDefaultButton)
    Q_PROPERTY(bool Cancel READ isCancelButton WRITE setCancelButton)

public:
    enum class Kind { Custom, Ok, Cancel };

    explicit TKxBitBtn(QWidget *parent = nullptr);
    TKxBitBtn(const QString &caption, QWidget *parent = nullptr);

    bool isDefaultButton() const { return m_default; }
    void setDefaultButton(bool on) { m_default = on; }
    bool isCancelButton() const { return m_cancel; }
    void setCancelButton(bool on) { m_cancel = on; }

    // The caption's font colour (the hover handlers switch it).
    QColor captionColor() const;
    void setCaptionColor(const QColor &color);

    // A glyph with its normal and its greyed state.
    void setGlyph(const QPixmap &normal, const QPixmap &disabled = QPixmap());

Q_SIGNALS:
    void MouseEnter(QObject *sender);
    void MouseLeave(QObject *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_default = false;
    bool m_cancel = false;
};
