#include "shell/qtfileprompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace mapwright {

CFilePrompt::ESaveAnswer CQtFilePrompt::AskSaveChanges(const QString& name)
{
    const auto answer = QMessageBox::question(m_pParent, QApplication::applicationDisplayName(),
                                              QStringLiteral("Save changes to %1?").arg(name),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes: return ESaveAnswer::kYes;
    case QMessageBox::No: return ESaveAnswer::kNo;
    default: return ESaveAnswer::kCancel;
    }
}

QString CQtFilePrompt::ChooseSavePath(const QString& initialPath)
{
    QFileDialog dialog(m_pParent, QStringLiteral("Save As"), initialPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("htm");
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters({"Image maps (*.htm, *.html) (*.htm *.html)", "All Files (*.*) (*)"});
    if (!initialPath.isEmpty())
        dialog.selectFile(initialPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QStringList CQtFilePrompt::ChooseOpenPaths()
{
    QFileDialog dialog(m_pParent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix("htm");
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters({"HTML files (*.htm,*.html) (*.htm *.html)", "HTML files (*.htm) (*.htm)",
                           "HTML files (*.html) (*.html)", "All Files (*.*) (*)"});
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

void CQtFilePrompt::TellReadOnly(const QString& name)
{
    QMessageBox::warning(m_pParent, QApplication::applicationDisplayName(),
                         QStringLiteral("%1 is read-only.").arg(name));
}

bool CQtFilePrompt::AskReplaceReadOnly(const QString& name)
{
    return QMessageBox::question(m_pParent, QApplication::applicationDisplayName(),
                                 QStringLiteral("%1 is read-only.\nDo you want to replace it?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

}  // namespace mapwright
