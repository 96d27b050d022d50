// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TLetterPad.h"

#include <QPainter>

namespace {

constexpr int kRows = 2;
constexpr int kGap = 4;
constexpr int kWidestKey = 52;

QString nameOf(QChar letter)
{
    return letter == QLatin1Char(' ') ? QStringLiteral("Leerzeichen") : QString(letter);
}

} // namespace

LetterKey::LetterKey(QChar letter, QWidget *parent)
    : QAbstractButton(parent)
    , m_letter(letter)
{
    setObjectName(QStringLiteral("Letter_%1").arg(letter == QLatin1Char(' ') ? QStringLiteral("Blank") : QString(letter)));
    // The blank shows as the sign for it.
    setText(letter == QLatin1Char(' ') ? QStringLiteral("\u2423") : QString(letter));
    setFocusPolicy(Qt::NoFocus);
    setMark(Mark::Untried);
}

void LetterKey::setMark(Mark mark)
{
    m_mark = mark;
    switch (mark) {
    case Mark::Untried:
        setAccessibleName(nameOf(m_letter));
        break;
    case Mark::Right:
        setAccessibleName(nameOf(m_letter) + QStringLiteral(", richtig geraten"));
        break;
    case Mark::Wrong:
        setAccessibleName(nameOf(m_letter) + QStringLiteral(", falsch geraten"));
        break;
    }
    update();
}

void LetterKey::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    const bool darkGround = pal.color(QPalette::Window).lightness() < 128;
    const QColor right = darkGround ? QColor(0x7c, 0xd8, 0x84) : QColor(0x17, 0x7a, 0x1f);
    const QColor wrong = darkGround ? QColor(0xff, 0x80, 0x80) : QColor(0xc0, 0x18, 0x18);

    QColor face = pal.color(QPalette::Button);
    if (isDown())
        face = pal.color(QPalette::Midlight);
    QColor ink = pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    QColor frame = pal.color(QPalette::Mid);
    qreal frameWidth = 1;
    if (m_mark == Mark::Right) {
        ink = frame = right;
        frameWidth = 3;
    } else if (m_mark == Mark::Wrong) {
        ink = wrong;
        face = pal.color(QPalette::Window);
    }

    const QRectF box = QRectF(rect()).adjusted(frameWidth / 2, frameWidth / 2, -frameWidth / 2, -frameWidth / 2);
    painter.setPen(QPen(frame, frameWidth));
    painter.setBrush(face);
    painter.drawRoundedRect(box, 4, 4);

    QFont letterFont = font();
    letterFont.setPixelSize(qMax(8, height() * 3 / 5));
    letterFont.setBold(m_mark == Mark::Right);
    letterFont.setUnderline(m_mark == Mark::Right);
    painter.setFont(letterFont);
    painter.setPen(ink);
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (m_mark == Mark::Wrong) {
        // Struck through from corner to corner.
        painter.setPen(QPen(wrong, qMax(2, height() / 12), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(width() * 0.2, height() * 0.8), QPointF(width() * 0.8, height() * 0.2));
    }
}

TLetterPad::TLetterPad(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Buchstaben zum Anklicken"));
}

void TLetterPad::setLetters(const QString &letters)
{
    qDeleteAll(m_keys);
    m_keys.clear();
    for (const QChar letter : letters) {
        auto *key = new LetterKey(letter, this);
        connect(key, &QAbstractButton::clicked, this, [this, letter] { Q_EMIT letterClicked(letter); });
        m_keys.append(key);
        updateKey(key);
        key->show();
    }
    placeKeys();
}

QString TLetterPad::letters() const
{
    QString result;
    for (const LetterKey *key : m_keys)
        result += key->letter();
    return result;
}

LetterKey *TLetterPad::key(QChar letter) const
{
    for (LetterKey *key : m_keys) {
        if (key->letter() == letter || key->letter() == letter.toUpper())
            return key;
    }
    return nullptr;
}

void TLetterPad::markTried(QChar letter, bool right)
{
    if (LetterKey *found = key(letter)) {
        found->setMark(right ? LetterKey::Mark::Right : LetterKey::Mark::Wrong);
        updateKey(found);
    }
}

void TLetterPad::setOpen(bool open)
{
    m_open = open;
    for (LetterKey *each : qAsConst(m_keys))
        updateKey(each);
}

void TLetterPad::updateKey(LetterKey *key)
{
    key->setEnabled(m_open && key->mark() == LetterKey::Mark::Untried);
}

void TLetterPad::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeKeys();
}

// The keys in rows of equal length, as wide as the pad allows, centred.
void TLetterPad::placeKeys()
{
    if (m_keys.isEmpty())
        return;
    const int perRow = (int(m_keys.size()) + kRows - 1) / kRows;
    const int keyWidth = qMin(kWidestKey, (width() - (perRow - 1) * kGap) / perRow);
    const int keyHeight = (height() - (kRows - 1) * kGap) / kRows;
    const int left = (width() - perRow * keyWidth - (perRow - 1) * kGap) / 2;
    for (int i = 0; i < m_keys.size(); ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        m_keys.at(i)->setGeometry(left + column * (keyWidth + kGap), row * (keyHeight + kGap), keyWidth, keyHeight);
    }
}
