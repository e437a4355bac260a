// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "model/pathhelpers.h"

#include "fileio/nativefilename.h"

namespace
{

#ifdef Q_OS_WIN
constexpr PathStyle PlatformPaths = WindowsPaths;
#else
constexpr PathStyle PlatformPaths = UnixPaths;
#endif

// The routines count positions in 16-bit signed integers; longer paths fail as they always have.
constexpr qsizetype LargestPosition = 32767;

// Characters that break a line or change the order in which the text around them shows: the
// line and paragraph separators, the direction marks (LRM, RLM, ALM), embeddings, overrides and
// isolates, and the byte-order mark, which some terminals take for a character of no width.
bool isLayoutControl(char16_t c)
{
    return c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x200e || c == 0x200f || c == 0x061c || c == 0xfeff;
}

bool isLoneSurrogate(QStringView path, qsizetype at)
{
    const QChar c = path[at];
    return (c.isHighSurrogate() && (at + 1 == path.size() || !path[at + 1].isLowSurrogate())) ||
           (c.isLowSurrogate() && (at == 0 || !path[at - 1].isHighSurrogate()));
}

QString hexDigits(char16_t value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, u'0');
}

} // namespace

QString ExtractFileName(const QString &path, QString &fileName, PathStyle style)
{
    const qsizetype last = path.lastIndexOf(style.separator);
    if (last < 0 || last == path.size() - 1 || last + 1 >= LargestPosition) {
        return FilePathError;
    }
    fileName = path.mid(last + 1);
    return {};
}

QString ExtractFolder(const QString &path, QString &folder, PathStyle style)
{
    folder.clear();
    const qsizetype last = path.lastIndexOf(style.separator);
    if (last < 0 || (!style.leadingSeparatorIsRoot && path.startsWith(style.separator))) {
        return FilePathError;
    }
    if (path.size() > LargestPosition) {
        return UnknownError;
    }
    folder = last == 0 ? QString(style.separator) : path.left(last);
    return {};
}

QString ExtractFileName(const QString &path, QString &fileName)
{
    return ExtractFileName(path, fileName, PlatformPaths);
}

QString ExtractFolder(const QString &path, QString &folder)
{
    return ExtractFolder(path, folder, PlatformPaths);
}

QString PrintableText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (const auto byte = UndecodedByte(text, at); c < 0x20 || c == 0x7f || byte) {
            shown += QStringLiteral("\\x") + hexDigits(byte.value_or(c), 2);
        } else if ((c >= 0x80 && c <= 0x9f) || isLayoutControl(c) || isLoneSurrogate(text, at)) {
            shown += QStringLiteral("\\u") + hexDigits(c, 4);
        } else if (c == u'\\' && PlatformPaths.separator != u'\\') {
            shown += QStringLiteral("\\\\");
        } else {
            shown += text[at];
        }
    }
    return shown;
}

QString PrintableFileName(const QString &path)
{
    return path.isEmpty() ? QStringLiteral("''") : PrintableText(path);
}
