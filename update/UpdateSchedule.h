// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QString>

#include <memory>
#include <optional>

class Registry;

// The update reminder schedule, kept in the registry under
// "Software\Kx\<RegistryKey>" of the machine's or the user's hive:
//   "ApplicationFileName"  the running program, quoted, and its arguments
//   "Update"               the reminder threshold: a date as 8 bytes of a
//                          little-endian double, days since 30.12.1899
//   "UpdateInterval"       days between reminders, 1 to 365 (7 when absent)
//   "NoUpdate"             present: never remind at start-up
//   "OnlyUpdate"           present: the program only updates, then ends
class UpdateSchedule
{
public:
    // Opens the key, creating it when missing.
    UpdateSchedule(const QString &registryKey, bool hkcu);
    ~UpdateSchedule();
    UpdateSchedule(const UpdateSchedule &) = delete;
    UpdateSchedule &operator=(const UpdateSchedule &) = delete;

    void writeApplicationFileName(const QString &executablePath, const QString &argumentTail);

    // Why the schedule's file was not read, in German for the player; empty
    // when it was read or is missing. The schedule then reads as on a first
    // start, and the file stays as it is.
    QString unreadFileReason() const;

    // "Update"; nothing when it is missing or not 8 bytes of binary data.
    std::optional<QDate> storedThreshold() const;
    // The stored threshold, or the day before today.
    QDate reminderThreshold(const QDate &today) const;
    bool noUpdate() const;
    bool onlyUpdate() const;
    // "UpdateInterval" as stored, when it is an integer.
    std::optional<int> storedInterval() const;
    // The interval the next reminder is counted with: the stored one when
    // it is at least 1, else 7.
    int reminderInterval() const;

    // "Update" := today + interval - 1, so that the reminder comes back
    // after the interval.
    void recordNextReminder(const QDate &today);
    // The settings page: never remind, or remind every interval days.
    void saveReminder(bool never, int interval);

    // The registry's date codec.
    static QByteArray encodeDate(const QDate &date);
    static std::optional<QDate> decodeDate(const QByteArray &bytes);

private:
    std::unique_ptr<Registry> m_registry;
};

// Whether AutomaticUpdate shows the wizard.
bool isWizardDue(bool onDemand, bool onlyUpdate, bool noUpdate, const QDate &threshold, const QDate &today);
