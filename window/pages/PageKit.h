// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <functional>
#include <initializer_list>

class QCheckBox;
class QFontMetrics;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;
class TImage;
class TKxBitBtn;

// What every page of the window builds its controls with: the fixed places
// and fonts of a 792 x 569 pixel window, and the captions' conventions.
namespace PageKit {

constexpr int ClientWidth = 792;
constexpr int ClientHeight = 569;

QFont pixelFont(const QFont &base, int pixels, bool bold = false, bool italic = false);
// A label whose left edge and top are given; its size follows its text.
QLabel *label(QWidget *parent, const QString &text, int x, int y, QWidget *buddy = nullptr);
// A right-aligned label that ends at the given x.
QLabel *labelEndingAt(QWidget *parent, const QString &text, int right, int y, QWidget *buddy = nullptr);
// The coloured title across the top of a page.
QLabel *banner(QWidget *page, const char *name, const QString &caption);
TKxBitBtn *button(QWidget *parent, const char *name, const QString &caption, const QRect &place);
QPixmap glyph(const char *file);
void setOkGlyph(TKxBitBtn *button);
void setCancelGlyph(TKxBitBtn *button);
// Check boxes show their caption to the left of the box.
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, const QRect &place, bool checked);
QSpinBox *spinEdit(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum, int value);
QLineEdit *edit(QWidget *parent, const char *name, const QRect &place);
// The picture in a page's lower right corner; every page shares one.
TImage *decoration(QWidget *page, const char *name, int x);
QPixmap decorationPicture();
// Tab enters a group of choices at the checked one; the arrow keys move
// within the group.
void tabStopOnCheckedChoice(std::initializer_list<QRadioButton *> group);
void chainTabOrder(std::initializer_list<QWidget *> widgets);
// A text with a player's name in it, made to fit the width: the name is
// shortened ("…") as far as needed, never the words and numbers around it.
QString fitName(const QFontMetrics &metrics, int width, const QString &before, const QString &name,
                const QString &after);
// The same on a label, fitted to the label's own width and font.
void showWithName(QLabel *label, const QString &before, const QString &name, const QString &after);
// The same for a text made around the name.
void showWithName(QLabel *label, const QString &name, const std::function<QString(const QString &)> &textWith);
// The room a label leaves for its text.
int textRoom(const QLabel *label);

} // namespace PageKit
