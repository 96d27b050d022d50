// SPDX-FileCopyrightText: 2026 Kx Software
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/CharSet.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Unicode of the codes 0x80 to 0x9F; the other codes equal Latin-1.
// 0 marks the five codes the code page leaves undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

} // namespace

int cp1252Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u && u != 0)
            return 0x80 + i;
    }
    return -1;
}

QChar fromCp1252(unsigned char code)
{
    if (code >= 0x80 && code < 0xA0) {
        const char16_t u = kHighControls[code - 0x80];
        return u ? QChar(u) : QChar(QChar::ReplacementCharacter);
    }
    return QChar(code);
}

QString decodeCp1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid())
        return decoder(bytes);
    // A Qt built without the code page tables still reads and speaks it.
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += fromCp1252(static_cast<unsigned char>(byte));
    return text;
}

std::optional<QByteArray> encodeCp1252(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    if (encoder.isValid()) {
        QByteArray bytes = encoder(text);
        if (encoder.hasError())
            return std::nullopt;
        return bytes;
    }
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int code = cp1252Code(c);
        if (code < 0)
            return std::nullopt;
        bytes += char(code);
    }
    return bytes;
}

QChar upperCaseOf(QChar c)
{
    return c.toUpper();
}

bool CharSet::contains(QChar c) const
{
    const int code = cp1252Code(c);
    return code >= 0 && m_codes.test(size_t(code));
}

void CharSet::insert(QChar c)
{
    const int code = cp1252Code(c);
    if (code >= 0)
        m_codes.set(size_t(code));
}
