// Any text, as a path or as pasted into a field, keeps the contracts of the path helpers and of
// the keystroke filters. The bytes are taken as UTF-16 so that every code unit occurs; an odd
// last byte repeats the text, to reach the helpers' length limits.
#include "fuzzcheck.h"

#include "app/pathhelpers.h"
#include "ui/keyfilters.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * sizeof(char16_t));
    text = text.repeated(size % 2 ? 1 + data[size - 1] % 64 : 1);
    QString folder;
    QString name;
    if (ExtractFolder(text, folder).isEmpty() && ExtractFileName(text, name).isEmpty()) {
        fuzzCheck(!name.contains(u'/') && (text == folder + u'/' + name || text == folder + name),
                  "the folder and the name after the last separator make up the path");
    }
    for (const KeyFilter filter : {FilterDigitKey, FilterHexKey}) {
        const QString pasted = filterPastedText(text, filter);
        fuzzCheck(filterPastedText(pasted, filter) == pasted, "filtered text passes unchanged");
    }
    return 0;
}
