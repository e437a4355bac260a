#include "model/pathhelpers.h"

namespace {

#ifdef Q_OS_WIN
constexpr PathStyle PlatformPaths = WindowsPaths;
#else
constexpr PathStyle PlatformPaths = UnixPaths;
#endif

// The routines count positions in 16-bit signed integers; longer paths fail as they always have.
constexpr qsizetype LargestPosition = 32767;

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
