#include "platform/qtprompt.h"

#include "platform/bytecodec.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace mapwright {

namespace {

QString Caption(const std::string& caption)
{
    return caption.empty() ? QApplication::applicationDisplayName() : DecodeBytes(caption);
}

}  // namespace

void CQtPrompt::MessageBox(const std::string& text, const std::string& caption)
{
    QMessageBox::warning(m_pParent, Caption(caption), DecodeBytes(text), QMessageBox::Ok);
}

void CQtPrompt::ShowDetailedMessage(const std::string& text, const std::string& details)
{
    QMessageBox box(QMessageBox::Warning, Caption({}), DecodeBytes(text), QMessageBox::Ok, m_pParent);
    box.setDetailedText(DecodeBytes(details));
    box.exec();
}

bool CQtPrompt::AskYesNo(const std::string& text)
{
    return QMessageBox::question(m_pParent, Caption({}), DecodeBytes(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool CQtPrompt::ChooseImageFile(const std::string& initialPath, std::string& chosenPath)
{
    const QString path = QFileDialog::getOpenFileName(
        m_pParent, QStringLiteral("Open"), QFile::decodeName(initialPath.c_str()),
        QStringLiteral("Image Files: (*.gif;*.jpg;*.png) (*.gif *.jpg *.png)"), nullptr,
        QFileDialog::HideNameFilterDetails);
    if (path.isEmpty())
        return false;
    const QByteArray encoded = QFile::encodeName(path);
    chosenPath.assign(encoded.constData(), std::size_t(encoded.size()));
    return true;
}

}  // namespace mapwright
