// The About box: the program's icon, its name, its version and an OK button.
#pragma once

#include <QDialog>

namespace mapwright {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace mapwright
