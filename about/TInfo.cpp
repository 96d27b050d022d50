// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/TInfo.h"

#include "about/InfoBanner.h"
#include "controls/TPaintBox.h"
#include "platform/BuildSettings.h"
#include "platform/Shell.h"
#include "platform/SystemFont.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

TInfo *Info = nullptr;

namespace {

const QString kMakerLine = QStringLiteral("Ein Spiel von Kx Software, entwickelt von Jonas Kessler.");
const QString kEMail = QStringLiteral("info@kx-software.example");
const QString kWebAddress = QStringLiteral("www.kx-software.example");

// Geometry of the dialog, in pixels at 96 dpi.
const QSize kClientSize(435, 132);
const int kBannerHeight = 65;
const int kInfoTop = 69;
const int kInfoRight = 430;
const int kEMailTop = 100;
const int kURLTop = 113;
const int kLinkRight = 432;
const QRect kOKGeometry(177, 101, 81, 25);
const QSize kIconSize(32, 32);

const QColor kPressedLinkColor(255, 0, 0);

// The classic dialog font: "MS Sans Serif", 11 pixels high (8 points). Where
// it is missing the desktop's own family stands in.
QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), messageFont().family()});
    font.setPixelSize(11);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

void placeRightAligned(QLabel *label, int right, int top)
{
    label->adjustSize();
    label->move(right - label->width(), top);
}

} // namespace

QString ReadFileVersion()
{
    return programVersion();
}

TInfo::TInfo(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Info"));
    setFixedSize(kClientSize);
    setFont(dialogFont());

    LogoPB = new TPaintBox(this);
    LogoPB->setObjectName(QStringLiteral("LogoPB"));
    LogoPB->setAccessibleName(QStringLiteral("Programm"));
    LogoPB->setGeometry(0, 0, kClientSize.width(), kBannerHeight);
    connect(LogoPB, &TPaintBox::Paint, this, &TInfo::LogoPBPaint);

    InfoLbl = new QLabel(this);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));

    EMailLbl = new QLabel(this);
    EMailLbl->setObjectName(QStringLiteral("EMailLbl"));

    URLLbl = new QLabel(this);
    URLLbl->setObjectName(QStringLiteral("URLLbl"));

    for (QLabel *label : {InfoLbl, EMailLbl, URLLbl}) {
        label->setTextFormat(Qt::PlainText);
        label->setFont(dialogFont());
    }
    for (QLabel *link : {EMailLbl, URLLbl}) {
        // The desktop's link colour: blue on the usual light palette,
        // readable on a dark one.
        setTextColor(link, palette().color(QPalette::Link));
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setGeometry(kOKGeometry);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    OK->setFocus();

    FormCreate();
}

TInfo::~TInfo()
{
    FormDestroy();
    if (Info == this)
        Info = nullptr;
}

void TInfo::FormCreate()
{
    UseMessageFont();

    m_logo = QImage(QStringLiteral(":/images/logo.png")).convertToFormat(QImage::Format_RGB32);
    // The mask waits for the first time the banner is drawn.

    InfoLbl->setText(kMakerLine);
    EMailLbl->setText(kEMail);
    URLLbl->setText(kWebAddress);
    placeLabels();
}

void TInfo::FormDestroy()
{
    m_logoMask = QImage();
    m_logo = QImage();
}

void TInfo::placeLabels()
{
    placeRightAligned(InfoLbl, kInfoRight, kInfoTop);
    placeRightAligned(EMailLbl, kLinkRight, kEMailTop);
    placeRightAligned(URLLbl, kLinkRight, kURLTop);
}

void TInfo::setProgram(const QString &name, const QString &period, const QIcon &icon)
{
    m_programName = name;
    m_period = period;
    m_icon = icon;
    LogoPB->update();
    // The banner's lines, for a screen reader, which cannot read the picture.
    LogoPB->setAccessibleText(QStringLiteral("%1, Version: %2, Entwicklungszeit: %3")
                                  .arg(name, ReadFileVersion(), period));
}

QPixmap TInfo::logoPicture() const
{
    return QPixmap::fromImage(m_logo);
}

void TInfo::LogoPBPaint(QPainter &painter)
{
    painter.drawImage(QPoint(0, 0), renderBanner(LogoPB->devicePixelRatioF()));
}

