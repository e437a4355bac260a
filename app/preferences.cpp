// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/preferences.h"

#include "model/pathhelpers.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace
{

const QString DefaultFolderKey = QStringLiteral("DefaultFolder");
const QString BarcodeFlagKey = QStringLiteral("BarcodeFlag");

// On Windows the store is the registry, and the values belong in
// HKEY_CURRENT_USER\Software\ZELFileGenerator\Data: QSettings puts its application's key under
// the organisation's, so there the application is "Data", and there is no group.
bool inRegistry()
{
#ifdef Q_OS_WIN
    return !QStandardPaths::isTestModeEnabled();
#else
    return false;
#endif
}

// The group "Data" of the application's native store in the user's scope: the registry on
// Windows, ~/.config/ZELFileGenerator/ZELFileGenerator.conf on Linux. Under QStandardPaths'
// test mode it is always such a file, in the test's own folder: test mode does not redirect the
// registry, and a test must never touch the operator's real preferences.
class Store : public QSettings
{
public:
    Store()
        : QSettings(QStandardPaths::isTestModeEnabled() ? IniFormat : NativeFormat, UserScope,
                    QStringLiteral("ZELFileGenerator"),
                    inRegistry() ? QStringLiteral("Data") : QStringLiteral("ZELFileGenerator"))
    {
        if (!inRegistry()) {
            beginGroup(QStringLiteral("Data"));
        }
    }
};

} // namespace

Preferences LoadPreferences()
{
    const Store store;
    return {store.value(DefaultFolderKey, QString()).toString(),
            store.value(BarcodeFlagKey, QStringLiteral("0")).toString()};
}

QString SavePreferences(const Preferences &preferences)
{
    Store store;
    store.setValue(DefaultFolderKey, preferences.DefaultFolder);
    store.setValue(BarcodeFlagKey, preferences.BarcodeFlag);
    store.sync();
    if (store.status() == QSettings::NoError) {
        return {};
    }
    //: %1 is the file of the preferences, %2 one of the two reasons that follow.
    return QCoreApplication::translate("Preferences", "The preferences could not be kept in %1: %2")
        .arg(PrintableFileName(store.fileName()),
             store.status() == QSettings::AccessError
                 ? QCoreApplication::translate("Preferences", "it cannot be written.")
                 : QCoreApplication::translate("Preferences",
                                               "its content is not in the store's format."));
}
