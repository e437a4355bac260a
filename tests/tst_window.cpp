// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// The window with its application shell, started as the program starts them: what the rows of
// data/window.txt and data/commands.txt do to it and what follows, down to how it looks.
#include "datatable.h"

#include "app/applicationshell.h"
#include "app/commandline.h"
#include "app/dialogs.h"
#include "app/languages.h"
#include "app/messageboxdialogs.h"
#include "settingfile/settingfilereader.h"
#include "ui/frmmain.h"

#include <QtTest>
#include <QtWidgets>

#include <stdexcept>

#ifndef Q_OS_WIN
#include "fileio/filereplacer_p.h"
#include "fileio/filereplacer_posix.h"

#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace
{

const QString Files = QStringLiteral(ZEL_TEST_DATA "/settingfiles/");

// A word of a table that names nothing, or a step that lacks a part, fails the row.
[[noreturn]] void fault(const QString &what)
{
    throw std::invalid_argument(what.toStdString());
}

// Whether the file system of the saves that follow fails to flush a folder's entries. Only POSIX
// systems flush a folder; those rows ("POSIX: ...") do not run on Windows.
void failFolderFlushes([[maybe_unused]] bool fail)
{
#ifndef Q_OS_WIN
    SystemSaveCalls().flushFolder = fail ? std::function<int(int)>([](int) {
        errno = EIO;
        return -1;
    })
                                         : ::fsync;
#endif
}

bool flag(const QString &value)
{
    if (value != u"0"_s && value != u"1"_s) {
        fault(u"not 0 or 1: "_s + value);
    }
    return value == u"1"_s;
}

// Gives the answers in turn ("Yes", "No", "Cancel", a file in folder, "!" for a dialog that fails;
// none left: Cancel, or No) and notes what was asked and shown.
class ScriptedDialogs : public Dialogs
{
public:
    QString folder;
    QStringList answers;
    QStringList shown;
    QStringList initialFolders;
    QString message, detail; // of the last error

    QStringList unknownAnswers; // to a question, which the shell must not see as Cancel or No

    Answer askToSaveChanges() override { return answer(u"ask"_s, {u"Cancel"_s}); }
    bool askToSaveOverChangedFile(const QString &) override
    {
        return answer(u"changed-file"_s, {}) == Answer::Yes;
    }
    std::optional<QString> chooseFileToSave(const QString &from) override
    {
        return file(u"save"_s, from);
    }
    std::optional<QString> chooseFileToOpen(const QString &from) override
    {
        return file(u"open"_s, from);
    }
    void showError(const QString &message, const QString &detailShown) override
    {
        shown << message;
        this->message = message;
        detail = detailShown;
    }

private:
    Answer answer(const QString &question, const QStringList &besidesYesAndNo)
    {
        const QString given = next(question);
        if (!(QStringList{u""_s, u"Yes"_s, u"No"_s} + besidesYesAndNo).contains(given)) {
            unknownAnswers << given;
        }
        return given == u"Yes"_s ? Answer::Yes : given == u"No"_s ? Answer::No : Answer::Cancel;
    }
    QString next(const QString &dialog)
    {
        shown << dialog;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    std::optional<QString> file(const QString &dialog, const QString &initialFolder)
    {
        const QString answer = next(dialog);
        initialFolders << (initialFolder == folder ? u"."_s : initialFolder);
        if (answer == u"!"_s) {
            throw std::runtime_error("out of something");
        }
        return answer.isEmpty() ? std::nullopt
                                : std::optional(QDir::toNativeSeparators(folder + u'/' + answer));
    }
};

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"ZELFileGenerator"_s,
                     u"ZELFileGenerator"_s);
}

// A caption's contrast as WCAG measures it, as drawn: most of its area is background, and its
// text is what stands out most from that. An option button's circle is left out.
double drawnContrast(const QImage &grabbed, QWidget *caption)
{
    QStyleOptionButton option;
    option.initFrom(caption);
    const QRect area =
        qobject_cast<QRadioButton *>(caption)
            ? caption->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, caption)
            : caption->rect();
    const QImage drawn = grabbed.copy(area.translated(caption->mapTo(caption->window(), QPoint())));
    const auto linear = [](int c) {
        return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4);
    };
    QList<double> values; // relative luminances
    for (int i = 0; i < drawn.width() * drawn.height(); ++i) {
        const QRgb pixel = drawn.pixel(i % drawn.width(), i / drawn.width());
        values << 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
                      0.0722 * linear(qBlue(pixel));
    }
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    const double background = values[values.size() / 2];
    const auto [darkest, lightest] = std::minmax_element(values.begin(), values.end());
    const double text = background - *darkest > *lightest - background ? *darkest : *lightest;
    return (std::max(text, background) + 0.05) / (std::min(text, background) + 0.05);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void followsTheTables_data();
    void followsTheTables();