QImage TInfo::renderBanner(qreal devicePixelRatio) const
{
    const QSize box = LogoPB->size();
    const QFont regular = LogoPB->font();
    QFont bold = regular;
    bold.setBold(true);
    const QFontMetrics regularMetrics(regular);
    const QFontMetrics boldMetrics(bold);
    const QSize iconSize = m_icon.isNull() ? kIconSize : m_icon.actualSize(kIconSize);
    const BannerLayout layout = bannerLayout(box, m_logo.size(), iconSize, boldMetrics.height(),
                                             regularMetrics.height(), regularMetrics.height());

    // Raster operations need a picture in memory; the banner is drawn there
    // and then copied to the box.
    QImage banner(box * devicePixelRatio, QImage::Format_RGB32);
    banner.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&banner);

    for (int i = 0; i <= layout.leftSteps; ++i)
        painter.fillRect(QRect(i, 0, 1, box.height()),
                         colorFromValue(MixColor(bannerBlue, bannerWhite, i, layout.leftSteps)));
    for (int i = 0; i <= layout.rightSteps; ++i)
        painter.fillRect(QRect(layout.leftSteps + i, 0, 1, box.height()),
                         colorFromValue(MixColor(bannerWhite, bannerBlue, i, layout.rightSteps)));

    // Black logo pixels first become white through the mask, then black
    // through the logo; every other pixel is the banner AND the logo, so
    // white lets the gradient through and colours tint it.
    if (!m_logo.isNull()) {
        if (m_logoMask.isNull()) {
            // As a monochrome picture on a colour surface: a set pixel
            // stands for white, a clear one for black.
            m_logoMask = QImage(m_logo.size(), QImage::Format_Mono);
            m_logoMask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
            for (int y = 0; y < m_logo.height(); ++y)
                for (int x = 0; x < m_logo.width(); ++x)
                    m_logoMask.setPixel(x, y, (m_logo.pixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0);
        }
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(layout.logo, m_logoMask.convertToFormat(QImage::Format_RGB32));
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(layout.logo, m_logo);
        painter.restore();
    }

    if (!m_icon.isNull()) {
        painter.drawPixmap(QRect(layout.icon, iconSize), m_icon.pixmap(iconSize, devicePixelRatio));
        const QRect frame = layout.iconFrame;
        const QColor face = LogoPB->palette().color(QPalette::Window);
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), face);
        painter.fillRect(QRect(frame.left(), frame.bottom(), frame.width(), 1), face);
        painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), face);
        painter.fillRect(QRect(frame.right(), frame.top(), 1, frame.height()), face);
    }

    // The banner's colours are its own, and so is the text on it.
    painter.setPen(Qt::black);
    painter.setFont(bold);
    painter.drawText(QPoint(layout.textX, layout.nameY + boldMetrics.ascent()), m_programName);
    painter.setFont(regular);
    painter.drawText(QPoint(layout.textX, layout.versionY + regularMetrics.ascent()),
                     QStringLiteral("Version: ") + ReadFileVersion());
    painter.drawText(QPoint(layout.textX, layout.periodY + regularMetrics.ascent()),
                     QStringLiteral("Entwicklungszeit: ") + m_period);
    return banner;
}

void TInfo::EMailLblClick()
{
    ShellOpen(QStringLiteral("mailto:") + kEMail);
}

void TInfo::URLLblClick()
{
    ShellOpen(QStringLiteral("http://") + kWebAddress);
}

void TInfo::HyperLinkMouseEnter(QObject *sender)
{
    if (auto *label = qobject_cast<QLabel *>(sender)) {
        QFont font = label->font();
        font.setUnderline(true);
        label->setFont(font);
    }
}

void TInfo::HyperLinkMouseLeave(QObject *sender)
{
    if (auto *label = qobject_cast<QLabel *>(sender)) {
        QFont font = label->font();
        font.setUnderline(false);
        label->setFont(font);
    }
}

void TInfo::HyperLinkMouseDown(QObject *sender)
{
    if (auto *label = qobject_cast<QLabel *>(sender))
        setTextColor(label, kPressedLinkColor);
}

void TInfo::HyperLinkMouseUp(QObject *sender)
{
    if (auto *label = qobject_cast<QLabel *>(sender))
        setTextColor(label, palette().color(QPalette::Link));
}

bool TInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != EMailLbl && watched != URLLbl)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Enter:
        HyperLinkMouseEnter(watched);
        break;
    case QEvent::Leave:
        HyperLinkMouseLeave(watched);
        break;
    case QEvent::MouseButtonPress:
        HyperLinkMouseDown(watched);
        m_pressedLink = watched;
        return true;
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        HyperLinkMouseUp(watched);
        // A click is a left press and release on the same link.
        const bool clicked = m_pressedLink == watched && mouse->button() == Qt::LeftButton
            && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        m_pressedLink = nullptr;
        if (clicked) {
            if (watched == EMailLbl)
                EMailLblClick();
            else
                URLLblClick();
        }
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TInfo::keyPressEvent(QKeyEvent *event)
{
    // Esc presses OK like Enter does: the dialog has only the one answer.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        OK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ShowInfo(const QString &name, const QString &period, const QIcon &icon)
{
    if (!Info)
        return;
    Info->setProgram(name, period, icon);
    Info->setWindowTitle(QStringLiteral("Info über ") + name);

    const QWidget *owner = Info->parentWidget() ? Info->parentWidget()->window() : nullptr;
    if (QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        Info->move(area.center() - QPoint(Info->width() / 2, Info->height() / 2));
    }
    Info->exec();
}
