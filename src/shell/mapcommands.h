// The Map menu's picture commands: Replace Picture, Scale Map, Export SVG Overlay and Copy SVG
// Overlay, on the active document.
#pragma once

#include <QString>

class QWidget;

namespace mapwright {

class CMapDocument;
class CPrompt;

// What the user typed into the Scale Map dialog.
struct CScaleAnswer {
    QString text;               // "150 %" or "800 x 600"
    bool bSelectedOnly = false;
};

// The dialogs of the Map menu beyond the document's prompt; tests answer them from a script.
class CMapDialogs {
public:
    virtual ~CMapDialogs() = default;
    // Asks for the scale; canSelect offers "Selected areas only". False on Cancel.
    virtual bool AskScale(bool canSelect, CScaleAnswer& answer) = 0;
    // The save dialog for an SVG file, starting at initialPath; empty on Cancel.
    virtual QString ChooseSvgPath(const QString& initialPath) = 0;
};

// The dialogs as Qt shows them over parent.
class CQtMapDialogs : public CMapDialogs {
public:
    explicit CQtMapDialogs(QWidget* parent) : m_pParent(parent) {}
    bool AskScale(bool canSelect, CScaleAnswer& answer) override;
    QString ChooseSvgPath(const QString& initialPath) override;

private:
    QWidget* m_pParent;
};

// Picks a picture in the open-image dialog and puts it in place of the document's.
void OnReplacePicture(CMapDocument& doc, CPrompt& prompt);
// Asks for a scale and scales the areas; a scale out of range is refused with a message.
void OnScaleMap(CMapDocument& doc, CPrompt& prompt, CMapDialogs& dialogs);
// Asks where to save, then writes the overlay there.
void OnExportSvgOverlay(CMapDocument& doc, CPrompt& prompt, CMapDialogs& dialogs);
// Puts the overlay, without its XML prologue, on the clipboard as text.
void OnCopySvgOverlay(const CMapDocument& doc);

}  // namespace mapwright
