// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/TypedKeys.h"

#include <QAbstractButton>
#include <QHash>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

const QString kShifted = QStringLiteral("!\"§$%&/()=?`*'>;:_");

Qt::Key keyOf(const QString &name)
{
    static const QHash<QString, Qt::Key> named{
        {QStringLiteral("Shift"), Qt::Key_Shift},   {QStringLiteral("Alt"), Qt::Key_Alt},
        {QStringLiteral("Ctrl"), Qt::Key_Control},  {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Tab"), Qt::Key_Tab},       {QStringLiteral("Backtab"), Qt::Key_Backtab},
        {QStringLiteral("space"), Qt::Key_Space},   {QStringLiteral("F1"), Qt::Key_F1},
        {QStringLiteral("Down"), Qt::Key_Down},     {QStringLiteral("Esc"), Qt::Key_Escape},
    };
    if (named.contains(name))
        return named.value(name);
    if (name.size() != 1 || name.at(0).unicode() >= 0x100)
        return Qt::Key_unknown;
    return Qt::Key(name.at(0).toUpper().unicode());
}

Qt::KeyboardModifier modifierOf(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    default:
        return Qt::NoModifier;
    }
}

QString textOf(Qt::Key key, const QString &name)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Control:
    case Qt::Key_Backtab:
    case Qt::Key_F1:
    case Qt::Key_Down:
        return QString();
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Space:
        return QStringLiteral(" ");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    default:
        return name;
    }
}

class Hand
{
public:
    explicit Hand(QWidget *window)
        : m_window(window->window()->windowHandle())
    {
    }

    void send(bool press, const QString &name)
    {
        const Qt::Key key = keyOf(name);
        const Qt::KeyboardModifier modifier = modifierOf(key);
        // The modifier's own press already carries it, its release no longer.
        if (press)
            s_held |= modifier;
        else
            s_held &= ~Qt::KeyboardModifiers(modifier);
        QTest::sendKeyEvent(press ? QTest::Press : QTest::Release, m_window, key, textOf(key, name), s_held);
    }

    void click(const QString &name)
    {
        send(true, name);
        send(false, name);
    }

private:
    QWindow *m_window;
    // Held across calls, as a key held down stays down.
    static inline Qt::KeyboardModifiers s_held;
};

} // namespace

void typeKeys(QWidget *target, const QString &keys)
{
    if (!target->isWindow())
        target->setFocus();
    Hand hand(target);
    for (int i = 0; i < keys.size(); ++i) {
        if (keys.at(i) == QLatin1Char('{')) {
            const int close = keys.indexOf(QLatin1Char('}'), i);
            const QString token = keys.mid(i + 1, close - i - 1);
            i = close;
            if (token.startsWith(QLatin1Char('+')) && token.size() > 1)
                hand.send(true, token.mid(1));
            else if (token.startsWith(QLatin1Char('-')) && token.size() > 1)
                hand.send(false, token.mid(1));
            else
                hand.click(token);
            continue;
        }
        // A character beyond 16 bits arrives as one key of two units.
        const int units = keys.at(i).isHighSurrogate() && i + 1 < keys.size() ? 2 : 1;
        const QString c = keys.at(i) == QLatin1Char(' ') ? QStringLiteral("space") : keys.mid(i, units);
        const bool shifted = keys.at(i).isUpper() || kShifted.contains(keys.at(i));
        i += units - 1;
        if (shifted)
            hand.send(true, QStringLiteral("Shift"));
        hand.click(c);
        if (shifted)
            hand.send(false, QStringLiteral("Shift"));
    }
}

void clickButton(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}
