// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A push button that reports the mouse pointer moving onto and off it, so
// that a window can light the caption of the button under the pointer.
// The button that Return presses wears a frame in the highlight colour
// inside its edge, in the normal look as in the lit one: the one with the
// focus, or, while the focus is on no button, the default button.
// It also knows whether it is its page's default button (Enter) or cancel
// button (Esc); the window that holds it decides what those keys do.
// Out of sight it keeps no focus and no key presses it.
class TKxBitBtn : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(bool Default READ isDefaultButton WRITE setDefaultButton)
    Q_PROPERTY(bool Cancel READ isCancelButton WRITE setCancelButton)

public:
    enum class Kind { Custom, Ok, Cancel };

    explicit TKxBitBtn(QWidget *parent = nullptr);
    TKxBitBtn(const QString &caption, QWidget *parent = nullptr);
    ~TKxBitBtn() override;

    bool isDefaultButton() const { return m_default; }
    void setDefaultButton(bool on);
    bool isCancelButton() const { return m_cancel; }
    void setCancelButton(bool on) { m_cancel = on; }

    // The caption's font colour (the hover handlers switch it); an invalid
    // colour gives the caption back to the palette, whatever it becomes.
    QColor captionColor() const;
    void setCaptionColor(const QColor &color);

    // Return would press this button: it has its window's focus, or it is
    // a default button, usable, and the focus is on no other button of its
    // window.
    bool isReturnTarget() const;

    // A glyph with its normal and its greyed state.
    void setGlyph(const QPixmap &normal, const QPixmap &disabled = QPixmap());

Q_SIGNALS:
    void MouseEnter(QObject *sender);
    void MouseLeave(QObject *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool m_default = false;
    bool m_cancel = false;
    QMetaObject::Connection m_focusWatch;
};
