// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "app/messageboxdialogs.h"

#include "model/pathhelpers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace
{

// A message box is made only as wide as its texts and buttons need, which can be narrower than
// the title bar or a line that should not wrap; a spacer across the box's grid widens it.
void widen(QMessageBox &box, int width)
{
    width = std::max(width, MessageBoxDialogs::titleBarWidth(box.windowTitle()));
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
    }
}

// The first line, the file's name, shortened in its middle where it is wider than widest, which
// keeps where a path starts and the name it ends with: wrapped, a path of thousands of
// characters would need more lines than the screen has room for. The reason under it wraps,
// as every word of it counts.
QString shortenName(const QString &text, const QFontMetrics &metrics, int widest)
{
    QStringList lines = text.split(u'\n');
    lines.first() = metrics.elidedText(lines.first(), Qt::ElideMiddle, widest);
    return lines.join(u'\n');
}

// Puts detail under the box's message: a file's name on its first line, shortened where too wide
// (the whole text then in the details), and the reason, if any, under it.
void setDetail(QMessageBox &box, const QString &detail)
{
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int widest = std::min(box.screen()->availableGeometry().width() / 2, 600);
    box.setInformativeText(shortenName(detail, QFontMetrics(box.font()), widest));
    int width = 0;
    if (box.informativeText() != detail) {
        // The whole text where it can be selected and copied, and the shortened name unwrapped
        // beside the icon.
        box.setDetailedText(detail);
        width = widest + 2 * box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    }
    widen(box, width);
}

std::optional<QString> chooseFile(QWidget *parent, const QString &title, const QString &folder,
                                  const QString &description, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    // The type list shows the description as given (the pattern's own "(...)" stays hidden);
    // the dialog lists the files that match *.zel.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(description + QStringLiteral(" (*.zel)"));
    // Windows' own save dialog adds the filter's extension to a name typed without one; Qt's
    // saves under the name as typed, as on every other system.
    if (mode == QFileDialog::AcceptSave && QGuiApplication::platformName() == u"windows") {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

QString MessageBoxDialogs::boxTitle()
{
    //: The program's name, the title of its message boxes.
    return tr("ZEL File Generator");
}

int MessageBoxDialogs::titleBarWidth(const QString &title)
{
    // Room for the icon and the three buttons, about as wide as Windows draws them.
    constexpr int IconAndButtonsWidth = 180;
    return QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title) +
           IconAndButtonsWidth;
}

Dialogs::Answer MessageBoxDialogs::askToSaveChanges()
{
    QMessageBox box(QMessageBox::NoIcon, boxTitle(), tr("Data is changed.\nSave this data?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    widen(box, 0);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

// No saves over it unless asked otherwise: the other program's content is lost by a Yes.
bool MessageBoxDialogs::askToSaveOverChangedFile(const QString &path)
{
    QMessageBox box(QMessageBox::Warning, boxTitle(),
                    //: Asked before a save over the file named under it.
                    tr("The file has been changed by another program since it was opened or last "
                       "saved.\nSave over it?"),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setDefaultButton(QMessageBox::No);
    setDetail(box, PrintableFileName(QDir::toNativeSeparators(path)));
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxDialogs::chooseFileToSave(const QString &initialFolder)
{
    return chooseFile(m_parent, tr("Save ZEL File"), initialFolder,
                      //: The file type in the save dialog's list of types.
                      tr("ZEL File (*.zel)"), QFileDialog::AcceptSave);
}

std::optional<QString> MessageBoxDialogs::chooseFileToOpen(const QString &initialFolder)
{
    return chooseFile(m_parent, tr("Load ZEL File"), initialFolder,
                      //: The file type in the open dialog's list of types; the open dialog spells
                      //: the extension in capitals.
                      tr("ZEL File (*.ZEL)"), QFileDialog::AcceptOpen);
}

void MessageBoxDialogs::showError(const QString &message, const QString &detail)
{
    QMessageBox box(QMessageBox::Critical, boxTitle(), message, QMessageBox::Ok, m_parent);
    setDetail(box, detail);
    box.exec();
}
