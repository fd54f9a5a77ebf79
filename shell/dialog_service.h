#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qx {

// Every message box, file dialog and folder browser of the program goes
// through here, so that tests can answer them and read their texts.
class DialogService {
public:
    enum class Answer { Yes, No, Cancel };
    enum class SaveAnswer { Save, Discard, Cancel };

    virtual ~DialogService() = default;
    virtual void error(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual Answer confirm(const QString& text, bool withCancel) = 0;
    // The question before unsaved work would be replaced or closed.
    virtual SaveAnswer askToSave(const QString& text) = 0;
    // Filters are written "Description|*.ext|Description|*.*"; an empty
    // result means the user cancelled.
    virtual QString openFile(const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString saveFile(const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString browseFolder(const QString& title) = 0;
    // A folder to write into, typed new (then made) or chosen; while refusal
    // gives a reason for the one chosen, the reason is shown and the dialog
    // stays open.
    using FolderRefusal = std::function<QString(const QString& folder)>;
    virtual QString newFolder(const QString& title, const FolderRefusal& refusal) = 0;
    // Opens a document in the desktop's program for it; false when none did.
    virtual bool openDocument(const QString& path) = 0;
    // The folder the file dialogs start in until the player picks another.
    virtual void startIn(const QString& folder) { (void)folder; }
};

class QtDialogService : public DialogService {
public:
    void error(const QString& text) override;
    void information(const QString& text) override;
    Answer confirm(const QString& text, bool withCancel) override;
    SaveAnswer askToSave(const QString& text) override;
    QString openFile(const QString& filter, const QString& defaultSuffix) override;
    QString saveFile(const QString& filter, const QString& defaultSuffix) override;
    QString browseFolder(const QString& title) override;
    QString newFolder(const QString& title, const FolderRefusal& refusal) override;
    bool openDocument(const QString& path) override;
    void startIn(const QString& folder) override { startFolder_ = folder; }

private:
    // The folder of the last file or folder chosen.
    QString chosen(const QString& path, bool isFolder);

    QString startFolder_;
};

// Qt's form of a "Description|pattern|..." filter.
QString qtFilter(const QString& filter);

}
