// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class TImage;
class TKxBitBtn;

// The secret word of the coming turn, typed by its setter; in a network
// game also the wait while the other computer's player types it.
class WordPage : public QWidget
{
    Q_OBJECT

public:
    // What the page offers the local player: the entry of the word (its
    // OK, in a network game, may wait for the peer), or a wait for the
    // peer, who types the word or still looks at the statistics.
    enum class WordEntry { Open, OpenOncePeerReady, PeerTypes, PeerOnStatistics };

    explicit WordPage(QWidget *parent);

    void showWordEntry(WordEntry entry, const QString &setter, const QString &guesser);
    // The peer has seen the settings: the first word may go out.
    void allowWord();
    // Where the focus goes as the page opens, if the entry is open.
    void focusWord();

    void WordOKClick();
    void WordCancelClick();

Q_SIGNALS:
    void wordEntered(const QString &typed);
    void cancelled();
    // A character typed into a full field, which takes it not.
    void inputRefused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *WordInfo = nullptr;
    QLineEdit *Word = nullptr;
    TKxBitBtn *WordCancel = nullptr;
    TKxBitBtn *WordOK = nullptr;
    TImage *Logo3 = nullptr;
};
