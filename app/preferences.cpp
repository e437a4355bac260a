// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/preferences.h"

#include "model/pathhelpers.h"

#include <QCoreApplication>
#include <QFileInfo>
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

// The files that Store reads where they can be FIFOs or devices: the user's own, where the
// preferences are kept, then those it falls back to, the organisation's and the system's.
QStringList storeFiles()
{
#ifdef Q_OS_WIN
    return {}; // the registry, or files that no FIFO or device takes the place of
#else
    const QString extension =
        QStandardPaths::isTestModeEnabled() ? QStringLiteral(".ini") : QStringLiteral(".conf");
    QStringList files;
    for (const QString &folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        files << folder + QStringLiteral("/ZELFileGenerator/ZELFileGenerator") + extension
              << folder + QStringLiteral("/ZELFileGenerator") + extension;
    }
    return files;
#endif
}

// Why the store cannot be opened: one of its files is there but is no regular file, which
// QSettings would wait on for ever (a FIFO) or read as it never ends (a device). Empty when it can.
QString unusableStore()
{
    for (const QString &file : storeFiles()) {
        if (const QFileInfo info(file); info.exists() && !info.isFile()) {
            //: %1 is the file of the preferences.
            return QCoreApplication::translate(
                       "Preferences",
                       "The preferences cannot be kept in %1: it is not a regular file.")
                .arg(PrintableFileName(file));
        }
    }
    return {};
}

} // namespace

Preferences LoadPreferences(QString &problem)
{
    problem = unusableStore();
    if (!problem.isEmpty()) {
        return {QString(), QStringLiteral("0")};
    }
    const Store store;
    return {store.value(DefaultFolderKey, QString()).toString(),
            store.value(BarcodeFlagKey, QStringLiteral("0")).toString()};
}

QString SavePreferences(const Preferences &preferences)
{
    if (const QString problem = unusableStore(); !problem.isEmpty()) {
        return problem;
    }
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
