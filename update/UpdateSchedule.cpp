// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/UpdateSchedule.h"

#include "platform/Registry.h"

#include <QDir>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

const QString ThresholdValue = QStringLiteral("Update");
const QString IntervalValue = QStringLiteral("UpdateInterval");
const QString NoUpdateValue = QStringLiteral("NoUpdate");
const QString OnlyUpdateValue = QStringLiteral("OnlyUpdate");

constexpr int DefaultInterval = 7;

// Day 0 of the stored dates.
const QDate DateBase(1899, 12, 30);

} // namespace

UpdateSchedule::UpdateSchedule(const QString &registryKey, bool hkcu)
    : m_registry(std::make_unique<Registry>(hkcu ? RegistryHive::CurrentUser : RegistryHive::LocalMachine))
{
    m_registry->openKey(QStringLiteral("\\Software\\Kx\\") + registryKey, true);
}

UpdateSchedule::~UpdateSchedule() = default;

void UpdateSchedule::writeApplicationFileName(const QString &executablePath, const QString &argumentTail)
{
    QString value = QLatin1Char('"') + executablePath + QLatin1Char('"');
    if (!argumentTail.isEmpty())
        value += QLatin1Char(' ') + argumentTail;
    m_registry->writeString(QStringLiteral("ApplicationFileName"), value);
}

QString UpdateSchedule::unreadFileReason() const
{
    const QString file = QDir::toNativeSeparators(Registry::hiveFilePath(m_registry->rootKey()));
    switch (m_registry->fileStatus()) {
    case SharedFile::Status::TooLarge:
        return QStringLiteral("Die Datei „%1“ mit dem Update-Zeitplan ist größer als 1 MiB und wird nicht gelesen.")
            .arg(file);
    case SharedFile::Status::NotRegular:
        return QStringLiteral("„%1“ ist keine gewöhnliche Datei und wird nicht als Update-Zeitplan gelesen.").arg(file);
    case SharedFile::Status::Read:
    case SharedFile::Status::Missing:
    case SharedFile::Status::Unreadable:
        break;
    }
    return QString();
}

std::optional<QDate> UpdateSchedule::storedThreshold() const
{
    if (m_registry->valueType(ThresholdValue) != Registry::ValueType::Binary)
        return std::nullopt;
    return decodeDate(m_registry->readBinaryData(ThresholdValue));
}

QDate UpdateSchedule::reminderThreshold(const QDate &today) const
{
    // A value that cannot be read counts as missing, so a damaged entry
    // brings the reminder back instead of stopping the program.
    return storedThreshold().value_or(today.addDays(-1));
}

bool UpdateSchedule::noUpdate() const
{
    return m_registry->valueExists(NoUpdateValue);
}

bool UpdateSchedule::onlyUpdate() const
{
    return m_registry->valueExists(OnlyUpdateValue);
}

std::optional<int> UpdateSchedule::storedInterval() const
{
    if (m_registry->valueType(IntervalValue) != Registry::ValueType::Integer)
        return std::nullopt;
    return m_registry->readInteger(IntervalValue);
}

int UpdateSchedule::reminderInterval() const
{
    const std::optional<int> interval = storedInterval();
    return interval && *interval >= 1 ? *interval : DefaultInterval;
}

void UpdateSchedule::recordNextReminder(const QDate &today)
{
    m_registry->writeBinaryData(ThresholdValue, encodeDate(today.addDays(reminderInterval() - 1)));
}

void UpdateSchedule::saveReminder(bool never, int interval)
{
    if (never) {
        m_registry->deleteValue(IntervalValue);
        m_registry->writeString(NoUpdateValue, QString());
    } else {
        m_registry->deleteValue(NoUpdateValue);
        m_registry->writeInteger(IntervalValue, interval);
    }
}

QByteArray UpdateSchedule::encodeDate(const QDate &date)
{
    const double days = double(DateBase.daysTo(date));
    quint64 bits = 0;
    std::memcpy(&bits, &days, sizeof bits);
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian(bits, bytes.data());
    return bytes;
}

std::optional<QDate> UpdateSchedule::decodeDate(const QByteArray &bytes)
{
    if (bytes.size() != 8)
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData());
    double days = 0;
    std::memcpy(&days, &bits, sizeof days);
    // Beyond the years 100 to 9999 is not a date anybody stored.
    if (!std::isfinite(days) || days < -657434 || days > 2958466)
        return std::nullopt;
    return DateBase.addDays(qint64(std::floor(days)));
}

bool isWizardDue(bool onDemand, bool onlyUpdate, bool noUpdate, const QDate &threshold, const QDate &today)
{
    return onDemand || onlyUpdate || (today > threshold && !noUpdate);
}
