// Any text, as a path or as pasted into a field, keeps the contracts of the path helpers and of
// the keystroke filters. The bytes are taken as UTF-16 so that every code unit occurs; an odd
// last byte repeats the text, to reach the helpers' length limits.
#include "fuzzcheck.h"

#include "app/pathhelpers.h"
#include "settingfile/numbertext.h"
#include "ui/keyfilters.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * sizeof(char16_t));
    text = text.repeated(size % 2 ? 1 + data[size - 1] % 64 : 1);

    QString folder;
    QString name = QStringLiteral("untouched");
    const bool split = ExtractFolder(text, folder).isEmpty();
    if (ExtractFileName(text, name).isEmpty()) {
        fuzzCheck(!name.isEmpty() && !name.contains(u'/') && text.endsWith(u'/' + name) &&
                      (!split || text == folder + u'/' + name || text == folder + name),
                  "the name follows the last separator, the folder comes before it");
    } else {
        fuzzCheck(name == QStringLiteral("untouched"), "a refused path leaves the name untouched");
    }
    for (const KeyFilter filter : {FilterDigitKey, FilterHexKey}) {
        const QString pasted = filterPastedText(text, filter);
        fuzzCheck(pasted.size() <= text.size() && filterPastedText(pasted, filter) == pasted,
                  "filtered text passes the filter again unchanged");
    }
    const QString position = filterPastedText(text, FilterDigitKey).left(4);
    fuzzCheck(position.isEmpty() || decimalValue(position.toStdString()).has_value(),
              "a position that the filter lets through reads back from a setting file");
    return 0;
}
