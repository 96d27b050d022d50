// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TGallows.h"

#include <QEvent>
#include <QLineF>
#include <QPainter>

#include <cmath>

namespace {

// The figure is drawn in a box of these units and scaled to the
// control, centred, keeping its proportions.
constexpr QRectF kDrawingBox(30, 12, 196, 218);
constexpr qreal kWoodWidth = 9;
constexpr qreal kRopeWidth = 3;
constexpr qreal kBodyWidth = 5;
constexpr QPointF kHeadCentre(190, 78);
constexpr qreal kHeadRadius = 18;

enum class Stuff { Wood, Rope, Body };

struct Part
{
    Stuff stuff;
    QLineF stroke; // a null line is the head
};

// In the order they are drawn.
const Part kParts[] = {
    {Stuff::Wood, {40, 222, 160, 222}},  // base
    {Stuff::Wood, {70, 222, 70, 22}},    // post, upwards
    {Stuff::Wood, {66, 22, 196, 22}},    // beam
    {Stuff::Wood, {70, 62, 110, 22}},    // brace
    {Stuff::Rope, {190, 22, 190, 60}},   // rope
    {Stuff::Body, {}},                   // head
    {Stuff::Body, {190, 96, 190, 158}},  // body
    {Stuff::Body, {190, 112, 164, 140}}, // left arm
    {Stuff::Body, {190, 112, 216, 140}}, // right arm
    {Stuff::Body, {190, 158, 170, 200}}, // left leg
    {Stuff::Body, {190, 158, 210, 200}}, // right leg
};
constexpr int kPartCount = int(sizeof(kParts) / sizeof(kParts[0]));

// Wood and rope in browns that stand out from a light and a dark ground.
QColor colourOf(Stuff stuff, const QPalette &palette)
{
    const bool darkGround = palette.color(QPalette::Window).lightness() < 128;
    switch (stuff) {
    case Stuff::Wood:
        return darkGround ? QColor(0xc8, 0x9a, 0x6a) : QColor(0x6b, 0x4a, 0x2b);
    case Stuff::Rope:
        return darkGround ? QColor(0xe0, 0xc0, 0x90) : QColor(0x8a, 0x6a, 0x45);
    case Stuff::Body:
        break;
    }
    return palette.color(QPalette::WindowText);
}

qreal widthOf(Stuff stuff)
{
    switch (stuff) {
    case Stuff::Wood:
        return kWoodWidth;
    case Stuff::Rope:
        return kRopeWidth;
    case Stuff::Body:
        break;
    }
    return kBodyWidth;
}

} // namespace

TGallows::TGallows(QWidget *parent)
    : QWidget(parent)
{
    // Only a picture: clicks and taps reach what lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleDescription(QStringLiteral("Galgenmännchen"));
    updateAccessibleName();
}

QSize TGallows::sizeHint() const
{
    return kDrawingBox.size().toSize();
}

void TGallows::setSteps(int shown, int total)
{
    if (total < 1 || shown < 0 || shown > total)
        return;
    if (shown == m_shown && total == m_total)
        return;
    m_shown = shown;
    m_total = total;
    m_renderNeeded = true;
    updateAccessibleName();
    update();
}

double TGallows::partsDrawn(int shown, int total)
{
    if (total < 1)
        return 0;
    const double parts = double(kPartCount) * shown / total;
    return total <= kPartCount ? std::round(parts) : parts;
}

void TGallows::updateAccessibleName()
{
    const QString parts = m_total == 1 ? QStringLiteral("Teil") : QStringLiteral("Teilen");
    setAccessibleName(QStringLiteral("%1 von %2 %3").arg(m_shown).arg(m_total).arg(parts));
}

void TGallows::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_renderNeeded = true;
        update();
    }
}

void TGallows::paintEvent(QPaintEvent *)
{
    if (m_renderNeeded || size() != m_renderedSize || devicePixelRatio() != m_renderedPixelRatio)
        renderPicture();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void TGallows::renderPicture()
{
    const qreal pixelRatio = devicePixelRatio();
    m_renderedSize = size();
    m_renderedPixelRatio = pixelRatio;
    m_renderNeeded = false;
    ++m_renderCount;
    if (width() <= 0 || height() <= 0) {
        m_picture = QPixmap();
        return;
    }
    m_picture = QPixmap(size() * pixelRatio);
    m_picture.setDevicePixelRatio(pixelRatio);
    m_picture.fill(Qt::transparent);

    QPainter painter(&m_picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qMin(width() / kDrawingBox.width(), height() / kDrawingBox.height());
    // Standing on the control's bottom edge, in the middle.
    painter.translate((width() - kDrawingBox.width() * scale) / 2, height() - kDrawingBox.height() * scale);
    painter.scale(scale, scale);
    painter.translate(-kDrawingBox.topLeft());

    const double drawn = partsDrawn(m_shown, m_total);
    for (int i = 0; i < kPartCount && i < drawn; ++i) {
        const Part &part = kParts[i];
        const double share = qMin(1.0, drawn - i);
        painter.save();
        painter.setPen(QPen(colourOf(part.stuff, palette()), widthOf(part.stuff), Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        if (part.stroke.isNull()) {
            // The head is drawn round from its top, as a pen would.
            const QRectF head(kHeadCentre.x() - kHeadRadius, kHeadCentre.y() - kHeadRadius, 2 * kHeadRadius,
                              2 * kHeadRadius);
            painter.drawArc(head, 90 * 16, -qRound(360 * 16 * share));
        } else {
            painter.drawLine(QLineF(part.stroke.p1(), part.stroke.pointAt(share)));
        }
        painter.restore();
    }
}
