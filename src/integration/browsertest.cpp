#include "integration/browsertest.h"

#include "html/fileops.h"
#include "html/pagenames.h"
#include "html/pathrules.h"
#include "document/prompt.h"
#include "platform/appsettings.h"
#include "platform/privatetempfile.h"
#include "platform/shelllaunch.h"
#include "platform/tempfolder.h"

#include <cstdio>

namespace mapwright {

namespace {

// The extension of the file name at the end of path, from its last '.' on; empty without one.
// Only the file name is looked at, so a dot in a folder name is not taken for an extension.
std::string ExtensionOf(const std::string& path)
{
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// The page as the browser gets it: every line ended by CR LF, the mapped image tag pointed at
// imageName. imageFound tells whether the page has that tag.
std::string TestPageBytes(CLines lines, const std::string& imageName, bool& imageFound)
{
    imageFound = PointMappedImageAt(lines, imageName);
    return JoinLines(lines);
}

bool CopyToTempFile(const std::string& source, const std::string& target)
{
    std::string bytes;
    std::string error;
    CPrivateTempFile copy;
    return ReadFileBytes(source, bytes, error) && copy.Create(target) && copy.Write(bytes) && copy.Close();
}

void StartBrowser(const std::string& htmlFile, CPrompt& prompt)
{
    const CAppSettings& settings = AppSettings();
    if (settings.m_bUseDefaultBrowser != 0) {
        if (!OpenWithDefaultApplication(htmlFile))
            prompt.MessageBox("There is no application associated with the given filename extension.");
    } else if (!StartProgram(settings.m_strBrowserPath, htmlFile)) {
        prompt.MessageBox("Can't open file.");
    }
}

}  // namespace

CCommandState CBrowserTest::OnUpdateTestInBrowser()
{
    const CAppSettings& settings = AppSettings();
    return {settings.m_bUseDefaultBrowser != 0 || !settings.m_strBrowserPath.empty(), false};
}

std::string CBrowserTest::MakeTempName(const std::string& title)
{
    char number[32];
    std::snprintf(number, sizeof number, "_mw%d", s_nNameCounter++);
    const std::size_t dot = title.rfind('.');
    if (dot == std::string::npos)
        return title + number;
    return title.substr(0, dot) + number + title.substr(dot);
}

void CBrowserTest::OnTestInBrowser(CMapDocument& doc, CPrompt& prompt)
{
    const std::string folder = TempFolder();
    const std::string name = MakeTempName(doc.GetTitle());
    const std::string imageName = name + ExtensionOf(doc.Page().strImagePath);
    const std::string imageFile = folder + imageName;
    const std::string pageExtension = doc.GetPathName().empty() ? ".html" : ExtensionOf(doc.GetPathName());
    const std::string htmlFile = folder + name + pageExtension;

    CPrivateTempFile page;
    if (folder.empty() || !page.Create(htmlFile)) {
        prompt.MessageBox("Can't create temporary file");
        return;
    }
    doc.AddTempFiles(htmlFile, imageFile);
    if (!CopyToTempFile(doc.Page().strImagePath, imageFile)) {
        prompt.MessageBox("Can't create temporary image file");
        return;
    }
    bool imageFound = false;
    const std::string bytes = TestPageBytes(doc.Lines(), imageName, imageFound);
    // All of the page is on disk before a browser can look at it.
    if (!page.Write(bytes) || !page.Close()) {
        prompt.MessageBox("Can't create temporary file");
        return;
    }
    if (!imageFound) {
        prompt.MessageBox("Can't find old image name after SRC=. Please edit HTML-document");
        return;
    }
    StartBrowser(htmlFile, prompt);
}

}  // namespace mapwright
