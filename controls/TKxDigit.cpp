// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TKxDigit.h"

#include "controls/AccessibleControls.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QLocale>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Geometry of a cell, for a control of height H and stroke width P:
//   left strokes at XL = x0 + H div 8 - 1, right ones at XR = XL + (H - 4) div 2,
//   top stroke at YT = P div 2 + 1, middle at YM = H div 2 - 1,
//   bottom at YB = H - 3 - P div 2.
// The decimal point is a round dot of diameter H div 10 on the bottom line.
// All divisions truncate toward zero.

// The points that a glyph's strokes pass through. The 8 alone shortens its
// middle stroke by half a pen width at each end (the "inner" points).
enum Corner { TL, TR, ML, MR, BL, BR, MLi, MRi };
using Polyline = std::vector<Corner>;

const std::array<std::vector<Polyline>, 10> glyphStrokes = {{
    /* 0 */ {{TL, TR, BR, BL, TL}},
    /* 1 */ {{TR, BR}},
    /* 2 */ {{TL, TR, MR, ML, BL, BR}},
    /* 3 */ {{TL, TR, BR, BL}, {MR, ML}},
    /* 4 */ {{TL, ML, MR}, {TR, BR}},
    /* 5 */ {{TR, TL, ML, MR, BR, BL}},
    /* 6 */ {{TR, TL, BL, BR, MR, ML}},
    /* 7 */ {{TL, TR, BR}},
    /* 8 */ {{TL, TR, BR, BL, TL}, {MLi, MRi}},
    /* 9 */ {{MR, ML, TL, TR, BR, BL}},
}};

// The extra canvas pen that the required width allows for: the control
// never widens the pen of its own surface.
constexpr int canvasPenWidth = 1;

// Decimals beyond this many only add zeros that fall out of any display
// at its left edge; the bound keeps an absurd decimal count from building
// a gigantic text.
constexpr int maxFixedDecimals = 4096;

long double truncatedToward0(long double value)
{
    return std::isfinite(value) ? std::trunc(value) : 0.0L;
}

// The leading significant decimal digits of a positive finite value,
// rounded to `count` digits, and the decimal exponent of the first one.
struct Significand
{
    std::string digits;
    int exponent = 0;
};

Significand significandOf(long double value, int count)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", count - 1, value);
    // "d.ddde+XX"; the separator follows the C library's locale, so only
    // the digits before the exponent are taken.
    Significand result;
    const char *p = buffer;
    for (; *p && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9')
            result.digits += *p;
    }
    if (*p)
        result.exponent = std::atoi(p + 1);
    return result;
}

// Splits digits d1 d2 ... (d1 standing for 10^exponent) into the whole
// part and the fractional part of a plain decimal text.
void placeDigits(const std::string &digits, int exponent, std::string &whole, std::string &fraction)
{
    if (exponent >= 0) {
        const size_t wholeLength = size_t(exponent) + 1;
        whole = digits.substr(0, std::min(wholeLength, digits.size()));
        whole.append(wholeLength - whole.size(), '0');
        fraction = digits.size() > wholeLength ? digits.substr(wholeLength) : std::string();
    } else {
        whole = "0";
        fraction = std::string(size_t(-exponent - 1), '0') + digits;
    }
}

// Rounds whole.fraction to `decimals` places, half up, carrying into the
// whole part.
void roundToDecimals(std::string &whole, std::string &fraction, size_t decimals)
{
    if (fraction.size() <= decimals)
        return;
    const bool up = fraction[decimals] >= '5';
    fraction.resize(decimals);
    if (!up)
        return;
    std::string number = whole + fraction;
    int i = int(number.size()) - 1;
    for (; i >= 0 && number[size_t(i)] == '9'; --i)
        number[size_t(i)] = '0';
    if (i >= 0)
        ++number[size_t(i)];
    else
        number.insert(number.begin(), '1');
    whole = number.substr(0, number.size() - decimals);
    fraction = number.substr(number.size() - decimals);
}

QChar decimalSeparator()
{
    // The cells show any separator as the same dot; a locale whose
    // separator is neither of the two usual ones still gets its dot.
    const QString point = QLocale().decimalPoint();
    return point == QLatin1String(",") ? QLatin1Char(',') : QLatin1Char('.');
}

} // namespace

TKxDigit::TKxDigit(QWidget *parent)
    : QWidget(parent)
{
    installAccessibleControls();
    resize(requiredWidth(32, m_distanceMultiplicator, m_digits), 32);
}

