// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings page, players page and the start of a match.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "controls/TKxBitBtn.h"
#include "game/GameSettings.h"
#include "net/PeerLink.h"
#include "text/IniFile.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

GameSettings TForm1::settingsOnPage() const
{
    GameSettings s;
    s.Rounds = Rounds->value();
    s.Mistakes = Mistakes->value();
    if (NoLimit->isChecked())
        s.TimeLimit = TimeLimitMode::NoLimit;
    else if (perLetter->isChecked())
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

// Every change on the page is the user's setting at once, as the page is
// the only way to change it.
void TForm1::settingsEdited()
{
    if (!m_showingSettings)
        m_settings = settingsOnPage();
}

void TForm1::namesEdited()
{
    m_names = PlayerNames{Player1->text(), Player2->text()};
}

void TForm1::applySettings(const GameSettings &settings)
{
    m_settings = settings.clamped();
    showSettingsOnPage();
}

void TForm1::applyNames(const PlayerNames &names)
{
    m_names = names;
    if (!isPageBuilt(PlayersPage))
        return;
    // Each edit's change writes both names back; the first must not drop
    // the second before it is shown.
    const QSignalBlocker blockFirst(Player1);
    const QSignalBlocker blockSecond(Player2);
    Player1->setText(names.Player1);
    Player2->setText(names.Player2);
}

void TForm1::showSettingsOnPage()
{
    if (!isPageBuilt(SettingsPage))
        return;
    const GameSettings settings = m_settings;
    m_showingSettings = true;
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
    NoLimitClick();
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
    m_showingSettings = false;
}

namespace {

// A file the program does not read is not written either; the player
// hears of both once, as the program starts.
void tellSettingsFileIgnored(QWidget *parent, const QString &path, SharedFile::Status status)
{
    QString text;
    if (status == SharedFile::Status::TooLarge)
        text = QStringLiteral("Die Einstellungsdatei „%1“ ist größer als 1 MiB und wird nicht gelesen.");
    else if (status == SharedFile::Status::NotRegular)
        text = QStringLiteral("„%1“ ist keine gewöhnliche Datei und wird nicht als Einstellungsdatei gelesen.");
    else
        return;
    showMessageBox(parent, QMessageBox::Warning, QStringLiteral("Fehler"), text.arg(path),
                   QStringLiteral("Lettrisko beginnt mit den Voreinstellungen. Die Datei bleibt, wie sie ist; "
                                  "was Sie jetzt einstellen, wird nicht darin gespeichert."));
}

} // namespace

void TForm1::LoadSettings()
{
    SharedFile::Status status = SharedFile::Status::Missing;
    const IniFile ini = IniFile::load(m_settingsFile.load, &status);
    tellSettingsFileIgnored(this, m_settingsFile.load, status);
    applySettings(GameSettings::read(ini));
    applyNames(PlayerNames::read(ini));
    m_solo = SoloSettings::read(ini);
    m_loadedSolo = std::make_unique<SoloSettings>(m_solo);
    // What is held now is what this run started from.
    m_loadedSettings = std::make_unique<GameSettings>(m_settings);
    m_loadedNames = std::make_unique<PlayerNames>(m_names);
}

void TForm1::SaveSettings()
{
    if (m_settingsFile.save.isEmpty() || !m_loadedSettings)
        return;
    // The file as it is now, so that what others keep in it (comments, keys
    // and sections of their own, edits made while the game ran) stays; a
    // file that cannot or must not be read is left as it is. Another copy
    // of the game may be saving its own changes at this moment: under the
    // file's lock, only what this run changed overwrites them. Nobody is
    // left to tell at this point; a failed save keeps the old file.
    IniFile::update(m_settingsFile.save, [this](IniFile &ini) {
        m_settings.writeChanges(ini, *m_loadedSettings);
        m_names.writeChanges(ini, *m_loadedNames);
        m_solo.writeChanges(ini, *m_loadedSolo);
    });
}

void TForm1::NoLimitClick()
{
    if (isPageBuilt(SettingsPage))
        TimeLimit->setEnabled(!NoLimit->isChecked());
}

void TForm1::SetSettingsEnabled(bool enabled)
{
    m_settingsLocked = !enabled;
    if (!isPageBuilt(SettingsPage))
        return;
    const QList<QWidget *> controls{Rounds, Mistakes, NoLimit, perLetter, WholeWord, TimeLimit,
                                    NoSpecialChars, CapitalLetters, AcceptSentences, AcceptNumbers,
                                    SetFirstLetter, WonRounds, FewMistakes};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

void TForm1::PropertiesOKClick()
{
    if (!RoundState.NetworkGame) {
        showPage(StartPage);
        return;
    }
    if (peer().phase() == NetPhase::Connecting) {
        // The host-to-be came here from the network page.
        showPage(NetworkPage);
        return;
    }
    // The joining computer has looked at the host's settings: it waits for
    // the host's first word.
    peer().sendReady();
    StartMatch();
    showPage(WordPage);
    showWordEntry(WordEntry::PeerTypes);
}

void TForm1::PlayersOKClick()
{
    QString problem;
    if (m_names.Player1.isEmpty())
        problem = QStringLiteral("Gib einen Namen ein, Spieler 1.");
    else if (m_names.Player2.isEmpty())
        problem = QStringLiteral("Gib einen Namen ein, Spieler 2.");
    else if (m_names.Player1 == m_names.Player2)
        problem = QStringLiteral("Beide Spieler müssen unterschiedliche Namen haben.");
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Fehler"), problem);
        return;
    }

    StartMatch();
    showPage(WordPage);
    showWordEntry(WordEntry::Open);
}

void TForm1::StartMatch()
{
    startMatch(m_settings, m_names);
}

void TForm1::startMatch(const GameSettings &settings, const PlayerNames &names)
{
    m_keyboard = new KeyboardSeat(*m_match);
    Seat *seats[] = {m_keyboard, m_keyboard};
    if (RoundState.NetworkGame)
        seats[1 - m_match->localSeat()] = newPeerSeat();
    m_match->start(settings, names.Player1, names.Player2, seats[0], seats[1]);
}
