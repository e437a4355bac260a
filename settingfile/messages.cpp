// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "settingfile/messages.h"

#include "model/pathhelpers.h"

#include <QCoreApplication>
#include <QDir>

namespace
{

QString fileSystemText(const char *source)
{
    return QCoreApplication::translate("FileSystem", source);
}

QString readerText(const char *source)
{
    return QCoreApplication::translate("SettingFileReader", source);
}

QString writerText(const char *source)
{
    return QCoreApplication::translate("SettingFileWriter", source);
}

// The words for a fault in the file; %1 stands for the argument.
const char *formatFaultSource(ReadProblem::Reason reason)
{
    using Reason = ReadProblem::Reason;
    switch (reason) {
    case Reason::None:
    case Reason::NotRead:
        break;
    case Reason::NoModeLine:
        return QT_TRANSLATE_NOOP("SettingFileReader", "The file has no [MODE] line.");
    case Reason::NoEndLine:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "The file ends after line %1 without an [END] line.");
    case Reason::ByteOrderMark:
        return QT_TRANSLATE_NOOP(
            "SettingFileReader",
            "The file starts with a byte-order mark, which a setting file does not have.");
    case Reason::LineFeedsAlone:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "The file's lines end with LF alone, where a setting file ends "
                                 "each line with CR LF.");
    case Reason::ByteOrderMarkAndLineFeedsAlone:
        return QT_TRANSLATE_NOOP(
            "SettingFileReader",
            "The file starts with a byte-order mark, which a setting file does not have. The "
            "file's lines end with LF alone, where a setting file ends each line with CR LF.");
    case Reason::UnknownMode:
        return QT_TRANSLATE_NOOP("SettingFileReader", "\"%1\" is not a mode this program knows.");
    case Reason::UnknownBaudRate:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" is not a baud rate this program knows.");
    case Reason::UnknownBitLength:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" is not a bit length this program knows.");
    case Reason::UnknownStopBit:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" is not a stop bit this program knows.");
    case Reason::UnknownParity:
        return QT_TRANSLATE_NOOP("SettingFileReader", "\"%1\" is not a parity this program knows.");
    case Reason::UnknownStartPosition:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" is not a start position this program knows.");
    case Reason::UnknownEndPosition:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" is not an end position this program knows.");
    case Reason::UnknownSuffix:
        return QT_TRANSLATE_NOOP("SettingFileReader", "\"%1\" is not a suffix this program knows.");
    case Reason::NotInSettingSection:
        return QT_TRANSLATE_NOOP("SettingFileReader",
                                 "\"%1\" does not belong in the [SETTING] section.");
    }
    return "";
}

// The file's name on one line that no name can break, and under it the reason.
QString detailOf(const QString &path, const QString &reason)
{
    return PrintableFileName(QDir::toNativeSeparators(path)) + u'\n' + reason;
}

} // namespace

QString ReasonOf(const FileProblem &problem)
{
    switch (problem.kind) {
    case FileProblem::Kind::None:
    case FileProblem::Kind::System:
        break;
    case FileProblem::Kind::NotRegularFile:
        return fileSystemText(QT_TRANSLATE_NOOP("FileSystem", "Not a regular file"));
    case FileProblem::Kind::NotKept:
        return fileSystemText(
            QT_TRANSLATE_NOOP("FileSystem", "The file system did not keep what was written"));
    }
    return problem.systemReason;
}

QString ReasonOf(const ReadProblem &problem)
{
    if (problem.kind() == ReadProblem::Kind::LoadFailure) {
        return ReasonOf(problem.file);
    }
    const QString text = readerText(formatFaultSource(problem.reason));
    return text.contains(QStringLiteral("%1")) ? text.arg(problem.argument) : text;
}

QString ReasonWithLineOf(const ReadProblem &problem)
{
    if (problem.line <= 0) {
        return ReasonOf(problem);
    }
    return readerText(QT_TRANSLATE_NOOP("SettingFileReader", "Line %1: %2"))
        .arg(QString::number(problem.line), ReasonOf(problem));
}

QString ReasonOf(const WriteResult &result)
{
    using Reason = WriteResult::Reason;
    switch (result.reason) {
    case Reason::None:
        return {};
    case Reason::NoFileName:
        return writerText(
            QT_TRANSLATE_NOOP("SettingFileWriter", "The path does not name a file in a folder."));
    case Reason::FlagNotANumber:
        return writerText(QT_TRANSLATE_NOOP("SettingFileWriter",
                                            "The stored barcode flag \"%1\" is not a number."))
            .arg(result.flag);
    case Reason::File:
        break;
    }
    const QString why = ReasonOf(result.file);
    switch (result.outcome) {
    case SaveOutcome::FormerContentLost:
        return writerText(QT_TRANSLATE_NOOP("SettingFileWriter",
                                            "%1 (the former content could not be put back)"))
            .arg(why);
    case SaveOutcome::Unconfirmed:
        return writerText(QT_TRANSLATE_NOOP("SettingFileWriter",
                                            "The file holds the new content, but the file system "
                                            "did not confirm that it is on the disk: %1"))
            .arg(why);
    case SaveOutcome::Saved:
    case SaveOutcome::Refused:
        break;
    }
    return why;
}

ErrorMessage ErrorMessageOf(const QString &path, const ReadProblem &problem)
{
    const char *message = problem.kind() == ReadProblem::Kind::LoadFailure
                              ? QT_TRANSLATE_NOOP("SettingFileReader", "ZEL File Load Error")
                              : QT_TRANSLATE_NOOP("SettingFileReader", "ZEL File Format Error");
    return {readerText(message), detailOf(path, ReasonWithLineOf(problem))};
}

ErrorMessage ErrorMessageOf(const QString &path, const WriteResult &result)
{
    const char *message = result.reason == WriteResult::Reason::NoFileName
                              ? QT_TRANSLATE_NOOP("SettingFileWriter", "File Path Error")
                              : QT_TRANSLATE_NOOP("SettingFileWriter", "ZEL File Save Error");
    return {writerText(message), detailOf(path, ReasonOf(result))};
}
