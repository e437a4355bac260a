// Any text, as a path or as pasted into a field, keeps the contracts of the path helpers and of
// the keystroke filters. The bytes are taken as UTF-16 so that every code unit occurs, lone
// surrogates included; an odd last byte repeats the text, to reach the 16-bit length limits.

#include "fuzzcheck.h"

#include "app/pathhelpers.h"
#include "model/settings.h"
#include "settingfile/numbertext.h"
#include "ui/keyfilters.h"

#include <QDir>

#include <cstdint>
#include <cstring>

namespace {

const QChar Separator = QDir::separator();
const QString Untouched = QStringLiteral("untouched");
// Positions beyond this do not fit the helpers' 16-bit arithmetic.
constexpr qsizetype LargestPosition = 32767;

QString textFrom(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * sizeof(char16_t));
    const int repeats = size % 2 ? 1 + data[size - 1] % 64 : 1;
    return text.repeated(repeats);
}

// What follows the folder that ExtractFolder gave: the root folder "/" is the one folder that
// ends in a separator.
QString nameAfter(const QString &path, const QString &folder)
{
    const QString rest = path.mid(folder.size());
    fuzzCheck(path.startsWith(folder) && (rest.startsWith(Separator) || folder == Separator),
              "the folder is the start of the path, up to a separator");
    return rest.startsWith(Separator) ? rest.mid(1) : rest;
}

void checkPathHelpers(const QString &path)
{
    QString fileName = Untouched;
    const QString fileNameStatus = ExtractFileName(path, fileName);
    if (fileNameStatus.isEmpty()) {
        fuzzCheck(!fileName.isEmpty() && !fileName.contains(Separator) &&
                      path.endsWith(Separator + fileName),
                  "the file name is what follows the last separator");
    } else {
        fuzzCheck(fileNameStatus == FilePathError && fileName == Untouched,
                  "a refused path leaves the file name untouched");
        fuzzCheck(!path.contains(Separator) || path.endsWith(Separator) ||
                      path.lastIndexOf(Separator) >= LargestPosition - 1,
                  "only a path without a name is refused");
    }

    QString folder = Untouched;
    const QString folderStatus = ExtractFolder(path, folder);
    if (!folderStatus.isEmpty()) {
        fuzzCheck(folder.isEmpty(), "a refused path empties the folder");
        fuzzCheck((folderStatus == FilePathError &&
                   (!path.contains(Separator) || path.startsWith(Separator))) ||
                      (folderStatus == UnknownError && path.size() > LargestPosition),
                  "only a path without a usable separator or a too long path is refused");
        return;
    }
    const QString name = nameAfter(path, folder);
    fuzzCheck(!folder.isEmpty() && !name.contains(Separator),
              "the folder ends at the last separator");
    fuzzCheck(!fileNameStatus.isEmpty() || name == fileName, "folder and name make up the path");
}

void checkKeyFilter(KeyFilter filter, const QString &text)
{
    for (QChar character : text) {
        qint16 code = static_cast<qint16>(character.unicode());
        const qint16 filtered = filter(code);
        fuzzCheck(code == filtered, "a filter stores the code it returns");
        fuzzCheck(filter(code) == filtered, "a filtered code passes again unchanged");
    }
    const QString pasted = filterPastedText(text, filter);
    fuzzCheck(pasted.size() <= text.size(), "filtering never adds characters");
    fuzzCheck(filterPastedText(pasted, filter) == pasted, "filtered text passes again unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = textFrom(data, size);
    checkPathHelpers(text);
    checkKeyFilter(FilterDigitKey, text);
    checkKeyFilter(FilterHexKey, text);
    const QString position = filterPastedText(text, FilterDigitKey).left(PositionMaxLength);
    fuzzCheck(position.isEmpty() || decimalValue(position.toStdString()).has_value(),
              "a position pasted through the filter reads back from a setting file");
    return 0;
}
