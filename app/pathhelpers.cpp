#include "app/pathhelpers.h"

namespace {

#ifdef Q_OS_WIN
constexpr QChar Separator = u'\\';
constexpr bool LeadingSeparatorIsRoot = false;
#else
constexpr QChar Separator = u'/';
constexpr bool LeadingSeparatorIsRoot = true;
#endif

// The routines count positions in 16-bit signed integers; longer paths fail as they always have.
constexpr qsizetype LargestPosition = 32767;

} // namespace

QString ExtractFileName(const QString &path, QString &fileName)
{
    const qsizetype last = path.lastIndexOf(Separator);
    if (last < 0 || last == path.size() - 1 || last + 1 >= LargestPosition) {
        return FilePathError;
    }
    fileName = path.mid(last + 1);
    return {};
}

QString ExtractFolder(const QString &path, QString &folder)
{
    folder.clear();
    const qsizetype last = path.lastIndexOf(Separator);
    if (last < 0 || (!LeadingSeparatorIsRoot && path.startsWith(Separator))) {
        return FilePathError;
    }
    if (path.size() > LargestPosition) {
        return UnknownError;
    }
    folder = last == 0 ? QString(Separator) : path.left(last);
    return {};
}