private:
    void start();
    void startWith(const QStringList &arguments);
    void drop(const QString &kind, const QString &names);
    void act(const QString &step);
    void check(const QString &name, const QString &value);
    QString realBox(const std::function<void()> &show) const;
    QHash<QString, int> labelsClearSpace() const;
    QStringList captionsThatDoNotFit(int margin, const QHash<QString, int> &english) const;
    QImage unfocusedPicture() const;
    void looksAsItsReference(const QString &name);
    template <typename T> T *child(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        return found ? found : (fault(u"no control "_s + name), nullptr);
    }

    std::optional<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_window;
    ScriptedDialogs m_dialogs;
    ApplicationShell *m_shell = nullptr;
    Settings m_edited; // before the last menu command
    bool m_settled = false;
    QList<bool> m_dropTaken; // the drag's entry, the drop
    QString m_language = u"en"_s;
    const QPalette m_desktopPalette = QApplication::palette();
};

// Files from the setting-file tests: Select with Program at 76800 baud, an Original Format file
// without RS-232C section, and a refused one. The stored flag shows the RS-232C section.
void TestWindow::init()
{
    QVERIFY(m_dir.emplace().isValid() && QDir(m_dir->path()).mkdir(u"titled"_s));
    for (const auto &[copy, file] : {std::pair{"good.zel", "rs232c-76800.zel"},
                                     {"compact.zel", "original.zel"},
                                     {"titled/titled.zel", "original.zel"},
                                     {"bad.zel", "select-slash-alone.zel"}}) {
        QFile copied(m_dir->filePath(QLatin1String(copy)));
        // A whole second, which a copy made in another's place can be given exactly.
        QVERIFY(QFile::copy(Files + QLatin1String(file), copied.fileName()) &&
                copied.open(QIODevice::Append) &&
                copied.setFileTime(QDateTime::fromSecsSinceEpoch(1'262'304'000),
                                   QFileDevice::FileModificationTime));
    }
    QApplication::setPalette(m_desktopPalette);
    failFolderFlushes(false);
    qDeleteAll(qApp->findChildren<QTranslator *>()); // which removes them
    m_language = u"en"_s;
    store().clear();
    store().setValue(u"Data/DefaultFolder"_s, u"start"_s);
    store().setValue(u"Data/BarcodeFlag"_s, u"1"_s);
    m_dialogs = {};
    m_dialogs.folder = QDir::toNativeSeparators(m_dir->path()); // as the dialogs return it
    for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        QGuiApplication::clipboard()->setText(u"x0d9:a1b2c3"_s, mode); // where there is one
    }
    start();
}

