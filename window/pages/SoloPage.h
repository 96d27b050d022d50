// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Difficulty.h"

#include <QWidget>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class TImage;
class TKxBitBtn;
class TRadioGroup;

// A match alone against the computer's words: the player's name, how hard
// the words are and what they are about.
class SoloPage : public QWidget
{
    Q_OBJECT

public:
    explicit SoloPage(QWidget *parent);

    void showChoice(const QString &name, Difficulty::Level level);
    // The topics offered at the chosen level; the one chosen before stays
    // chosen while it is offered, else the one given.
    void showTopics(const QStringList &offered, const QString &preferred);
    // Chooses a topic that showTopics offered, and shows it focused.
    void chooseTopic(const QString &topic);
    Difficulty::Level level() const;
    void focusName();
    // Where the file dialog for one's own words opens.
    void setWordFile(const QString &path) { m_wordFile = path; }

    void SoloOKClick();
    void SoloCancelClick();
    void SoloDifficultyClick();
    void SoloOwnWordsClick();

Q_SIGNALS:
    void levelChosen(Difficulty::Level level);
    void accepted(const QString &name, Difficulty::Level level, const QString &topic);
    void cancelled();
    void wordFileChosen(const QString &path);
    // A character the name cannot hold was typed.
    void inputRefused();

private:
    QLabel *Panel6 = nullptr;
    QLineEdit *SoloName = nullptr;
    TRadioGroup *SoloDifficulty = nullptr;
    QComboBox *SoloTopic = nullptr;
    QLabel *SoloInfo = nullptr;
    TKxBitBtn *SoloOwnWords = nullptr;
    TKxBitBtn *SoloCancel = nullptr;
    TKxBitBtn *SoloOK = nullptr;
    TImage *Logo6 = nullptr;
    QFileDialog *m_fileDialog = nullptr;
    QString m_wordFile;
};
