// A prompt for tests: records every message, question and dialog, and answers questions and
// image dialogs from queues filled by the test. Needs no test framework, so GUI tests can use it.
#pragma once

#include "document/prompt.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace mapwright {

class CScriptedPrompt : public CPrompt {
public:
    struct CMessage {
        std::string text;
        std::string caption;
        bool operator==(const CMessage&) const = default;
    };

    void MessageBox(const std::string& text, const std::string& caption = {}) override
    {
        m_messages.push_back({text, caption});
    }

    // Pops the next scripted answer; with none left counts the question as unscripted and says No.
    bool AskYesNo(const std::string& text) override
    {
        m_questions.push_back(text);
        if (m_answers.empty()) {
            ++m_nUnscripted;
            return false;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // Pops the next scripted file (nullopt is Cancel); with none left counts it and cancels.
    bool ChooseImageFile(const std::string& initialPath, std::string& chosenPath) override
    {
        m_dialogPaths.push_back(initialPath);
        if (m_files.empty()) {
            ++m_nUnscripted;
            return false;
        }
        const std::optional<std::string> file = m_files.front();
        m_files.pop_front();
        if (!file)
            return false;
        chosenPath = *file;
        return true;
    }

    // Records each change of the wait cursor, so a test can see it was shown and ended.
    void SetBusy(bool busy) override { m_busy.push_back(busy); }

    void AnswerYes() { m_answers.push_back(true); }
    void AnswerNo() { m_answers.push_back(false); }
    void ChooseFile(const std::string& path) { m_files.emplace_back(path); }
    void CancelDialog() { m_files.emplace_back(std::nullopt); }

    // True when every scripted answer was used and nothing was asked without one.
    bool AllScriptUsed() const { return m_answers.empty() && m_files.empty() && m_nUnscripted == 0; }

    std::vector<CMessage> m_messages;
    std::vector<std::string> m_questions;    // texts of AskYesNo, in order
    std::vector<std::string> m_dialogPaths;  // initial paths of ChooseImageFile, in order
    std::deque<bool> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::vector<bool> m_busy;  // SetBusy calls, in order
    int m_nUnscripted = 0;  // questions and dialogs that found no scripted answer
};

}  // namespace mapwright
