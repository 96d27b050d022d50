// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's settings and names: read at the start, shown and edited on
// their pages, saved at the end.
#include "window/TForm1.h"

#include "controls/MessageBoxes.h"
#include "net/NetworkSession.h"
#include "text/IniFile.h"
#include "window/TForm1_p.h"
#include "window/pages/PlayersPage.h"
#include "window/pages/SettingsPage.h"
#include "window/pages/WordPage.h"

#include <QMessageBox>

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
    // What is held now is what this run started from.
    m_state->loadedSolo = std::make_unique<SoloSettings>(m_solo);
    m_state->loadedSettings = std::make_unique<GameSettings>(m_settings);
    m_state->loadedNames = std::make_unique<PlayerNames>(m_names);
}

void TForm1::SaveSettings()
{
    if (m_settingsFile.save.isEmpty() || !m_state->loadedSettings)
        return;
    // The file as it is now, so that what others keep in it (comments, keys
    // and sections of their own, edits made while the game ran) stays; a
    // file that cannot or must not be read is left as it is. Another copy
    // of the game may be saving its own changes at this moment: under the
    // file's lock, only what this run changed overwrites them. Nobody is
    // left to tell at this point; a failed save keeps the old file.
    IniFile::update(m_settingsFile.save, [this](IniFile &ini) {
        m_settings.writeChanges(ini, *m_state->loadedSettings);
        m_names.writeChanges(ini, *m_state->loadedNames);
        m_solo.writeChanges(ini, *m_state->loadedSolo);
    });
}

void TForm1::applySettings(const GameSettings &settings)
{
    m_settings = settings.clamped();
    if (m_pages->settings)
        m_pages->settings->showSettings(m_settings);
}

void TForm1::applyNames(const PlayerNames &names)
{
    m_names = names;
    if (m_pages->players)
        m_pages->players->showNames(names);
}

// The joining computer shows the host's settings and cannot change them.
void TForm1::showSettingsLock(bool locked)
{
    m_state->settingsLocked = locked;
    if (m_pages->settings)
        m_pages->settings->SetSettingsEnabled(!locked);
}

void TForm1::settingsAccepted()
{
    if (!RoundState.NetworkGame) {
        showPage(Start);
        return;
    }
    // The joining computer has looked at the host's settings: it waits for
    // the host's first word. The host-to-be came here from the network page.
    if (!session().confirmSettings()) {
        showPage(Network);
        return;
    }
    StartMatch();
    showPage(Word);
    showWordEntry(int(WordPage::WordEntry::PeerTypes));
}
