#include "shell/dialog_service.h"

#include <QApplication>
#include <QDir>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>
#include <QMessageBox>
#include <QStringList>

namespace qx {

QString qtFilter(const QString& filter)
{
    auto parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters.join(";;");
}

namespace {

// Message texts separate their lines with a carriage return.
QString shown(const QString& text)
{
    return QString(text).replace('\r', '\n');
}

}

void QtDialogService::error(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), shown(text));
}

void QtDialogService::information(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), shown(text));
}

DialogService::Answer QtDialogService::confirm(const QString& text, bool withCancel)
{
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    auto answer = QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), shown(text), buttons);
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}

DialogService::SaveAnswer QtDialogService::askToSave(const QString& text)
{
    auto buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    auto answer = QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(), shown(text),
                                        buttons, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return SaveAnswer::Save;
    return answer == QMessageBox::Discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

// Paths come back as the system writes them ("C:\\Games" on Windows), since
// the settings window and the messages show them.
QString QtDialogService::chosen(const QString& path, bool isFolder)
{
    if (!path.isEmpty())
        startFolder_ = isFolder ? path : QFileInfo(path).absolutePath();
    return QDir::toNativeSeparators(path);
}

QString QtDialogService::openFile(const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), startFolder_, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return chosen(dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString(), false);
}

QString QtDialogService::saveFile(const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), startFolder_, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return chosen(dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString(), false);
}

QString QtDialogService::browseFolder(const QString& title)
{
    auto start = startFolder_.isEmpty() ? QDir::homePath() : startFolder_;
    return chosen(QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start, QFileDialog::ShowDirsOnly),
                  true);
}

namespace {

// Takes a typed name of a folder that does not exist yet (and makes it),
// and stays open with a message for a folder refused.
class NewFolderDialog : public QFileDialog {
public:
    NewFolderDialog(const QString& title, const QString& start, DialogService::FolderRefusal refusal)
        : QFileDialog(QApplication::activeWindow(), title, start), refusal_(std::move(refusal))
    {
        setFileMode(QFileDialog::Directory);
        setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    }

    void accept() override
    {
        auto folder = selectedFiles().value(0);
        if (folder.isEmpty())
            return;
        if (auto why = refusal_(QDir::toNativeSeparators(folder)); !why.isEmpty()) {
            QMessageBox::warning(this, QApplication::applicationName(), why);
            return;
        }
        if (!QFileInfo(folder).exists() && !QDir().mkpath(folder)) {
            QMessageBox::warning(this, QApplication::applicationName(),
                                 "The folder " + QDir::toNativeSeparators(folder) + " cannot be made.");
            return;
        }
        QFileDialog::accept();
    }

private:
    DialogService::FolderRefusal refusal_;
};

}

QString QtDialogService::newFolder(const QString& title, const FolderRefusal& refusal)
{
    NewFolderDialog dialog(title, startFolder_.isEmpty() ? QDir::homePath() : startFolder_, refusal);
    return chosen(dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString(), true);
}

bool QtDialogService::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}
