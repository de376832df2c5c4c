// The prompt interface answered by the user through Qt's message boxes and file dialog.
#pragma once

#include "document/prompt.h"

class QWidget;

namespace mapwright {

class CQtPrompt : public CPrompt {
public:
    explicit CQtPrompt(QWidget* parent = nullptr) : m_pParent(parent) {}

    void MessageBox(const std::string& text, const std::string& caption = {}) override;
    bool AskYesNo(const std::string& text) override;
    // A message as MessageBox shows it, with details (which file, and why) under a button.
    void ShowDetailedMessage(const std::string& text, const std::string& details) override;
    bool ChooseImageFile(const std::string& initialPath, std::string& chosenPath) override;

private:
    QWidget* m_pParent;
};

}  // namespace mapwright
