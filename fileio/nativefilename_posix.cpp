// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "fileio/nativefilename.h"

#include <QStringDecoder>

namespace
{

constexpr char16_t EscapeBase = 0xdc00; // U+DC80..U+DCFF stand for the bytes 0x80..0xff

// The length of the well-formed UTF-8 sequence at the start of bytes, or 0. Overlong forms,
// encoded surrogates and values beyond U+10FFFF are not well formed: they stay bytes, so that
// decoding and encoding again gives the same bytes.
qsizetype sequenceLength(QByteArrayView bytes)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xc2 ? 0
                             : lead < 0xe0 ? 2
                             : lead < 0xf0 ? 3
                             : lead < 0xf5 ? 4
                                           : 0;
    if (length == 0 || length > bytes.size()) {
        return 0;
    }
    // The second byte's range depends on the lead; the others are any continuation byte.
    const unsigned char low = lead == 0xe0 ? 0xa0 : lead == 0xf0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xed ? 0x9f : lead == 0xf4 ? 0x8f : 0xbf;
    for (qsizetype i = 1; i < length; ++i) {
        if (byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xbf)) {
            return 0;
        }
    }
    return length;
}

} // namespace

QString FileNameFromNative(const QByteArray &bytes)
{
    // A U+FEFF is the name's own character wherever it stands, not a byte-order mark to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = sequenceLength(QByteArrayView(bytes).sliced(at));
        if (length == 0) {
            name += QChar(char16_t(EscapeBase + static_cast<unsigned char>(bytes[at++])));
        } else {
            name += utf8.decode(QByteArrayView(bytes).sliced(at, length));
            at += length;
        }
    }
    return name;
}

QByteArray NativeFileName(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0; // of characters that encode as UTF-8
    for (qsizetype at = 0; at <= name.size(); ++at) {
        const std::optional<unsigned char> escaped =
            at < name.size() ? UndecodedByte(name, at) : std::nullopt;
        if (escaped || at == name.size()) {
            bytes += QStringView(name).mid(runStart, at - runStart).toUtf8();
            runStart = at + 1;
        }
        if (escaped) {
            bytes += char(*escaped);
        }
    }
    return bytes;
}

std::optional<unsigned char> UndecodedByte(QStringView name, qsizetype at)
{
    const char16_t c = name[at].unicode();
    if (c < EscapeBase + 0x80 || c > EscapeBase + 0xff ||
        (at > 0 && name[at - 1].isHighSurrogate())) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(c - EscapeBase);
}
