// The start-up benchmark's second yardstick: Qt's own widgets laid out as the editor lays out a
// document, and nothing of the editor. A menu bar of seven menus and seventy commands with keys, a
// tool bar of twenty icons and an editable zoom box, a document window in an MDI area (a form of
// labelled fields in a scroll area, the picture, a tab bar and the page's text), two docks with
// lists and a status bar. What this takes to its first paint is what any window of those widgets
// costs on this machine, before the editor does anything of its own.
//   widgetwindow PAGE PICTURE
// With MAPWRIGHT_FIRST_PAINT_PROBE set, prints once the picture has painted for the first time the
// wall-clock time and the peak resident memory, in the editor's probe format, then ends.
#include "app/firstpaintreport.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

class CPicture : public QWidget {
public:
    explicit CPicture(QImage image) : m_image(std::move(image)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::darkGray);
        painter.drawImage(0, 0, m_image);
        if (m_bSeen || !qEnvironmentVariableIsSet("MAPWRIGHT_FIRST_PAINT_PROBE"))
            return;
        m_bSeen = true;
        mapwright::firstpaint::ReportAfterThisPaint();
    }

private:
    QImage m_image;
    bool m_bSeen = false;
};

void AddMenus(QMainWindow& window)
{
    const char* const titles[] = {"&File", "&Edit", "&View", "&Action", "&Map", "&Window", "&Help"};
    int command = 0;
    for (const char* title : titles) {
        QMenu* menu = window.menuBar()->addMenu(title);
        for (int i = 0; i < 10; ++i, ++command) {
            QAction* action = menu->addAction(QStringLiteral("Command %1").arg(command));
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key(Qt::Key_A + command % 26)));
            action->setStatusTip(QStringLiteral("Does command %1").arg(command));
        }
    }
}

void AddToolBar(QMainWindow& window)
{
    QToolBar* bar = window.addToolBar("Toolbar");
    bar->setIconSize(QSize(16, 16));
    for (int i = 0; i < 20; ++i) {
        const auto pixmap = QStyle::StandardPixmap(QStyle::SP_FileIcon + i % 12);
        bar->addAction(window.style()->standardIcon(pixmap), QStringLiteral("Tool %1").arg(i));
        if (i == 8) {
            auto* zoom = new QComboBox;
            zoom->setEditable(true);
            zoom->addItems({"25%", "50%", "100%", "200%", "400%", "800%"});
            zoom->setCurrentIndex(2);
            bar->addWidget(zoom);
        }
    }
}

QWidget* Form()
{
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    for (const char* group : {"Standard", "Advanced", "Geometry"}) {
        auto* box = new QGroupBox(group);
        auto* fields = new QFormLayout(box);
        fields->setRowWrapPolicy(QFormLayout::WrapAllRows);
        for (const char* label : {"URL:", "Alternate text:", "Title:"})
            fields->addRow(label, new QLineEdit);
        layout->addWidget(box);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    return scroll;
}

QWidget* DocumentWindow(const QString& page, const QString& picture)
{
    auto* text = new QPlainTextEdit;
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile file(page);
    if (file.open(QIODevice::ReadOnly))
        text->setPlainText(QString::fromLatin1(file.readAll()));
    auto* tabs = new QTabBar;
    tabs->addTab(QFileInfo(page).fileName());
    auto* lower = new QWidget;
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(tabs);
    lowerLayout->addWidget(text);

    auto* right = new QSplitter(Qt::Vertical);
    auto* canvas = new QScrollArea;
    canvas->setWidget(new CPicture(QImage(picture)));
    canvas->widget()->resize(canvas->widget()->sizeHint().expandedTo(QSize(320, 200)));
    right->addWidget(canvas);
    right->addWidget(lower);
    auto* whole = new QSplitter(Qt::Horizontal);
    whole->addWidget(Form());
    whole->addWidget(right);
    return whole;
}

void AddDocks(QMainWindow& window)
{
    auto* areas = new QStandardItemModel(3, 4, &window);
    areas->setHorizontalHeaderLabels({"No.", "Shape", "URL", "Alt"});
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            areas->setItem(row, column, new QStandardItem(QStringLiteral("area %1.%2").arg(row).arg(column)));
    }
    auto* list = new QTreeView;
    list->setRootIsDecorated(false);
    list->setModel(areas);
    auto* areasDock = new QDockWidget("Areas");
    areasDock->setWidget(list);
    window.addDockWidget(Qt::RightDockWidgetArea, areasDock);

    auto* problems = new QListWidget;
    for (int i = 0; i < 3; ++i)
        problems->addItem(new QListWidgetItem(window.style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                              QStringLiteral("Problem %1 of the page").arg(i)));
    auto* problemsDock = new QDockWidget("Problems");
    problemsDock->setWidget(problems);
    window.addDockWidget(Qt::BottomDockWidgetArea, problemsDock);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QMainWindow window;
    AddMenus(window);
    AddToolBar(window);
    auto* mdi = new QMdiArea;
    window.setCentralWidget(mdi);
    AddDocks(window);
    for (const char* text : {"Ready", "", "", "1 error, 1 warning, 1 note"})
        window.statusBar()->addPermanentWidget(new QLabel(text));
    window.resize(960, 675);
    window.show();
    QMdiSubWindow* document = mdi->addSubWindow(DocumentWindow(arguments.value(1), arguments.value(2)));
    document->showMaximized();
    return app.exec();
}
