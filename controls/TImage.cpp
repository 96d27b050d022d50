// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TImage.h"

#include <QEvent>
#include <QMouseEvent>

TImage::TImage(QWidget *parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_mirrored = QPixmap();
    showPicture();
}

void TImage::setFollowsPalette(bool on)
{
    m_followsPalette = on;
    showPicture();
}

QPixmap TImage::shownPicture() const
{
    // Dark ink would vanish on a window darker than its text.
    const bool darkWindow =
        palette().color(QPalette::Window).lightness() < palette().color(QPalette::WindowText).lightness();
    if (!m_followsPalette || !darkWindow || m_picture.isNull())
        return m_picture;
    if (m_mirrored.isNull())
        m_mirrored = QPixmap::fromImage(mirroredLightness(m_picture.toImage()));
    return m_mirrored;
}

QImage TImage::mirroredLightness(const QImage &picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            float hue, saturation, lightness, alpha;
            QColor::fromRgba(line[x]).getHslF(&hue, &saturation, &lightness, &alpha);
            line[x] = QColor::fromHslF(hue, saturation, 1 - lightness, alpha).rgba();
        }
    }
    return result;
}

void TImage::setStretch(bool on)
{
    m_stretch = on;
    showPicture();
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Click(this);
}

void TImage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showPicture();
}

void TImage::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_followsPalette)
        showPicture();
}

void TImage::showPicture()
{
    if (m_picture.isNull()) {
        clear();
        return;
    }
    const QPixmap shown = shownPicture();
    if (m_stretch)
        setPixmap(shown.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(shown);
}
