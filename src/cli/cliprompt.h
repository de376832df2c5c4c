// The prompt of mapwright-cli: messages and questions go to standard error; a question is
// answered Yes only where the command line asked for it.
#pragma once

#include "document/prompt.h"

#include <optional>
#include <string>

namespace mapwright {

class CCliPrompt : public CPrompt {
public:
    void MessageBox(const std::string& text, const std::string& caption = {}) override;
    bool AskYesNo(const std::string& text) override;
    bool ChooseImageFile(const std::string& initialPath, std::string& chosenPath) override;

    // The file that answers the "not found" question with Yes; none answers No.
    std::optional<std::string> m_strBrowseImage;
    // Whether the questions of saving are answered Yes.
    bool m_bYesWhenSaving = false;
    // True while a page is being saved.
    bool m_bSaving = false;
};

}  // namespace mapwright
