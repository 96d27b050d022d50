// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/pages/SettingsPage.h"

#include "controls/Named.h"
#include "controls/TImage.h"
#include "controls/TKxBitBtn.h"
#include "window/pages/PageKit.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

using namespace PageKit;

SettingsPage::SettingsPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Einstellungen"));
    Panel1 = banner(this, "Panel1", QStringLiteral("Einstellungen"));
    Logo1 = decoration(this, "Logo1", 536);

    const GameSettings defaults;
    Rounds = spinEdit(this, "Rounds", {240, 52, 57, 36}, GameSettings::MinRounds, GameSettings::MaxRounds,
                      defaults.Rounds);
    labelEndingAt(this, QStringLiteral("Anzahl &Runden:"), 222, 56, Rounds)->setObjectName(QStringLiteral("Label_Rounds"));
    Mistakes = spinEdit(this, "Mistakes", {240, 100, 57, 36}, GameSettings::MinMistakes, GameSettings::MaxMistakes,
                        defaults.Mistakes);
    labelEndingAt(this, QStringLiteral("maximale Fehler&anzahl:"), 222, 104, Mistakes)
        ->setObjectName(QStringLiteral("Label_Mistakes"));

    // The three time choices are one group of their own, apart from the
    // winner choice below.
    auto *timeLimitPanel = named(new QWidget(this), "TimeLimitPanel");
    timeLimitPanel->setGeometry(240, 152, 193, 93);
    NoLimit = named(new QRadioButton(QStringLiteral("un&begrenzt"), timeLimitPanel), "NoLimit");
    NoLimit->setGeometry(0, 0, 137, 29);
    NoLimit->setChecked(true);
    labelEndingAt(this, QStringLiteral("Zeitbegrenzung:"), 222, 152);
    perLetter = named(new QRadioButton(QStringLiteral("pro Buchstab&e (s):"), timeLimitPanel), "perLetter");
    perLetter->setGeometry(0, 32, 185, 29);
    WholeWord = named(new QRadioButton(QStringLiteral("gesamtes Wor&t (s):"), timeLimitPanel), "WholeWord");
    WholeWord->setGeometry(0, 64, 193, 29);

    auto *brace = named(new QLabel(QStringLiteral("}"), this), "Label_Brace");
    brace->setFont(pixelFont(font(), 53));
    brace->adjustSize();
    brace->move(440, 172);

    TimeLimit = spinEdit(this, "TimeLimit", {472, 196, 65, 36}, GameSettings::MinTimeLimit,
                         GameSettings::MaxTimeLimit, defaults.TimeLimitValue);
    TimeLimit->setEnabled(false);

    // As tall as its neighbours, so that the underlined letter shows.
    NoSpecialChars = checkBox(this, "NoSpecialChars", QStringLiteral("keine Um&laute und ß"), {52, 252, 201, 25}, true);
    CapitalLetters = checkBox(this, "CapitalLetters", QStringLiteral("nur Großb&uchstaben"), {52, 288, 201, 25}, true);
    AcceptSentences = checkBox(this, "AcceptSentences", QStringLiteral("&Sätze zulassen"), {96, 320, 157, 25}, false);
    AcceptNumbers = checkBox(this, "AcceptNumbers", QStringLiteral("&Zahlen zulassen"), {92, 352, 161, 25}, false);
    SetFirstLetter = checkBox(this, "SetFirstLetter", QStringLiteral("Buchstabe Nr.1 vor&geben"), {8, 384, 245, 25}, true);

    auto *winnerCaption = label(this, QStringLiteral("Gewinner:"), 144, 416);
    winnerCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    winnerCaption->setObjectName(QStringLiteral("Label_Winner"));

    WinnerPanel = named(new QWidget(this), "WinnerPanel");
    WinnerPanel->setGeometry(232, 408, 273, 81);
    WonRounds = named(new QRadioButton(QStringLiteral("meiste gew&onnene Runden"), WinnerPanel), "WonRounds");
    WonRounds->setGeometry(8, 8, 257, 29);
    WonRounds->setChecked(true);
    FewMistakes = named(new QRadioButton(QStringLiteral("wenigste &Fehler"), WinnerPanel), "FewMistakes");
    FewMistakes->setGeometry(8, 40, 169, 29);

    PlaySounds = checkBox(this, "PlaySounds", QStringLiteral("Sounds abs&pielen"), {80, 480, 173, 25}, true);

    PropertiesOK = button(this, "PropertiesOK", QStringLiteral("OK"), {328, 504, 185, 57});
    PropertiesOK->setDefaultButton(true);
    setOkGlyph(PropertiesOK);

    chainTabOrder({Rounds, Mistakes, NoLimit, perLetter, WholeWord, TimeLimit, NoSpecialChars, SetFirstLetter,
                   CapitalLetters, AcceptSentences, AcceptNumbers, WonRounds, FewMistakes, PlaySounds, PropertiesOK});
    tabStopOnCheckedChoice({NoLimit, perLetter, WholeWord});
    tabStopOnCheckedChoice({WonRounds, FewMistakes});
    TimeLimit->setAccessibleName(QStringLiteral("Zeitbegrenzung in Sekunden"));

    connect(PropertiesOK, &QAbstractButton::clicked, this, &SettingsPage::PropertiesOKClick);
    for (QRadioButton *each : {NoLimit, perLetter, WholeWord, WonRounds, FewMistakes})
        connect(each, &QAbstractButton::clicked, this, &SettingsPage::NoLimitClick);
    for (QSpinBox *each : {Rounds, Mistakes, TimeLimit})
        connect(each, QOverload<int>::of(&QSpinBox::valueChanged), this, &SettingsPage::edited);
    for (QAbstractButton *each : std::initializer_list<QAbstractButton *>{
             NoLimit, perLetter, WholeWord, NoSpecialChars, CapitalLetters, AcceptSentences, AcceptNumbers,
             SetFirstLetter, WonRounds, FewMistakes, PlaySounds})
        connect(each, &QAbstractButton::toggled, this, &SettingsPage::edited);
}

