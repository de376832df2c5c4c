#include "shell/mapcommands.h"

#include "document/mapdocument.h"
#include "document/prompt.h"
#include "html/fileops.h"
#include "html/pathrules.h"
#include "model/areascale.h"
#include "platform/bytecodec.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLineEdit>

namespace mapwright {

namespace {

std::string ToPath(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    return {encoded.constData(), std::size_t(encoded.size())};
}

// The page's name with .svg in place of its extension; for a page not yet saved, the picture's.
std::string DefaultSvgPath(const CMapDocument& doc)
{
    std::string path = doc.GetPathName().empty() ? doc.Page().strImagePath : doc.GetPathName();
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot > FolderOf(path).size())
        path.erase(dot);
    return path + ".svg";
}

}  // namespace

bool CQtMapDialogs::AskScale(bool canSelect, CScaleAnswer& answer)
{
    QDialog dialog(m_pParent);
    dialog.setWindowTitle(QStringLiteral("Scale Map"));
    auto* layout = new QFormLayout(&dialog);
    auto* scale = new QLineEdit(answer.text.isEmpty() ? QStringLiteral("100 %") : answer.text, &dialog);
    scale->setToolTip(QStringLiteral("A percentage, or a width and height such as 800 x 600"));
    scale->selectAll();
    layout->addRow(QStringLiteral("&Scale:"), scale);
    auto* selected = new QCheckBox(QStringLiteral("Selected areas &only"), &dialog);
    selected->setEnabled(canSelect);
    selected->setChecked(canSelect && answer.bSelectedOnly);
    layout->addRow(selected);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    answer.text = scale->text();
    answer.bSelectedOnly = selected->isChecked();
    return true;
}

QString CQtMapDialogs::ChooseSvgPath(const QString& initialPath)
{
    return QFileDialog::getSaveFileName(m_pParent, QStringLiteral("Export SVG Overlay"), initialPath,
                                        QStringLiteral("SVG files (*.svg)"));
}

void OnReplacePicture(CMapDocument& doc, CPrompt& prompt)
{
    std::string chosen;
    if (prompt.ChooseImageFile(doc.Page().strImagePath, chosen))
        doc.ReplacePicture(chosen, CMapDocument::EAreaScaling::kAsk);
}

void OnScaleMap(CMapDocument& doc, CPrompt& prompt, CMapDialogs& dialogs)
{
    CScaleAnswer answer;
    if (!dialogs.AskScale(doc.FirstSelected() != nullptr, answer))
        return;
    const QByteArray text = answer.text.toUtf8();
    const auto factors = ScaleFactorsOf(std::string_view(text.constData(), std::size_t(text.size())),
                                        doc.Picture().Width(), doc.Picture().Height());
    if (!factors) {
        prompt.MessageBox("Type a scale above 0 % and at most 10,000 %, or a width and height such as 800 x 600.");
        return;
    }
    doc.ScaleAreas(factors->first, factors->second, answer.bSelectedOnly, nullptr);
}

void OnExportSvgOverlay(CMapDocument& doc, CPrompt& prompt, CMapDialogs& dialogs)
{
    const QString chosen = dialogs.ChooseSvgPath(QFile::decodeName(DefaultSvgPath(doc).c_str()));
    if (chosen.isEmpty())
        return;
    const std::string path = ToPath(chosen);
    std::string error;
    if (!WriteFileReplacing(path, doc.SvgOverlay(FolderOf(path), true), error))
        prompt.MessageBox("Cannot save " + path + ":\n" + error + ".");
}

void OnCopySvgOverlay(const CMapDocument& doc)
{
    // Pasted into the page, the markup refers to the picture as the page does.
    const std::string svg = doc.SvgOverlay(doc.PageFolder(), false);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(svg.data(), qsizetype(svg.size())));
}

}  // namespace mapwright
