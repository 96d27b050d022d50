// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A picture on a page: shows a pixmap, stretched when asked, and reports
// clicks. Artwork drawn as dark ink on a light ground may follow the
// palette: on a dark window it shows with its lightness mirrored, light
// ink on a dark ground, hues kept.
class TImage : public QLabel
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

    bool followsPalette() const { return m_followsPalette; }
    void setFollowsPalette(bool on);
    // What is shown: the picture, or its mirrored twin on a dark window.
    QPixmap shownPicture() const;

    // Each pixel's lightness turned over (l becomes 1 - l); hue,
    // saturation and transparency stay.
    static QImage mirroredLightness(const QImage &picture);

Q_SIGNALS:
    void Click(QObject *sender);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showPicture();

    QPixmap m_picture;
    bool m_stretch = false;
    bool m_followsPalette = false;
    // The mirrored twin, made when first needed.
    mutable QPixmap m_mirrored;
};
