// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/TImage.h"

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
    showPicture();
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

void TImage::showPicture()
{
    if (m_picture.isNull()) {
        clear();
        return;
    }
    if (m_stretch)
        setPixmap(m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(m_picture);
}