namespace
{

// Changes the file called path as another program does: touch gives it another time (not another
// size), replace puts another file with the same bytes and time in its place, delete removes it.
bool changeAsAnotherProgram(const QString &how, const QString &path)
{
    QFile file(path);
    if (how == u"delete"_s) {
        return file.remove();
    }
    const QDateTime time = how == u"touch"_s ? QDateTime::fromSecsSinceEpoch(978'307'200) // 2001
                                             : QFileInfo(path).lastModified();
    QFile changed(path);
    return (how == u"touch"_s ||
            (file.rename(path + u"~"_s) && QFile::copy(file.fileName(), path))) &&
           changed.open(QIODevice::Append) &&
           changed.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

// As the program starts: the start-up routine runs before the window shows.
void TestWindow::start()
{
    m_window = std::make_unique<frmMain>();
    m_shell = new ApplicationShell(*m_window, m_dialogs);
    m_shell->Form_Load();
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

// A new start with the arguments, named relative to the test's folder; as the program does it,
// the file named opens once the window is up.
void TestWindow::startWith(const QStringList &arguments)
{
    start();
    const QString fileToOpen = CommandLine(QStringList{u"zel"_s} + arguments).files().value(0);
    const QString current = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    if (!fileToOpen.isEmpty()) {
        m_shell->openFile(fileToOpen);
    }
    QVERIFY(QDir::setCurrent(current));
}

// Drags the names (files in the test's folder, or URLs), as URLs or as the first one's text,
// onto the window and drops them. What the drop opens waits until the drop has ended.
void TestWindow::drop(const QString &kind, const QString &names)
{
    QList<QUrl> urls;
    for (const QString &name : names.split(u',')) {
        urls << QUrl::fromLocalFile(m_dir->path() + u'/').resolved(QUrl(name));
    }
    QMimeData data;
    kind == u"droptext"_s ? data.setText(urls.first().toString()) : data.setUrls(urls);
    QDragEnterEvent enter({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
    m_dialogs.shown.clear();
    QCoreApplication::sendEvent(m_window.get(), &enter);
    QCoreApplication::sendEvent(m_window.get(), &drop);
    m_dropTaken = {enter.isAccepted(), drop.isAccepted()};
    QVERIFY2(m_dialogs.shown.isEmpty(), "asked while the drop was going on");
    QCoreApplication::sendPostedEvents(m_shell, QEvent::MetaCall);
}

void TestWindow::followsTheTables_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("checks");
    for (const QString &table : {u"window.txt"_s, u"commands.txt"_s}) {
        for (const QStringList &row : dataTable(table, 3)) {
            QTest::newRow(qPrintable(row[0]))
                << row[1].split(u' ', Qt::SkipEmptyParts) << row[2].split(u' ', Qt::SkipEmptyParts);
        }
    }
}

void TestWindow::followsTheTables()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, checks);
    if (QByteArray(QTest::currentDataTag()).startsWith("X11") &&
        !QGuiApplication::clipboard()->supportsSelection()) {
        QSKIP("no X selection on this platform");
    }
    if (QByteArray(QTest::currentDataTag()).startsWith("POSIX") &&
        QSysInfo::kernelType() == u"winnt"_s) {
        QSKIP("Windows has no call that flushes a folder's entries");
    }
    try {
        for (const QString &step : steps) {
            act(step);
        }
        if (!m_dialogs.unknownAnswers.isEmpty()) {
            fault(u"not an answer to the question: "_s + m_dialogs.unknownAnswers.join(u','));
        }
        for (const QString &expected : checks) {
            check(expected.section(u'=', 0, 0), expected.section(u'=', 1));
        }
    } catch (const std::invalid_argument &unknown) {
        QFAIL(unknown.what());
    }
}

void TestWindow::act(const QString &step)
{
    const QStringList parts = step.split(u':');
    const auto part = [&parts, &step](qsizetype index) {
        return index < parts.size() ? parts[index] : (fault(u"a part missing: "_s + step), u""_s);
    };
    const QString name = step.section(u'=', 0, 0);
    const QString value = step.section(u'=', 1);
    if (step == u"defaults"_s) {
        m_window->SetDefaultSettings();
    } else if (step == u"snapshot"_s) {
        m_shell->TakeSnapshot();
    } else if (step == u"restore"_s) {
        m_shell->RestoreSnapshot();
    } else if (step == u"restart"_s) {
        start();
    } else if (step == u"dark"_s) { // a dark desktop reaches only windows made after it
        QApplication::setPalette(QPalette(QColor(48, 48, 48)));
        start();
    } else if (part(0) == u"start"_s) {
        startWith(parts.mid(1, part(1).isEmpty() ? 0 : 1)
                      .replaceInStrings(u"LONG"_s, QString(3000, u'd')));
    } else if (part(0) == u"drop"_s || part(0) == u"droptext"_s) {
        drop(part(0), step.section(u':', 1));
    } else if (step == u"unflushed"_s) {
        failFolderFlushes(true);
    } else if (part(0) == u"touch"_s || part(0) == u"replace"_s || part(0) == u"delete"_s) {
        if (!changeAsAnotherProgram(part(0), m_dir->filePath(part(1)))) {
            fault(step);
        }
    } else if (part(0) == u"language"_s) { // as the program starts in that language
        qDeleteAll(qApp->findChildren<QTranslator *>());
        if (InstallTranslations({part(1)}) != part(1)) {
            fault(u"no translation into "_s + part(1));
        }
        m_language = part(1);
        start();
    } else if (step == u"forget"_s) {
        store().clear();
    } else if (part(0) == u"click"_s || part(0) == u"middle"_s || part(0) == u"edgeclick"_s) {
        auto *target = child<QWidget>(part(1)); // edgeclick: off an option's circle and caption
        const bool shift = parts.size() > 2;
        if (shift && part(2) != u"shift"_s) {
            fault(u"no such modifier: "_s + part(2));
        }
        QTest::mouseClick(target, part(0) == u"middle"_s ? Qt::MiddleButton : Qt::LeftButton,
                          shift ? Qt::ShiftModifier : Qt::NoModifier,
                          part(0) == u"edgeclick"_s ? QPoint(target->width() - 2, 5) : QPoint());
    } else if (part(0) == u"type"_s) {
        QTest::keyClicks(child<QWidget>(part(1)), step.section(u':', 2));
    } else if (part(0) == u"key"_s) { // to the window itself where no control is named
        const QKeyCombination key = QKeySequence(part(2))[0];
        QWidget *target = part(1).isEmpty() ? m_window.get() : child<QWidget>(part(1));
        QTest::sendKeyEvent(QTest::Click, target, key.key(),
                            part(3).isEmpty() ? QString() : QString(QChar(part(3).toInt())),
                            key.keyboardModifiers());
    } else if (part(0) == u"context"_s) {
        auto *field = child<QWidget>(part(1));
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, field->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(field, &event);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(part(2).front().unicode()));
    } else if (part(0) == u"clipboard"_s) {
        QGuiApplication::clipboard()->setText(step.section(u':', 1));
    } else if (part(0) == u"answers"_s) {
        m_dialogs.answers = part(1).split(u',');
    } else if (part(0) == u"menu"_s) {
        m_edited = m_window->settings();
        m_dialogs.shown.clear();
        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(part(1).front().unicode()));
        if (QWidget *menu = QApplication::activePopupWidget()) { // no command took the key
            menu->close();
            fault(u"no command with the access key "_s + part(1));
        }
    } else if (part(0) == u"session"_s) {
        const qsizetype asks = QStringList{u"quiet"_s, u"ask"_s}.indexOf(part(1));
        m_settled = m_shell->settleForSessionEnd(asks >= 0 ? asks : (fault(step), false));
    } else if (part(0) == u"store"_s) {
        const QString key = name.section(u':', 1);
        if (key != u"BarcodeFlag"_s && key != u"DefaultFolder"_s) {
            fault(u"no such preference: "_s + key);
        }
        store().setValue(u"Data/"_s + key, value);
    } else if (name == u"section"_s) {
        m_window->SetBarcodeSection(flag(value));
    } else if (name.startsWith(u"opt"_s)) {
        QAbstractButton *option = child<QButtonGroup>(name)->button(value.toInt());
        option ? option->setChecked(true) : fault(u"no option "_s + step);
    } else {
        auto *field = child<QLineEdit>(name);
        field->setText(QString(value).remove(u'|'));
        if (value.contains(u'|')) {
            const auto first = int(value.indexOf(u'|'));
            field->setSelection(first, std::max(0, int(value.lastIndexOf(u'|')) - first - 1));
        }
    }
}