std::optional<TKxDigit::DigitText> TKxDigit::digitText(long double value, int fixedDigits)
{
    if (!std::isfinite(value) || value < 0 || fixedDigits < -1)
        return std::nullopt;

    std::string whole;
    std::string fraction;
    if (fixedDigits == -1) {
        // General format: at most 15 significant digits, no trailing zeros;
        // below 0.00001 and from 10^15 on it would need an exponent.
        if (value == 0) {
            whole = "0";
        } else {
            Significand s = significandOf(value, 15);
            if (s.exponent < -5 || s.exponent >= 15)
                return std::nullopt;
            const size_t lastNonZero = s.digits.find_last_not_of('0');
            s.digits.resize(lastNonZero == std::string::npos ? 1 : lastNonZero + 1);
            placeDigits(s.digits, s.exponent, whole, fraction);
        }
    } else {
        // Fixed-point: the value to 14 significant digits, shown with
        // exactly fixedDigits decimals; more than 14 whole digits would
        // need an exponent.
        const size_t decimals = size_t(std::min(fixedDigits, maxFixedDecimals));
        if (value == 0) {
            whole = "0";
        } else {
            const Significand s = significandOf(value, 14);
            if (s.exponent >= 14)
                return std::nullopt;
            placeDigits(s.digits, s.exponent, whole, fraction);
            roundToDecimals(whole, fraction, decimals);
            if (whole.size() > 14)
                return std::nullopt;
        }
        fraction.append(decimals - std::min(decimals, fraction.size()), '0');
    }

    DigitText result;
    result.digits = QString::fromLatin1(whole) + QString::fromLatin1(fraction);
    result.text = QString::fromLatin1(whole);
    result.separatorPosition = 0;
    if (!fraction.empty()) {
        result.text += decimalSeparator() + QString::fromLatin1(fraction);
        result.separatorPosition = int(whole.size()) + 1;
    }
    return result;
}

int TKxDigit::requiredWidth(int height, long double distanceMultiplicator, int digits)
{
    const long double span = static_cast<long double>(height) * distanceMultiplicator;
    const long double pitch = truncatedToward0(span);
    const long double tail = truncatedToward0(span - height * 0.725L - canvasPenWidth / 2 + 1);
    const long double width = pitch * digits - tail;
    return int(std::clamp(width, 0.0L, static_cast<long double>(QWIDGETSIZE_MAX)));
}

int TKxDigit::requiredWidth() const
{
    return requiredWidth(height(), m_distanceMultiplicator, m_digits);
}

int TKxDigit::pitch() const
{
    // A pitch wider than any widget leaves only the first cell in view.
    const long double span = truncatedToward0(height() * m_distanceMultiplicator);
    return int(std::clamp(span, 0.0L, static_cast<long double>(QWIDGETSIZE_MAX) + 1));
}

QSize TKxDigit::sizeHint() const
{
    return QSize(requiredWidth(), height());
}

void TKxDigit::setValue(long double value)
{
    const std::optional<DigitText> text = digitText(value, m_fixedDigits);
    if (!text || text->digits.size() > m_digits)
        return;
    // -0 is no negative number, but it would print a minus sign.
    const long double old = m_value;
    m_value = value == 0 ? 0.0L : value;
    repaintNow();
    if (m_value != old) {
        QAccessibleValueChangeEvent event(this, double(m_value));
        QAccessible::updateAccessibility(&event);
    }
}

void TKxDigit::setDigits(int digits)
{
    if (digits <= 0 || digits == m_digits)
        return;
    m_digits = digits;
    // More cells widen the control; fewer leave it as wide as it is unless
    // Autosize fits it to them.
    const int needed = requiredWidth();
    if (width() < needed)
        resize(needed, height());
    repaintNow();
    applyAutosize();
}

void TKxDigit::setPenWidthDivisor(int divisor)
{
    if (divisor <= 0)
        return;
    m_penWidthDivisor = divisor;
    repaintNow();
}

void TKxDigit::setDistanceMultiplicator(long double multiplicator)
{
    if (!(multiplicator > 0) || !std::isfinite(multiplicator))
        return;
    m_distanceMultiplicator = multiplicator;
    repaintNow();
    applyAutosize();
}

// A property whose change alters the picture and nothing else.
template<typename T>
void TKxDigit::assignAndRepaint(T &field, const T &value)
{
    if (value == field)
        return;
    field = value;
    repaintNow();
}

void TKxDigit::setActive(bool active)
{
    assignAndRepaint(m_active, active);
}

void TKxDigit::setBgColor(const QColor &color)
{
    assignAndRepaint(m_bgColor, color);
}

void TKxDigit::setActiveColor(const QColor &color)
{
    assignAndRepaint(m_activeColor, color);
}

void TKxDigit::setInActiveColor(const QColor &color)
{
    assignAndRepaint(m_inActiveColor, color);
}

void TKxDigit::setFixedDigits(int fixedDigits)
{
    if (fixedDigits < -1 || fixedDigits == m_fixedDigits)
        return;
    m_fixedDigits = fixedDigits;
    repaintNow();
    applyAutosize();
}

void TKxDigit::setAutosize(bool autosize)
{
    m_autosize = autosize;
    applyAutosize();
}

void TKxDigit::repaintNow()
{
    // A hidden control ignores repaint(); the flag makes its next paint
    // draw the new picture.
    m_renderNeeded = true;
    repaint();
}

void TKxDigit::applyAutosize()
{
    if (!m_autosize)
        return;
    const int needed = requiredWidth();
    if (width() != needed)
        resize(needed, height());
}

