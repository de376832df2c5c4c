#include "integration/copymap.h"

#include "document/mapdocument.h"
#include "html/maplines.h"
#include "platform/bytecodec.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>

namespace mapwright {

void OnCopyMap(const CMapDocument& document, QPlainTextEdit* textPane)
{
    // Built from the lines rather than copied out of the pane: the pane's own copy would end the
    // lines with LF alone, and selecting all in it would move the user's caret.
    const std::string page = JoinLines(document.Lines());
    QApplication::clipboard()->setText(DecodeBytes(page, DetectCodec(document.Lines())));
    if (textPane)
        textPane->ensureCursorVisible();
}

}  // namespace mapwright
