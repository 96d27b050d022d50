// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

class QLabel;
class QPainter;
class QPushButton;
class TPaintBox;

// The about dialog: a painted banner with the maker's logo, the program's
// icon, name, version and development period, the maker line and the
// maker's e-mail and web links. One instance, Info, lives from start-up to
// the end; ShowInfo shows it.
class TInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TInfo(QWidget *parent = nullptr);
    ~TInfo() override;

    TPaintBox *LogoPB = nullptr;
    QLabel *InfoLbl = nullptr;
    QPushButton *OK = nullptr;
    QLabel *EMailLbl = nullptr;
    QLabel *URLLbl = nullptr;

    void FormCreate();
    void FormDestroy();
    void LogoPBPaint(QPainter &painter);
    void EMailLblClick();
    void URLLblClick();
    void HyperLinkMouseEnter(QObject *sender);
    void HyperLinkMouseLeave(QObject *sender);
    void HyperLinkMouseDown(QObject *sender);
    void HyperLinkMouseUp(QObject *sender);

    // What the banner shows; ShowInfo sets it.
    void setProgram(const QString &name, const QString &period, const QIcon &icon);
    QString programName() const { return m_programName; }
    QString period() const { return m_period; }

    // The maker's logo as loaded, for the start page.
    QPixmap logoPicture() const;
    // The banner exactly as the paint box shows it, at the given pixel ratio.
    QImage renderBanner(qreal devicePixelRatio = 1.0) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeLabels();

    QImage m_logo;
    // Set where the logo is black; made when the banner is first drawn.
    mutable QImage m_logoMask;
    QString m_programName;
    QString m_period;
    QIcon m_icon;
    QObject *m_pressedLink = nullptr;
};

// The one about dialog, created by the program entry after the main window.
extern TInfo *Info;

// Shows Info modally with "Info über " + name as its caption, the name,
// period and icon in its banner; returns when it is closed.
void ShowInfo(const QString &name, const QString &period, const QIcon &icon);

// The program's file version, "2.0.0.0"; empty when the build gave none.
QString ReadFileVersion();
