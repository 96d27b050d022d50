// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <optional>

// A row of seven-segment digit cells showing a non-negative number, like a
// red LED counter: every cell shows a dim 8, the value's digits are lit over
// the rightmost cells and a decimal separator becomes a dot.
//
// The picture is kept in an off-screen pixmap and drawn anew only when a
// property that changes it was set or the size changed, so the frequent paint
// requests of the game page are a single copy.
//
// Invalid assignments are ignored silently and leave the display as it was:
// a negative value or one whose digits do not fit into the cells, a cell
// count, pen divisor or cell pitch of 0 or less, a decimal count below -1.
class TKxDigit : public QWidget
{
    Q_OBJECT
    // Value and DistanceMultiplicator travel as double through the property
    // system, which converts double from and to every other number type;
    // the C++ accessors keep the full extended precision.
    Q_PROPERTY(double Value READ valueAsDouble WRITE setValueFromDouble)
    Q_PROPERTY(int Digits READ Digits WRITE setDigits)
    Q_PROPERTY(int PenWidthDivisor READ PenWidthDivisor WRITE setPenWidthDivisor)
    Q_PROPERTY(double DistanceMultiplicator READ distanceMultiplicatorAsDouble WRITE setDistanceMultiplicatorFromDouble)
    Q_PROPERTY(bool Active READ Active WRITE setActive)
    Q_PROPERTY(QColor BgColor READ BgColor WRITE setBgColor)
    Q_PROPERTY(QColor ActiveColor READ ActiveColor WRITE setActiveColor)
    Q_PROPERTY(QColor InActiveColor READ InActiveColor WRITE setInActiveColor)
    Q_PROPERTY(int FixedDigits READ FixedDigits WRITE setFixedDigits)
    Q_PROPERTY(bool Autosize READ Autosize WRITE setAutosize)

public:
    // The characters that a value occupies in the cells.
    struct DigitText
    {
        QString text;          // formatted, with the locale's decimal separator
        QString digits;        // text without its separator: one digit per cell
        int separatorPosition; // 1-based position of the separator in text, 0 if none
    };

    explicit TKxDigit(QWidget *parent = nullptr);

    long double Value() const { return m_value; }
    void setValue(long double value);
    int Digits() const { return m_digits; }
    void setDigits(int digits);
    int PenWidthDivisor() const { return m_penWidthDivisor; }
    void setPenWidthDivisor(int divisor);
    long double DistanceMultiplicator() const { return m_distanceMultiplicator; }
    void setDistanceMultiplicator(long double multiplicator);
    bool Active() const { return m_active; }
    void setActive(bool active);
    QColor BgColor() const { return m_bgColor; }
    void setBgColor(const QColor &color);
    QColor ActiveColor() const { return m_activeColor; }
    void setActiveColor(const QColor &color);
    QColor InActiveColor() const { return m_inActiveColor; }
    void setInActiveColor(const QColor &color);
    int FixedDigits() const { return m_fixedDigits; }
    void setFixedDigits(int fixedDigits);
    bool Autosize() const { return m_autosize; }
    void setAutosize(bool autosize);

    // The width that `digits` cells of this height need at this pitch.
    static int requiredWidth(int height, long double distanceMultiplicator, int digits);
    int requiredWidth() const;

    // The value as the cells show it: general format with at most 15
    // significant digits when fixedDigits is -1, else fixed-point with that
    // many decimals. Nothing when the text would hold anything but digits
    // and one separator (exponent notation, infinity, not-a-number, minus).
    static std::optional<DigitText> digitText(long double value, int fixedDigits);

    // How often the off-screen picture has been drawn, and the picture
    // itself; a paint that finds nothing changed only copies it.
    int renderCount() const { return m_renderCount; }
    QImage renderedImage() const { return m_image.toImage(); }

    QSize sizeHint() const override;

Q_SIGNALS:
    void MouseEnter(QObject *sender);
    void MouseLeave(QObject *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    double valueAsDouble() const { return double(m_value); }
    void setValueFromDouble(double value) { setValue(value); }
    double distanceMultiplicatorAsDouble() const { return double(m_distanceMultiplicator); }
    void setDistanceMultiplicatorFromDouble(double value) { setDistanceMultiplicator(value); }

    void repaintNow();
    template<typename T>
    void assignAndRepaint(T &field, const T &value);
    void applyAutosize();
    void renderPictureIfNeeded();
    void renderPicture();
    void drawGlyph(QPainter &painter, int glyph, qint64 x0, const QColor &color) const;
    void drawDecimalPoint(QPainter &painter, qint64 x, int y, int diameter) const;
    int pitch() const;

    long double m_value = 0;
    int m_digits = 8;
    int m_penWidthDivisor = 8;
    long double m_distanceMultiplicator = 0.75L;
    bool m_active = true;
    QColor m_bgColor = QColor(0, 0, 0);
    QColor m_activeColor = QColor(255, 0, 0);
    QColor m_inActiveColor = QColor(128, 0, 0);
    int m_fixedDigits = -1;
    bool m_autosize = true;

    QPixmap m_image;
    bool m_renderNeeded = true;
    QSize m_renderedSize;
    qreal m_renderedPixelRatio = 0;
    int m_renderCount = 0;
};
