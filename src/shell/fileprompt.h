// What the document manager asks the user beyond the document's own messages: whether to save
// changes, and the file dialogs. The editor answers with Qt dialogs, tests with scripted answers.
#pragma once

#include <QString>
#include <QStringList>

namespace mapwright {

class CFilePrompt {
public:
    enum class ESaveAnswer { kYes, kNo, kCancel };

    virtual ~CFilePrompt() = default;

    // "Save changes to name?" with Yes, No and Cancel.
    virtual ESaveAnswer AskSaveChanges(const QString& name) = 0;
    // The save dialog starting at initialPath; empty on Cancel.
    virtual QString ChooseSavePath(const QString& initialPath) = 0;
    // The open dialog, several files at once; empty on Cancel.
    virtual QStringList ChooseOpenPaths() = 0;
    // "name is read-only." with OK, before the save dialog offers another name.
    virtual void TellReadOnly(const QString& name) = 0;
    // "name is read-only." asking whether to replace it all the same; true for Yes.
    virtual bool AskReplaceReadOnly(const QString& name) = 0;
};

}  // namespace mapwright
