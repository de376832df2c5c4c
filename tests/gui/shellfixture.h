// Pages over pictures in a temporary folder, and the editor started on them with its settings in
// an INI file of that folder, its channel there too, and every question answered by a script.
#pragma once

#include "document/mapdocument.h"
#include "image/picturewriter.h"
#include "platform/appsettings.h"
#include "shell/documentwindow.h"
#include "shell/docmanager.h"
#include "shell/mainframe.h"
#include "shell/mapwrightapp.h"
#include "support/scriptedfileprompt.h"
#include "support/scriptedprompt.h"

#include <QFile>
#include <QMdiArea>
#include <QtTest>

#include <memory>
#include <string>

namespace mapwright {

class CShellFixture {
public:
    CShellFixture() { AppSettings() = CAppSettings(); }

    // Writes a width x height grey PNG called picture, and a page called name over it whose map
    // "pic" holds one rectangle; returns the page's path.
    QString WritePage(const std::string& name, const std::string& picture = "pic.png", int width = 64, int height = 48)
    {
        WritePicture(picture, width, height);
        const std::string page = "<html><body>\r\n<IMG SRC=\"" + picture +
                                 "\" USEMAP=\"#pic\">\r\n<MAP NAME=\"pic\">\r\n"
                                 "<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm\">\r\n</MAP>\r\n</body></html>\r\n";
        picturewriter::WriteBytes(folder.File(name), reinterpret_cast<const std::uint8_t*>(page.data()), page.size());
        return Path(name);
    }

    QString WritePicture(const std::string& name, int width = 64, int height = 48)
    {
        picturewriter::PngPicture png;
        png.width = width;
        png.height = height;
        png.rows.assign(std::size_t(width * height * 3), 200);
        picturewriter::WritePng(folder.File(name), png);
        return Path(name);
    }

    QString Path(const std::string& name) const { return QString::fromStdString(folder.File(name)); }
    QString SettingsPath() const { return Path("settings.ini"); }

    // Starts the editor; its windows are shown.
    CMapwrightApp& Start()
    {
        app.reset();
        CAppOptions options;
        options.strSettingsPath = SettingsPath();
        options.strServerName = Path("editor.socket");
        options.pPrompt = &prompt;
        options.pFilePrompt = &files;
        app = std::make_unique<CMapwrightApp>(options);
        app->InitInstance();
        return *app;
    }

    CMainFrame& Frame() const { return *app->MainFrame(); }
    CDocManager& Manager() const { return *app->DocManager(); }

    // Chooses command id as the user would, once the window has caught up with the last change.
    void Run(int id) const
    {
        QCoreApplication::processEvents();
        QVERIFY2(Frame().Command(id)->isEnabled(), qPrintable(QStringLiteral("command %1 is disabled").arg(id)));
        Frame().Command(id)->trigger();
    }

    // The document windows in the order they were made.
    std::vector<CDocumentWindow*> Frames() const { return Manager().Frames(); }

    // The document windows that still exist once closed windows are gone.
    int LiveWindowCount() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return int(Frame().MdiArea()->subWindowList().size());
    }

    // Makes document differ from its file, as typing in the text pane does.
    static void Modify(CMapDocument& document)
    {
        CLines lines = document.Lines();
        lines.push_back("<!-- edited -->");
        document.ApplyTypedLines(lines, nullptr);
    }

    static QString Title(const CMapDocument& document) { return QString::fromStdString(document.GetTitle()); }

    picturewriter::TempFolder folder;
    CScriptedPrompt prompt;
    CScriptedFilePrompt files;
    std::unique_ptr<CMapwrightApp> app;
};

}  // namespace mapwright
