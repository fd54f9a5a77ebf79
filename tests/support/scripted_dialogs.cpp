#include "support/scripted_dialogs.h"

namespace qx::test {

void ScriptedDialogs::error(const QString& text)
{
    log << "error: " + text;
}

void ScriptedDialogs::information(const QString& text)
{
    log << "information: " + text;
}

DialogService::Answer ScriptedDialogs::confirm(const QString& text, bool withCancel)
{
    log << "question: " + text + (withCancel ? " [Yes/No/Cancel]" : " [Yes/No]");
    if (answers.empty())
        return Answer::No;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

DialogService::SaveAnswer ScriptedDialogs::askToSave(const QString& text)
{
    log << "question: " + text + " [Save/Discard/Cancel]";
    if (saveAnswers.empty())
        return SaveAnswer::Discard;
    auto answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::takeFile()
{
    if (files.empty())
        return {};
    auto file = files.front();
    files.pop_front();
    return file;
}

QString ScriptedDialogs::openFile(const QString& filter, const QString& defaultSuffix)
{
    log << "open: " + filter + " (" + defaultSuffix + ")";
    return takeFile();
}

QString ScriptedDialogs::saveFile(const QString& filter, const QString& defaultSuffix)
{
    log << "save: " + filter + " (" + defaultSuffix + ")";
    return takeFile();
}

QString ScriptedDialogs::browseFolder(const QString& title)
{
    log << "browse: " + title;
    return takeFile();
}

QString ScriptedDialogs::newFolder(const QString& title, const FolderRefusal& refusal)
{
    log << "browse: " + title;
    for (auto folder = takeFile(); !folder.isEmpty(); folder = takeFile()) {
        auto why = refusal(folder);
        if (why.isEmpty())
            return folder;
        log << "error: " + why;
    }
    return {};
}

bool ScriptedDialogs::openDocument(const QString& path)
{
    log << "document: " + path;
    return documentsOpen;
}

}
