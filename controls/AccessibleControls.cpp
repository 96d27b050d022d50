// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/AccessibleControls.h"

#include "controls/TKxDigit.h"
#include "controls/TPaintBox.h"

#include <QAccessibleWidget>

#include <cmath>

namespace {

// A display the game writes and the player only reads.
QAccessible::State readOnly(QAccessible::State state)
{
    state.readOnly = true;
    return state;
}

// A digit display reads as its number: the value interface carries it as a
// number, the value text as the cells show it.
class DigitDisplayAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit DigitDisplayAccessible(TKxDigit *display)
        : QAccessibleWidget(display, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override { return readOnly(QAccessibleWidget::state()); }

    QString text(QAccessible::Text type) const override
    {
        if (type != QAccessible::Value)
            return QAccessibleWidget::text(type);
        const auto shown = TKxDigit::digitText(display()->Value(), display()->FixedDigits());
        return shown ? shown->text : QString();
    }

    QVariant currentValue() const override { return double(display()->Value()); }
    // The game alone sets the number.
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override
    {
        return std::pow(10.0, display()->Digits()) - 1;
    }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override
    {
        return display()->FixedDigits() > 0 ? std::pow(10.0, -display()->FixedDigits()) : 1.0;
    }

private:
    TKxDigit *display() const { return static_cast<TKxDigit *>(widget()); }
};

// A paint box reads as the text its owner keeps beside the picture.
class PaintBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PaintBoxAccessible(TPaintBox *box)
        : QAccessibleWidget(box, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override { return readOnly(QAccessibleWidget::state()); }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? content() : QAccessibleWidget::text(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        const QString all = content();
        startOffset = qBound(0, startOffset, int(all.size()));
        endOffset = endOffset < 0 ? int(all.size()) : qBound(startOffset, endOffset, int(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(content().size()); }

    // Nothing to select and no cursor: the text is read, not edited.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    // The text tells what the picture shows; its characters have no place
    // of their own in it.
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        Q_UNUSED(offset);
        return QString();
    }

private:
    QString content() const { return static_cast<TPaintBox *>(widget())->accessibleText(); }
};

QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    if (auto *display = qobject_cast<TKxDigit *>(object))
        return new DigitDisplayAccessible(display);
    if (auto *box = qobject_cast<TPaintBox *>(object))
        return new PaintBoxAccessible(box);
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    Q_UNUSED(installed);
}
