// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>

// One letter to click: a key of the pad, marked once it has been tried.
class LetterKey : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Mark { Untried, Right, Wrong };

    LetterKey(QChar letter, QWidget *parent);

    QChar letter() const { return m_letter; }
    Mark mark() const { return m_mark; }
    void setMark(Mark mark);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QChar m_letter;
    Mark m_mark = Mark::Untried;
};

// The characters a guesser may type, as keys to click or tap, in two rows.
// The keys take no focus, so typing goes on wherever it went. A tried
// letter stays shut and shows whether it was right: a right one framed and
// underlined, a wrong one struck through, besides their colours.
class TLetterPad : public QWidget
{
    Q_OBJECT

public:
    explicit TLetterPad(QWidget *parent = nullptr);

    // New keys, all untried.
    void setLetters(const QString &letters);
    QString letters() const;
    // Marks the key of this character, in either case.
    void markTried(QChar letter, bool right);
    // Open: the untried keys can be pressed; shut: none can.
    void setOpen(bool open);
    bool isOpen() const { return m_open; }
    LetterKey *key(QChar letter) const;

Q_SIGNALS:
    void letterClicked(QChar letter);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeKeys();
    void updateKey(LetterKey *key);

    QList<LetterKey *> m_keys;
    bool m_open = false;
};
