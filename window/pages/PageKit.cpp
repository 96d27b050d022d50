// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/PageKit.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "controls/TSpinEdit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace PageKit {

QFont pixelFont(const QFont &base, int pixels, bool bold, bool italic)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y, QWidget *buddy)
{
    auto *result = new QLabel(text, parent);
    if (buddy)
        result->setBuddy(buddy);
    result->adjustSize();
    result->move(x, y);
    return result;
}

QLabel *labelEndingAt(QWidget *parent, const QString &text, int right, int y, QWidget *buddy)
{
    QLabel *result = label(parent, text, 0, y, buddy);
    result->setAlignment(Qt::AlignRight | Qt::AlignTop);
    result->move(right - result->width(), y);
    return result;
}

QLabel *banner(QWidget *page, const char *name, const QString &caption)
{
    auto *panel = named(new QLabel(caption, page), name);
    // Banners name the players; a name is never read as markup.
    panel->setTextFormat(Qt::PlainText);
    panel->setGeometry(0, 0, ClientWidth, 41);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::HighlightedText));
    panel->setPalette(pal);
    panel->setFont(pixelFont(page->font(), 24, true));
    return panel;
}

TKxBitBtn *button(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *result = named(new TKxBitBtn(caption, parent), name);
    result->setGeometry(place);
    return result;
}

QPixmap glyph(const char *file)
{
    return QPixmap(QStringLiteral(":/images/%1").arg(QLatin1String(file)));
}

void setOkGlyph(TKxBitBtn *button)
{
    button->setGlyph(glyph("ok.png"), glyph("ok_disabled.png"));
}

void setCancelGlyph(TKxBitBtn *button)
{
    button->setGlyph(glyph("cancel.png"), glyph("cancel_disabled.png"));
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QRect &place, bool checked)
{
    auto *result = named(new QCheckBox(caption, parent), name);
    result->setLayoutDirection(Qt::RightToLeft);
    result->setGeometry(place);
    result->setChecked(checked);
    return result;
}

QSpinBox *spinEdit(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum, int value)
{
    auto *result = named(new TSpinEdit(parent), name);
    result->setGeometry(place);
    result->setRange(minimum, maximum);
    result->setValue(value);
    return result;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &place)
{
    auto *result = named(new QLineEdit(parent), name);
    result->setGeometry(place);
    return result;
}

TImage *decoration(QWidget *page, const char *name, int x)
{
    auto *logo = named(new TImage(page), name);
    logo->setGeometry(x, 336, 258, 233);
    logo->setFollowsPalette(true);
    logo->lower();
    logo->setPicture(decorationPicture());
    return logo;
}

// Loaded once: every page's decoration is the same picture.
QPixmap decorationPicture()
{
    static const QPixmap picture = glyph("decoration.png");
    return picture;
}

void tabStopOnCheckedChoice(std::initializer_list<QRadioButton *> group)
{
    const QList<QRadioButton *> buttons(group);
    auto update = [buttons] {
        for (QRadioButton *button : buttons)
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton *button : buttons)
        QObject::connect(button, &QAbstractButton::toggled, button, update);
    update();
}

void chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QString fitName(const QFontMetrics &metrics, int width, const QString &before, const QString &name,
                const QString &after)
{
    const QString whole = before + name + after;
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    const int room = width - metrics.horizontalAdvance(before + after);
    return before + metrics.elidedText(name, Qt::ElideRight, qMax(room, 0)) + after;
}

int textRoom(const QLabel *label)
{
    // The frame and the margins take their share of the width.
    return label->contentsRect().width() - 2 * label->margin() - 2 * qMax(0, label->indent()) - 8;
}

void showWithName(QLabel *label, const QString &before, const QString &name, const QString &after)
{
    label->setText(fitName(QFontMetrics(label->font()), textRoom(label), before, name, after));
}

void showWithName(QLabel *label, const QString &name, const std::function<QString(const QString &)> &textWith)
{
    const QFontMetrics metrics(label->font());
    const int room = textRoom(label);
    QString text = textWith(name);
    if (metrics.horizontalAdvance(text) > room) {
        const int nameRoom = room - metrics.horizontalAdvance(textWith(QString()));
        text = textWith(metrics.elidedText(name, Qt::ElideRight, qMax(nameRoom, 0)));
    }
    label->setText(text);
}

} // namespace PageKit