void TestWindow::check(const QString &name, const QString &value)
{
    if (name == u"changed"_s) {
        QCOMPARE(m_shell->document().IsDataChanged(m_window->settings()), flag(value));
    } else if (name == u"picture"_s) {
        looksAsItsReference(value);
    } else if (name == u"contrast"_s) { // greyed captions read, yet stand apart from the rest
        const QImage picture = unfocusedPicture();
        const double enabled = value.section(u',', 0, 0).toDouble();
        const double greyed = value.section(u',', 1).toDouble();
        for (QWidget *caption : m_window->centralWidget()->findChildren<QWidget *>()) {
            if (qobject_cast<QLabel *>(caption) || qobject_cast<QRadioButton *>(caption)) {
                const double contrast = drawnContrast(picture, caption);
                QVERIFY2(caption->isEnabled() ? contrast >= enabled
                                              : contrast >= greyed && contrast < enabled,
                         qPrintable(caption->objectName() + u' ' + QString::number(contrast)));
            }
        }
        QCOMPARE(m_window->menuBar()->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));

    } else if (name == u"fits"_s) {
        // A translation keeps the margin, or the English text's own where that is narrower (as
        // some are where Windows' font engine draws at 150 % and 200 %).
        qDeleteAll(qApp->findChildren<QTranslator *>());
        start();
        const QHash<QString, int> english = labelsClearSpace();
        InstallTranslations({m_language});
        start();
        const QStringList faults = captionsThatDoNotFit(value.toInt(), english);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; "_s)));
    } else if (name == u"identical"_s) {
        QFile first(m_dir->filePath(value.section(u',', 0, 0))),
            second(m_dir->filePath(value.section(u',', 1)));
        QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), second.readAll());
    } else if (name == u"accepted"_s) {
        QCOMPARE(m_dropTaken, QList<bool>(2, flag(value)));
    } else if (name == u"tab"_s || name == u"right"_s) {
        // A group of options is one stop, its selected option; moving within it selects.
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() <= value.count(u',')) {
            QTest::keyClick(QApplication::focusWidget(),
                            name == u"tab"_s ? Qt::Key_Tab : Qt::Key_Right);
            auto *option = qobject_cast<QAbstractButton *>(QApplication::focusWidget());
            QVERIFY(!option || option->isChecked());
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(u','), value);
    } else if (name == u"names"_s) { // the names of the window's controls, one a line
        QStringList names;
        for (QObject *object : m_window->findChildren<QObject *>()) {
            if (!object->objectName().isEmpty() && !object->objectName().startsWith(u"qt_"_s) &&
                !qobject_cast<QStyle *>(object) && !qobject_cast<QLayout *>(object)) {
                names << object->objectName();
            }
        }
        names.sort();
        QFile file(QStringLiteral(ZEL_TEST_DATA "/") + value);
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(value));
        QCOMPARE(names.join(u'\n') + u'\n', QString::fromUtf8(file.readAll()));
    } else if (name == u"nodrops"_s) {
        for (const QString &field : value.split(u',')) {
            QVERIFY2(!child<QWidget>(field)->acceptDrops(), qPrintable(field));
        }
    } else if (name == u"menu"_s) {
        auto *menu = child<QMenu>(u"mnuFile"_s);
        QStringList items{menu->title()};
        for (const QAction *action : menu->actions()) {
            const QString keys = action->shortcut().toString();
            items << (action->isSeparator() ? u"-"_s
                      : keys.isEmpty()      ? action->text()
                                            : action->text() + u'[' + keys + u']');
        }
        QCOMPARE(items.join(u',').replace(u' ', u'_'), value);
    } else if (QStringList{u"box"_s, u"question"_s, u"changed-question"_s, u"open-dialog"_s,
                           u"save-dialog"_s}
                   .contains(name)) {
        // The real box, as a pattern.
        QVERIFY2(name != u"box"_s || !m_dialogs.message.isEmpty(),
                 qPrintable(u"no error to show in the box "_s + value));
        MessageBoxDialogs dialogs(m_window.get());
        const QString seen = realBox([&] {
            if (name == u"box"_s) {
                dialogs.showError(m_dialogs.message, m_dialogs.detail);
            } else if (name == u"question"_s) {
                dialogs.askToSaveChanges();
            } else if (name == u"open-dialog"_s) { // cancelled: no file
                QVERIFY(!dialogs.chooseFileToOpen(m_dir->path()));
            } else if (name == u"save-dialog"_s) {
                QVERIFY(!dialogs.chooseFileToSave(m_dir->path()));
            } else {
                dialogs.askToSaveOverChangedFile(m_shell->document().CurrentFileName());
            }
        });
        QStringList pieces = value.split(u'*');
        for (QString &piece : pieces) {
            piece = QRegularExpression::escape(piece);
        }
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(pieces.join(u".*")));
        QVERIFY2(pattern.match(seen).hasMatch(),
                 qPrintable(u"the box shows "_s + seen + u", not "_s + value));
    } else if (name == u"rules"_s) { // RATIO:ROWS/HEADINGS device pixel rows of each rule
        for (const QString &scale : value.split(u',')) {
            const double ratio = scale.section(u':', 0, 0).toDouble();
            QPixmap pixmap(m_window->size() * ratio);
            pixmap.setDevicePixelRatio(ratio);
            m_window->render(&pixmap);
            const QImage drawn = pixmap.toImage();
            for (QWidget *rule :
                 m_window->findChildren<QWidget *>(QRegularExpression(u"^Line"_s))) {
                const QPoint middle =
                    rule->mapTo(m_window.get(), QPoint(rule->width() / 2, 0)) * ratio;
                int rows = 0; // where a stretch of the middle is dark throughout, as no text is
                for (int y = middle.y() - 2; y < middle.y() + 4 * ratio; ++y) {
                    int x = middle.x() - 8;
                    while (x <= middle.x() + 8 && qGray(drawn.pixel(x, y)) < 100) {
                        ++x;
                    }
                    rows += x > middle.x() + 8;
                }
                const int heading = rule->parentWidget() == m_window->centralWidget();
                const int expected = scale.section(u':', 1).section(u'/', heading, heading).toInt();
                QVERIFY2(
                    !rule->isVisible() || rows == expected,
                    qPrintable(u"%1 at %2: %3 rows"_s.arg(rule->objectName(), scale).arg(rows)));
            }
        }
    } else if (name == u"clipboard"_s) {
        QCOMPARE(QGuiApplication::clipboard()->text(), value);
    } else if (name == u"shown"_s) {
        QCOMPARE(m_dialogs.shown.join(u',').replace(u' ', u'_'), value);
    } else if (name == u"file"_s) { // the title names the document
        QCOMPARE(m_shell->document().CurrentFileName(),
                 value.isEmpty() ? value : QDir::toNativeSeparators(m_dir->filePath(value)));
        const QString title = u"VX613 ZEL File Generator   V1.02"_s;
        QCOMPARE(m_window->windowTitle(),
                 value.isEmpty() ? title : title + u" - "_s + value.section(u'/', -1));
    } else if (name == u"open"_s) {
        QCOMPARE(m_window->isVisible(), flag(value));
    } else if (name == u"flag"_s) {
        QCOMPARE(m_shell->document().BarcodeFlag(), value);
    } else if (name == u"folder"_s) {
        const QString folder = m_shell->DefaultFolder();
        QCOMPARE(folder == m_dialogs.folder ? u"."_s : folder, value);
    } else if (name == u"stored"_s) { // the flag and the folder
        const QString folder = store().value(u"Data/DefaultFolder"_s).toString();
        QCOMPARE(store().value(u"Data/BarcodeFlag"_s).toString() + u',' +
                     (folder == m_dialogs.folder ? u"."_s : folder),
                 value);
    } else if (name == u"folders"_s) {
        QCOMPARE(m_dialogs.initialFolders.join(u','), value);
    } else if (name == u"settled"_s) {
        QCOMPARE(m_settled, flag(value));
    } else if (name == u"saved"_s) { // the settings when the command was given
        SettingFileContent content;
        QVERIFY(!ReadSettingFile(m_dir->filePath(value), content));
        Settings saved = m_edited;
        content.applyTo(saved);
        QCOMPARE(saved, m_edited);
    } else if (name.startsWith(u"opt"_s)) {
        QCOMPARE(child<QButtonGroup>(name)->checkedId(), value.toInt());
    } else {
        QCOMPARE(child<QLineEdit>(name)->text(), value);
    }
}

