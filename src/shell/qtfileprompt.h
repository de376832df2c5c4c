// The document manager's questions as Qt message boxes and file dialogs.
#pragma once

#include "shell/fileprompt.h"

class QWidget;

namespace mapwright {

class CQtFilePrompt : public CFilePrompt {
public:
    explicit CQtFilePrompt(QWidget* parent) : m_pParent(parent) {}

    ESaveAnswer AskSaveChanges(const QString& name) override;
    QString ChooseSavePath(const QString& initialPath) override;
    QStringList ChooseOpenPaths() override;
    void TellReadOnly(const QString& name) override;
    bool AskReplaceReadOnly(const QString& name) override;

private:
    QWidget* m_pParent;
};

}  // namespace mapwright
