#include "cli/cliprompt.h"

#include <cstdio>

namespace mapwright {

void CCliPrompt::MessageBox(const std::string& text, const std::string& /*caption*/)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool CCliPrompt::AskYesNo(const std::string& text)
{
    const bool yes = m_bSaving ? m_bYesWhenSaving : m_strBrowseImage.has_value();
    std::fprintf(stderr, "%s %s\n", text.c_str(), yes ? "Yes" : "No");
    return yes;
}

bool CCliPrompt::ChooseImageFile(const std::string& /*initialPath*/, std::string& chosenPath)
{
    if (!m_strBrowseImage)
        return false;
    chosenPath = *m_strBrowseImage;
    return true;
}

}  // namespace mapwright