// Unfocused, so that no caret blinks in it.
// The box that show() puts up, closed at once: its texts, "(details)" where it has some, and
// what is wrong with its size. "_" stands for a blank, "|" for a line break, "." for the folder.
QString TestWindow::realBox(const std::function<void()> &show) const
{
    QString seen = u"no box"_s;
    QTimer::singleShot(0, m_window.get(), [&seen] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            seen = (QStringList{dialog->windowTitle()} + dialog->nameFilters()).join(u'\n');
            dialog->reject();
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        QStringList parts{box->text(), box->informativeText()};
        if (!box->detailedText().isEmpty()) {
            parts << u"(details)"_s;
        }
        const QSize size = box->frameGeometry().size();
        if (size.boundedTo(box->screen()->availableGeometry().size()) != size) {
            parts << u"(larger than the screen)"_s;
        }
        if (box->width() < MessageBoxDialogs::titleBarWidth(box->windowTitle())) {
            parts << u"(narrower than its title bar)"_s;
        }
        seen = parts.join(u'\n');
        box->close();
    });
    show();
    return QDir::fromNativeSeparators(seen)
        .replace(m_dir->path(), u"."_s)
        .replace(u'\n', u'|')
        .replace(u' ', u'_');
}

namespace
{

// The text as the font of where draws it, on one line; false where a glyph is missing.
bool drawn(QWidget *where, QString text, QTextLine &line, QTextLayout &layout)
{
    layout.setText(text.remove(u'&'));
    layout.setFont(where->font());
    layout.beginLayout();
    line = layout.createLine();
    layout.endLayout();
    return std::ranges::none_of(
        layout.glyphRuns(), [](const QGlyphRun &run) { return run.glyphIndexes().contains(0); });
}

// How wide the label's room is: up to the next control in its row, or the row's edge.
int roomOf(QLabel *label)
{
    QWidget *row = label->parentWidget();
    int right = label->x();
    while (right < row->width() && QList<QWidget *>{nullptr, label}.contains(
                                       row->childAt(right, label->geometry().center().y()))) {
        ++right;
    }
    return right - label->x();
}

} // namespace

