// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace
{

// Beside the program (the build folder, Windows), or in the data folder of the prefix it is
// installed under (/usr/bin and /usr/share/zel-file-generator/translations).
QStringList programTranslationFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/translations"),
            programFolder + QStringLiteral("/../share/zel-file-generator/translations")};
}

// Where this Qt keeps its own (Debian's qt6-translations-l10n), or beside the program, where
// the Windows package puts them.
QStringList qtTranslationFolders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

// The translation of name into locale's language, from the first folder that has one.
std::unique_ptr<QTranslator> loadTranslation(const QLocale &locale, const QString &name,
                                             const QStringList &folders)
{
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString &folder : folders) {
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            return translator;
        }
    }
    return nullptr;
}

} // namespace

QString InstallTranslations(const QStringList &languages)
{
    for (const QString &language : languages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::English) {
            break;
        }
        // A name QLocale does not know gives the C locale, which no file is named after.
        if (locale.language() == QLocale::C) {
            continue;
        }
        std::unique_ptr<QTranslator> program = loadTranslation(
            locale, QStringLiteral("zel-file-generator"), programTranslationFolders());
        if (!program) {
            continue;
        }
        // Qt's own first, so that the program's words come before Qt's where both have one.
        if (std::unique_ptr<QTranslator> qt =
                loadTranslation(locale, QStringLiteral("qtbase"), qtTranslationFolders())) {
            QCoreApplication::installTranslator(qt.release());
        }
        QCoreApplication::installTranslator(program.get());
        return program.release()->language();
    }
    return QStringLiteral("en");
}
