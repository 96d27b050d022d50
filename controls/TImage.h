// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A picture on a page: shows a pixmap, stretched when asked, and reports
// clicks.
class TImage : public QLabel
{
    Q_OBJECT

public:
    explicit TImage(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

Q_SIGNALS:
    void Click(QObject *sender);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPicture();

    QPixmap m_picture;
    bool m_stretch = false;
};
