// The document manager's questions answered from queues the test fills, every question recorded.
#pragma once

#include "shell/fileprompt.h"

#include <deque>

namespace mapwright {

class CScriptedFilePrompt : public CFilePrompt {
public:
    // Pops the next answer; with none left counts the question and cancels.
    ESaveAnswer AskSaveChanges(const QString& name) override
    {
        m_saveQuestions << name;
        if (m_saveAnswers.empty()) {
            ++m_nUnscripted;
            return ESaveAnswer::kCancel;
        }
        const ESaveAnswer answer = m_saveAnswers.front();
        m_saveAnswers.pop_front();
        return answer;
    }

    // Pops the next path (empty is Cancel); with none left counts the dialog and cancels.
    QString ChooseSavePath(const QString& initialPath) override
    {
        m_saveDialogPaths << initialPath;
        if (m_savePaths.empty()) {
            ++m_nUnscripted;
            return {};
        }
        const QString path = m_savePaths.front();
        m_savePaths.pop_front();
        return path;
    }

    QStringList ChooseOpenPaths() override
    {
        ++m_nOpenDialogs;
        return m_openPaths;
    }

    void TellReadOnly(const QString& name) override { m_readOnlyMessages << name; }

    // Pops the next answer; with none left counts the question and says No.
    bool AskReplaceReadOnly(const QString& name) override
    {
        m_replaceQuestions << name;
        if (m_replaceAnswers.empty()) {
            ++m_nUnscripted;
            return false;
        }
        const bool answer = m_replaceAnswers.front();
        m_replaceAnswers.pop_front();
        return answer;
    }

    std::deque<ESaveAnswer> m_saveAnswers;
    std::deque<bool> m_replaceAnswers;
    std::deque<QString> m_savePaths;
    QStringList m_openPaths;       // what every open dialog returns
    QStringList m_saveQuestions;   // names asked about, in order
    QStringList m_saveDialogPaths; // initial paths of the save dialogs, in order
    QStringList m_readOnlyMessages; // files said to be read-only, in order
    QStringList m_replaceQuestions; // read-only files asked about replacing, in order
    int m_nOpenDialogs = 0;
    int m_nUnscripted = 0;
};

}  // namespace mapwright