// How far each label's text stays clear of its room's end, by the label's name.
QHash<QString, int> TestWindow::labelsClearSpace() const
{
    QHash<QString, int> space;
    for (QLabel *label : m_window->centralWidget()->findChildren<QLabel *>()) {
        QTextLayout layout;
        QTextLine line;
        drawn(label, label->text(), line, layout);
        space.insert(label->objectName(), roomOf(label) - int(std::ceil(line.naturalTextWidth())));
    }
    return space;
}

// Each caption's text, as its font draws it, beside an option's circle within the button, and
// a label's margin pixels (or as many as english leaves) clear of the next control in its row
// or the edge; every glyph of the captions and the menu's texts in a font.
QStringList TestWindow::captionsThatDoNotFit(int margin, const QHash<QString, int> &english) const
{
    QStringList faults;
    const auto measure = [&faults](QWidget *where, const QString &text, QSize room) {
        QTextLayout layout;
        QTextLine line;
        const bool glyphs = drawn(where, text, line, layout);
        if (!glyphs || line.naturalTextWidth() > room.width() || line.height() > room.height()) {
            QDebug(&faults.emplace_back())
                << where->objectName() << layout.text() << line.naturalTextWidth() << line.height()
                << room << (glyphs ? "" : "no glyph");
        }
    };
    for (QWidget *caption : m_window->centralWidget()->findChildren<QWidget *>()) {
        QStyleOptionButton style;
        style.initFrom(caption);
        if (auto *option = qobject_cast<QRadioButton *>(caption)) {
            measure(option, option->text(),
                    option->style()
                        ->subElementRect(QStyle::SE_RadioButtonContents, &style, option)
                        .size());
        } else if (auto *label = qobject_cast<QLabel *>(caption)) {
            const int kept = std::clamp(english.value(label->objectName()), 0, margin);
            measure(label, label->text(), {roomOf(label) - kept, label->height()});
        }
    }
    // Menus are as wide as their items.
    for (QAction *command :
         m_window->menuBar()->actions() + child<QMenu>(u"mnuFile"_s)->actions()) {
        measure(m_window->menuBar(), command->text(), {INT_MAX, INT_MAX});
    }
    return faults;
}

