#include "integration/editorbridge.h"

#include "document/mapdocument.h"
#include "document/prompt.h"
#include "platform/localchannel.h"
#include "platform/privatetempfile.h"
#include "platform/tempfolder.h"

#include <QByteArray>

#include <cstdio>
#include <ctime>

namespace mapwright {

namespace {

// Pagewright answers at once when it runs; a longer wait would only freeze the editor.
constexpr int kConnectTimeoutMs = 1000;
constexpr int kSendTimeoutMs = 1000;

// The command id that tells Pagewright to take an exchange file.
constexpr int kPasteCommand = 55555;

const char kNoEditorMessage[] = "You should open a document in Pagewright to use this command.";

CLocalChannel& EditorChannel()
{
    static CLocalChannel channel(QString::fromLatin1(CEditorBridge::kEditorServerName));
    return channel;
}

// The low 16 bits of the time plus the use counter, counted up first.
std::int32_t NextExchangeNumber()
{
    const auto seconds = static_cast<std::uint64_t>(std::time(nullptr));
    return static_cast<std::int32_t>(seconds & 0xFFFF) + ++CEditorBridge::s_nBridgeCounter;
}

bool WriteExchangeFile(const std::string& path, const std::string& bytes)
{
    CPrivateTempFile file;
    if (!file.Create(path))
        return false;
    if (file.Write(bytes) && file.Close())
        return true;
    std::remove(path.c_str());
    return false;
}

}  // namespace

CLocalChannel* CEditorBridge::FindEditorWindow()
{
    CLocalChannel& channel = EditorChannel();
    return channel.Connect(kConnectTimeoutMs) ? &channel : nullptr;
}

std::string CEditorBridge::ExchangeFileName(const std::string& folder, std::int32_t k)
{
    return folder + "~MWTMPF_N" + std::to_string(k) + ".tmp";
}

void CEditorBridge::OnPasteToEditor(CMapDocument& doc, CPrompt& prompt)
{
    CLocalChannel* editor = FindEditorWindow();
    if (!editor) {
        prompt.MessageBox(kNoEditorMessage);
        return;
    }
    const std::int32_t k = NextExchangeNumber();
    const std::string folder = TempFolder();
    const std::string path = ExchangeFileName(folder, k);
    if (folder.empty() || !WriteExchangeFile(path, doc.SerializeStore())) {
        prompt.MessageBox("Can't create temporary file");
        return;
    }
    char message[32];
    std::snprintf(message, sizeof message, "%d %d\n", kPasteCommand, k);
    if (!editor->Send(QByteArray(message), kSendTimeoutMs)) {
        // Pagewright went away or stopped reading: it will never take the file.
        std::remove(path.c_str());
        prompt.MessageBox(kNoEditorMessage);
    }
}

}  // namespace mapwright
