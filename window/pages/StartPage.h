// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QKeySequence;
class TImage;
class TKxBitBtn;

// The page the window opens on: the title picture, the maker's logo and
// a column of buttons for every way to play, the settings and the end.
class StartPage : public QWidget
{
    Q_OBJECT

public:
    explicit StartPage(QWidget *parent);

    // The maker's logo, as the about dialog shows it.
    void setFirmPicture(const QPixmap &picture);
    // The tips name the keys of the window's own commands too.
    void showWindowKeys(const QKeySequence &quit, const QKeySequence &about);

    void PropertiesClick();
    void StartGameClick();
    void IPGameClick();
    void SoloGameClick();
    void Beenden1Click();
    void FirmClick();

Q_SIGNALS:
    void settingsChosen();
    void localGameChosen();
    void networkGameChosen();
    void soloGameChosen();
    void endChosen();
    void aboutChosen();

private:
    void setUpKeys();

    TImage *PLogo = nullptr;
    TImage *Firm = nullptr;
    TKxBitBtn *Properties = nullptr;
    TKxBitBtn *IPGame = nullptr;
    TKxBitBtn *StartGame = nullptr;
    TKxBitBtn *Terminate = nullptr;
    TKxBitBtn *SoloGame = nullptr;
};
