#pragma once

#include "shell/dialog_service.h"

#include <QStringList>

#include <deque>

namespace qx::test {

// Answers dialogs from prepared queues and records every text shown, as
// "error: …", "information: …", "question: …", "open: …", "save: …",
// "browse: …". An empty queue answers No (Discard for a question about
// unsaved changes), or cancels a file dialog.
class ScriptedDialogs : public DialogService {
public:
    void error(const QString& text) override;
    void information(const QString& text) override;
    Answer confirm(const QString& text, bool withCancel) override;
    SaveAnswer askToSave(const QString& text) override;
    QString openFile(const QString& filter, const QString& defaultSuffix) override;
    QString saveFile(const QString& filter, const QString& defaultSuffix) override;
    QString browseFolder(const QString& title) override;
    // Logs "browse: TITLE" once; a refused answer is logged as an error and
    // the next answer taken, as the dialog stays open.
    QString newFolder(const QString& title, const FolderRefusal& refusal) override;
    // Logs "document: PATH" and answers documentsOpen.
    bool openDocument(const QString& path) override;
    void startIn(const QString& folder) override { startFolder = folder; }

    QString takeFile();

    QStringList log;
    std::deque<Answer> answers;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<QString> files;
    bool documentsOpen = true;
    QString startFolder;
};

}