GameSettings SettingsPage::settingsOnPage() const
{
    GameSettings s;
    s.Rounds = Rounds->value();
    s.Mistakes = Mistakes->value();
    if (perLetter->isChecked())
        s.TimeLimit = TimeLimitMode::PerLetter;
    else if (WholeWord->isChecked())
        s.TimeLimit = TimeLimitMode::WholeWord;
    else
        s.TimeLimit = TimeLimitMode::NoLimit;
    s.TimeLimitValue = TimeLimit->value();
    s.NoSpecialChars = NoSpecialChars->isChecked();
    s.CapitalLetters = CapitalLetters->isChecked();
    s.AcceptSentences = AcceptSentences->isChecked();
    s.AcceptNumbers = AcceptNumbers->isChecked();
    s.SetFirstLetter = SetFirstLetter->isChecked();
    s.WonRounds = WonRounds->isChecked();
    s.PlaySounds = PlaySounds->isChecked();
    return s;
}

// Every change on the page is the player's setting at once, as the page is
// the only way to change it.
void SettingsPage::edited()
{
    if (!m_showing)
        Q_EMIT settingsEdited(settingsOnPage());
}

void SettingsPage::showSettings(const GameSettings &settings)
{
    m_showing = true;
    Rounds->setValue(settings.Rounds);
    Mistakes->setValue(settings.Mistakes);
    switch (settings.TimeLimit) {
    case TimeLimitMode::NoLimit:
        NoLimit->setChecked(true);
        break;
    case TimeLimitMode::PerLetter:
        perLetter->setChecked(true);
        break;
    case TimeLimitMode::WholeWord:
        WholeWord->setChecked(true);
        break;
    }
    TimeLimit->setValue(settings.TimeLimitValue);
    NoSpecialChars->setChecked(settings.NoSpecialChars);
    CapitalLetters->setChecked(settings.CapitalLetters);
    AcceptSentences->setChecked(settings.AcceptSentences);
    AcceptNumbers->setChecked(settings.AcceptNumbers);
    SetFirstLetter->setChecked(settings.SetFirstLetter);
    // One of an exclusive pair cannot be unchecked, only its partner checked.
    (settings.WonRounds ? WonRounds : FewMistakes)->setChecked(true);
    NoLimitClick();
    PlaySounds->setChecked(settings.PlaySounds);
    m_showing = false;
}

void SettingsPage::NoLimitClick()
{
    TimeLimit->setEnabled(!NoLimit->isChecked() && Rounds->isEnabled());
}

void SettingsPage::SetSettingsEnabled(bool enabled)
{
    const QList<QWidget *> controls{Rounds, Mistakes, NoLimit, perLetter, WholeWord, TimeLimit,
                                    NoSpecialChars, CapitalLetters, AcceptSentences, AcceptNumbers,
                                    SetFirstLetter, WonRounds, FewMistakes};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
    if (enabled)
        NoLimitClick();
}

void SettingsPage::focusFirstSetting()
{
    (Rounds->isEnabled() ? static_cast<QWidget *>(Rounds) : PropertiesOK)->setFocus(Qt::TabFocusReason);
}

void SettingsPage::PropertiesOKClick()
{
    Q_EMIT accepted();
}