QImage TestWindow::unfocusedPicture() const
{
    if (QApplication::focusWidget()) {
        QApplication::focusWidget()->clearFocus();
    }
    return m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// With Fusion and the Liberation fonts at 100 %. A difference leaves the picture in the
// working folder and says how many pixels differ; ZEL_UPDATE_REFERENCES=1 takes it.
void TestWindow::looksAsItsReference(const QString &name)
{
    if (QSysInfo::kernelType() == u"winnt"_s) { // the window under Wine: scripts/test-windows.sh
        qInfo("picture %s not compared: Windows' offscreen platform hints the fonts its own way, "
              "and under Wine its grabs show option buttons as they were before",
              qPrintable(name));
        return;
    }
    const QImage actual = unfocusedPicture();
    const QString reference = QStringLiteral(ZEL_TEST_DATA "/window-%1.png").arg(name);
    if (qEnvironmentVariableIsSet("ZEL_UPDATE_REFERENCES")) {
        actual.save(reference);
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    qsizetype differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            differing += !expected.valid(x, y) || actual.pixel(x, y) != expected.pixel(x, y);
        }
    }
    if (differing > 0 || actual.size() != expected.size()) {
        actual.save(QFileInfo(reference).fileName());
        QFAIL(qPrintable(u"%1 pixels differ from %2; the picture is in %3"_s.arg(differing).arg(
            reference, QDir::currentPath())));
    }
}

int main(int argc, char *argv[])
{
    QApplication::setStyle(u"Fusion"_s);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(u"Liberation Sans"_s, 9));
    QFont::insertSubstitution(u"Arial"_s, u"Liberation Sans"_s); // as fontconfig has it on Linux
    TestWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
