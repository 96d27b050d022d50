// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// The gallows and its figure, drawn part by part in a fixed order: base,
// post, beam, brace, rope, head, body, arms, legs. The owner says how many
// of how many steps are shown; the parts are shared out over the steps, so
// the last step always completes the figure. With more steps than parts a
// part is drawn in stretches, a step at a time.
//
// The picture is kept in an off-screen pixmap at the screen's pixel ratio
// and drawn anew only when the steps, the size, the ratio or the palette
// changed. A screen reader hears how far it is: "3 von 9 Teilen".
class TGallows : public QWidget
{
    Q_OBJECT

public:
    explicit TGallows(QWidget *parent = nullptr);

    int shownSteps() const { return m_shown; }
    int totalSteps() const { return m_total; }
    // Ignored unless 0 <= shown <= total and total >= 1.
    void setSteps(int shown, int total);

    // How many of the figure's parts `shown` of `total` steps draw: whole
    // parts while there are no more steps than parts, else fractions.
    static double partsDrawn(int shown, int total);

    // How often the picture has been drawn, and the picture itself.
    int renderCount() const { return m_renderCount; }
    QImage renderedImage() const { return m_picture.toImage(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void renderPicture();
    void updateAccessibleName();

    int m_shown = 0;
    int m_total = 1;
    QPixmap m_picture;
    bool m_renderNeeded = true;
    QSize m_renderedSize;
    qreal m_renderedPixelRatio = 0;
    int m_renderCount = 0;
};
