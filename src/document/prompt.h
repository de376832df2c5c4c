// What the core needs from the user: a message, a Yes/No question and the image dialog. The GUI
// answers with real dialogs, the tests and the command-line companion with scripted answers.
#pragma once

#include <string>

namespace mapwright {

class CPrompt {
public:
    virtual ~CPrompt() = default;

    // Shows text with an OK button; caption empty means the program's name.
    virtual void MessageBox(const std::string& text, const std::string& caption = {}) = 0;

    // Shows text with details (a file's name and why it failed) the user may unfold; by default
    // the text alone.
    virtual void ShowDetailedMessage(const std::string& text, const std::string& /*details*/) { MessageBox(text); }

    // Asks text with Yes and No buttons; returns true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;

    // Shows the image dialog starting at initialPath; returns false on Cancel, else sets chosenPath.
    virtual bool ChooseImageFile(const std::string& initialPath, std::string& chosenPath) = 0;

    // Shows (true) or ends (false) the wait cursor around a long operation.
    virtual void SetBusy(bool /*busy*/) {}
};

}  // namespace mapwright
