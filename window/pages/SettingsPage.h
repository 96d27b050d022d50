// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameSettings.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class TImage;
class TKxBitBtn;

// The game's options. Every change the player makes is reported at once;
// the page itself keeps nothing but what it shows.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsPage(QWidget *parent);

    void showSettings(const GameSettings &settings);
    GameSettings settingsOnPage() const;
    // On the joining computer the host's settings are only shown.
    void SetSettingsEnabled(bool enabled);
    // The first setting, its value selected as Tab leaves it; where the
    // settings are only shown, "OK".
    void focusFirstSetting();

    void PropertiesOKClick();
    void NoLimitClick();

Q_SIGNALS:
    void settingsEdited(const GameSettings &settings);
    void accepted();

private:
    void edited();

    QLabel *Panel1 = nullptr;
    QSpinBox *Rounds = nullptr;
    QSpinBox *Mistakes = nullptr;
    QRadioButton *NoLimit = nullptr;
    QRadioButton *perLetter = nullptr;
    QRadioButton *WholeWord = nullptr;
    QSpinBox *TimeLimit = nullptr;
    QCheckBox *NoSpecialChars = nullptr;
    QCheckBox *SetFirstLetter = nullptr;
    QCheckBox *CapitalLetters = nullptr;
    QCheckBox *AcceptSentences = nullptr;
    QCheckBox *AcceptNumbers = nullptr;
    QWidget *WinnerPanel = nullptr;
    QRadioButton *WonRounds = nullptr;
    QRadioButton *FewMistakes = nullptr;
    QCheckBox *PlaySounds = nullptr;
    TKxBitBtn *PropertiesOK = nullptr;
    TImage *Logo1 = nullptr;
    // The page is being filled by the program, not edited.
    bool m_showing = false;
};