void TKxDigit::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A new height changes the width that the cells need.
    applyAutosize();
}

void TKxDigit::paintEvent(QPaintEvent *)
{
    renderPictureIfNeeded();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_image);
}

void TKxDigit::renderPictureIfNeeded()
{
    if (m_renderNeeded || size() != m_renderedSize || devicePixelRatio() != m_renderedPixelRatio)
        renderPicture();
}

void TKxDigit::renderPicture()
{
    const qreal pixelRatio = devicePixelRatio();
    m_renderedSize = size();
    m_renderedPixelRatio = pixelRatio;
    m_renderNeeded = false;
    ++m_renderCount;

    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0) {
        m_image = QPixmap();
        return;
    }
    const QSize pixels = size() * pixelRatio;
    if (m_image.size() != pixels)
        m_image = QPixmap(pixels);
    m_image.setDevicePixelRatio(pixelRatio);
    m_image.fill(m_bgColor);

    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);

    const qint64 cellPitch = pitch();
    // A glyph reaches at most a pen width left of its cell and less than
    // the height plus a pen width right of it; cells beyond are not drawn.
    const qint64 reach = h + h / m_penWidthDivisor + 1;
    const auto inView = [&](qint64 x0) { return x0 + reach >= 0 && x0 - reach <= w; };

    for (qint64 c = 0; c < m_digits; ++c) {
        const qint64 x0 = cellPitch * c;
        if (x0 - reach > w)
            break;
        drawGlyph(painter, 8, x0, m_inActiveColor);
        if (cellPitch == 0)
            break; // every cell lies on the first one
    }

    if (!m_active)
        return;
    // Digits or FixedDigits may have changed since the value was accepted:
    // a text that no longer fits loses its leading digits at the left edge,
    // one that cannot be shown at all leaves the cells dim.
    const std::optional<DigitText> text = digitText(m_value, m_fixedDigits);
    if (!text)
        return;
    const qint64 n = text->digits.size();
    for (qint64 k = 0; k < n; ++k) {
        const qint64 x0 = cellPitch * (m_digits - n + k);
        if (inView(x0))
            drawGlyph(painter, text->digits.at(int(k)).digitValue(), x0, m_activeColor);
    }
    if (text->separatorPosition != 0) {
        // The dot sits at the left edge of the cell of the first decimal.
        const int q = h / 10;
        const qint64 x = cellPitch * (m_digits + text->separatorPosition - n - 1) - q / 2 + h / 30;
        if (inView(x))
            drawDecimalPoint(painter, x, h - 1 - q / 2, q);
    }
}

void TKxDigit::drawGlyph(QPainter &painter, int glyph, qint64 x0, const QColor &color) const
{
    if (glyph < 0 || glyph > 9)
        return;
    const int h = height();
    const int p = h / m_penWidthDivisor;
    const int xl = int(x0) + h / 8 - 1;
    const int xr = xl + (h - 4) / 2;
    const int yt = p / 2 + 1;
    const int ym = h / 2 - 1;
    const int yb = h - 3 - p / 2;
    const std::array<QPoint, 8> corners = {
        QPoint(xl, yt), QPoint(xr, yt), QPoint(xl, ym), QPoint(xr, ym),
        QPoint(xl, yb), QPoint(xr, yb), QPoint(xl + p / 2, ym), QPoint(xr - p / 2, ym),
    };

    painter.save();
    // A thin pen leaves out the end point of each line, so that a stroke
    // ends where the next begins; wide pens get round ends and joins.
    if (p > 1)
        painter.setPen(QPen(color, p, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter.setPen(QPen(color, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    for (const Polyline &line : glyphStrokes[size_t(glyph)]) {
        QPoint points[6];
        int count = 0;
        for (Corner corner : line)
            points[count++] = corners[corner];
        painter.drawPolyline(points, count);
    }
    painter.restore();
}

void TKxDigit::drawDecimalPoint(QPainter &painter, qint64 x, int y, int diameter) const
{
    // Filled pixel by pixel: the raster engine draws a zero-length round
    // line as nothing and small aliased circles lopsided. An odd dot is
    // centred on the pixel (x, y), an even one on its top left corner, as
    // wide strokes of those widths are.
    const int d = std::max(diameter, 1);
    const qreal radius = d / 2.0;
    const qreal centreX = qreal(x) + (d % 2) * 0.5;
    const qreal centreY = y + (d % 2) * 0.5;
    for (int row = y - d / 2; row <= y + d / 2; ++row) {
        const qreal dy = row + 0.5 - centreY;
        const qreal halfSquared = radius * radius - dy * dy;
        if (halfSquared < 0)
            continue;
        const qreal half = std::sqrt(halfSquared);
        const int first = int(std::ceil(centreX - half - 0.5));
        const int last = int(std::floor(centreX + half - 0.5));
        if (first <= last)
            painter.fillRect(QRect(first, row, last - first + 1, 1), m_activeColor);
    }
}

void TKxDigit::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    Q_EMIT MouseEnter(this);
}

void TKxDigit::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    Q_EMIT MouseLeave(this);
}
