#include "controls/TKxBitBtn.h"

#include <QEnterEvent>
#include <QIcon>

TKxBitBtn::TKxBitBtn(QWidget *parent)
    : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
}

TKxBitBtn::TKxBitBtn(const QString &caption, QWidget *parent)
    : TKxBitBtn(parent)
{
    setText(caption);
}

QColor TKxBitBtn::captionColor() const
{
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void TKxBitBtn::setCaptionColor(const QColor &color)
{
    QPalette pal = palette();
    // A disabled button keeps the style's greyed caption.
    pal.setColor(QPalette::Active, QPalette::ButtonText, color);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    setPalette(pal);
}

void TKxBitBtn::setGlyph(const QPixmap &normal, const QPixmap &disabled)
{
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    if (!disabled.isNull())
        icon.addPixmap(disabled, QIcon::Disabled);
    setIcon(icon);
    setIconSize(normal.size());
}

void TKxBitBtn::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    Q_EMIT MouseEnter(this);
}

void TKxBitBtn::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    Q_EMIT MouseLeave(this);
}
