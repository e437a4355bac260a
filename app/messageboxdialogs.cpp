#include "app/messageboxdialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace {

const QString BoxTitle = QStringLiteral("ZEL File Generator");

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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

Dialogs::Answer MessageBoxDialogs::askToSaveChanges()
{
    QMessageBox box(QMessageBox::NoIcon, BoxTitle,
                    QStringLiteral("Data is changed.\nSave this data?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> MessageBoxDialogs::chooseFileToSave(const QString &initialFolder)
{
    return chooseFile(m_parent, QStringLiteral("Save ZEL File"), initialFolder,
                      QStringLiteral("ZEL File (*.zel)"), QFileDialog::AcceptSave);
}

std::optional<QString> MessageBoxDialogs::chooseFileToOpen(const QString &initialFolder)
{
    return chooseFile(m_parent, QStringLiteral("Load ZEL File"), initialFolder,
                      QStringLiteral("ZEL File (*.ZEL)"), QFileDialog::AcceptOpen);
}

void MessageBoxDialogs::showError(const QString &message, const QString &detail)
{
    QMessageBox box(QMessageBox::Critical, BoxTitle, message, QMessageBox::Ok, m_parent);
    box.setInformativeText(detail);
    box.exec();
}
