// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"
#include "game/GameSettings.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class ComputerSeat;
class TForm1;
class WordPool;

// Playing alone as the window shows it: the computer sets the words from
// its list, the player guesses them all, one a round, and the best result
// at each level is kept.
class SoloPlay : public QObject
{
    Q_OBJECT

public:
    explicit SoloPlay(TForm1 &window);
    ~SoloPlay() override;

    // The solo page opens with the last choice.
    void open();
    // Only the topics with a word for every round at the chosen level.
    void showTopics();
    void start(const QString &name, Difficulty::Level level, const QString &topic);
    // A list of one's own words, kept and chosen as the topic when it has
    // a word to play.
    void chooseWordFile(const QString &path);
    // Every word the computer set stays in its history.
    void turnEnded();
    void matchEnded();
    // "Anna hat 4 von 5 Wörtern erraten." and the best at this level, once
    // the last word is played.
    QString resultText() const;

private:
    const WordPool &pool();
    // One's own words are read anew before each match: the file may have
    // changed.
    void startOwn(const QString &name, Difficulty::Level level, const QString &topic);
    void begin(const QString &name, Difficulty::Level level, const QString &topic, const QStringList &words);
    bool playsOwnWords() const;

    TForm1 &m_window;
    // The words the settings allow, kept while the settings stay.
    std::unique_ptr<WordPool> m_pool;
    GameSettings m_poolSettings;
    QPointer<ComputerSeat> m_computer;
    // The match alone just played beat the best at its level.
    bool m_newBest = false;
};
