// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/WordHistory.h"

#include "text/CharSet.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace {

constexpr int kPrintBytes = 3;
constexpr auto kBase64 = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

} // namespace

quint32 WordHistory::fingerprint(const QString &word)
{
    // The same word reads GARTEN or Garten by the settings of the match.
    QString capitals = word;
    for (QChar &c : capitals)
        c = upperCaseOf(c);
    // A hash of its own rather than qHash, whose values may change with Qt
    // and would then lose the saved history.
    const QByteArray digest = QCryptographicHash::hash(capitals.toUtf8(), QCryptographicHash::Md5);
    quint32 print = 0;
    for (int i = 0; i < kPrintBytes; ++i)
        print = (print << 8) | quint8(digest.at(i));
    return print;
}

void WordHistory::add(const QString &word)
{
    const quint32 print = fingerprint(word);
    // A word chosen again moves to the newest end.
    m_prints.removeAll(print);
    m_prints << print;
    if (m_prints.size() > Capacity)
        m_prints.remove(0, m_prints.size() - Capacity);
}

int WordHistory::recency(const QString &word) const
{
    return int(m_prints.indexOf(fingerprint(word)));
}

QString WordHistory::toString() const
{
    QByteArray bytes;
    bytes.reserve(m_prints.size() * kPrintBytes);
    for (quint32 print : m_prints) {
        for (int shift = 8 * (kPrintBytes - 1); shift >= 0; shift -= 8)
            bytes += char((print >> shift) & 0xFF);
    }
    return QString::fromLatin1(bytes.toBase64(kBase64));
}

WordHistory WordHistory::fromString(const QString &text)
{
    WordHistory history;
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), kBase64 | QByteArray::AbortOnBase64DecodingErrors);
    // Four characters make three bytes, so a whole history is a multiple
    // of four long; a cut or edited value starts the history afresh.
    if (!decoded || text.size() % 4 != 0)
        return history;
    const QByteArray &bytes = *decoded;
    for (qsizetype at = 0; at + kPrintBytes <= bytes.size(); at += kPrintBytes) {
        quint32 print = 0;
        for (int i = 0; i < kPrintBytes; ++i)
            print = (print << 8) | quint8(bytes.at(at + i));
        history.m_prints << print;
    }
    if (history.m_prints.size() > Capacity)
        history.m_prints.remove(0, history.m_prints.size() - Capacity);
    return history;
}
