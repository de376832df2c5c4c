#include "shell/scalecommands.h"
#include "shell/zoomcombobox.h"
#include "support/recordingview.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace mapwright;

class CZoomBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void LeadingNumberAndClamp();
    void ScaleCommandsAlwaysUpdateAndLeaveTheZoomStep();
    void TypedScaleAppliesOnlyWithEnterOrFocusLoss();
    void ConfirmingTheSameTypedScaleDoesNotUpdateAgain();
    void ChoosingAnItemAppliesItEvenWhenAlreadyChosen();

private:
    // A window with the zoom box and a field to move the focus to, wired as the main frame wires it.
    struct CWindow {
        QWidget widget;
        CZoomComboBox* box = nullptr;
        QLineEdit* elsewhere = nullptr;
    };

    void TypeIntoBox(const QString& text, bool pressEnter);
    int Updates() const { return int(m_view.m_updates.size()); }
    // The re-centring ratio the last update told the views.
    double ZoomStep() const { return m_view.m_updates.empty() ? 0 : m_view.m_updates.back().notice.dZoomRatio; }

    std::unique_ptr<CMapDocument> m_doc;
    CRecordingView m_view;
    std::unique_ptr<CWindow> m_window;
};

void CZoomBoxTest::init()
{
    m_doc = std::make_unique<CMapDocument>();
    m_view.m_updates.clear();
    m_doc->AddView(&m_view);
    m_window = std::make_unique<CWindow>();
    auto* layout = new QVBoxLayout(&m_window->widget);
    m_window->box = new CZoomComboBox;
    m_window->elsewhere = new QLineEdit;
    layout->addWidget(m_window->box);
    layout->addWidget(m_window->elsewhere);
    CZoomComboBox& box = *m_window->box;
    connect(&box, &CZoomComboBox::SelChange, this, [this, &box] { OnZoomSelChange(*m_doc, box); });
    connect(&box, &CZoomComboBox::EditChange, this, [this, &box] { OnZoomEditChange(*m_doc, box); });
    connect(&box, &CZoomComboBox::KillFocus, this, [this, &box] { OnZoomKillFocus(*m_doc, box); });
    m_window->widget.show();
    m_window->widget.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_window->widget));
}

void CZoomBoxTest::cleanup()
{
    m_window.reset();
    m_doc->RemoveView(&m_view);
    m_doc.reset();
}

void CZoomBoxTest::TypeIntoBox(const QString& text, bool pressEnter)
{
    CZoomComboBox& box = *m_window->box;
    box.setFocus();
    QTRY_VERIFY(box.hasFocus());
    box.lineEdit()->selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
    if (pressEnter)
        QTest::keyClick(&box, Qt::Key_Return);
}

void CZoomBoxTest::LeadingNumberAndClamp()
{
    QCOMPARE(LeadingNumber("150"), 150);
    QCOMPARE(LeadingNumber("33%"), 33);
    QCOMPARE(LeadingNumber("12a4"), 12);
    QCOMPARE(LeadingNumber(" 150"), 0);
    QCOMPARE(LeadingNumber("%"), 0);
    QCOMPARE(LeadingNumber("99999999999999999999"), 1'000'000);
    QCOMPARE(ClampPercent(0), 25);
    QCOMPARE(ClampPercent(5), 25);
    QCOMPARE(ClampPercent(801), 800);
    QCOMPARE(ClampPercent(170), 170);
}

void CZoomBoxTest::ScaleCommandsAlwaysUpdateAndLeaveTheZoomStep()
{
    CZoomComboBox& box = *m_window->box;
    QCOMPARE(box.count(), 10);
    QCOMPARE(box.currentText(), QString("100%"));

    OnScaleCommand(*m_doc, ScaleOfCommand(32820), box);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    QCOMPARE(ZoomStep(), 1.5);
    QCOMPARE(box.currentIndex(), 4);
    QCOMPARE(box.currentText(), QString("150%"));
    QCOMPARE(Updates(), 1);
    QVERIFY(OnUpdateScaleCommand(*m_doc, 1.5).bChecked);
    QVERIFY(!OnUpdateScaleCommand(*m_doc, 1.0).bChecked);

    // The scale already set still notifies the views; the step is then 1.
    OnScaleCommand(*m_doc, 1.5, box);
    QCOMPARE(Updates(), 2);
    QCOMPARE(ZoomStep(), 1.0);

    // Shrinking leaves the ratio negative.
    OnScaleCommand(*m_doc, ScaleOfCommand(32805), box);
    QCOMPARE(ZoomStep(), -3.0);
    QCOMPARE(box.currentText(), QString("50%"));

    // A scale no item has (the zoom tool's 33 %) shows as text with no item chosen.
    box.ShowScale(0.3333);
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.currentText(), QString("33%"));
    QCOMPARE(ScaleOfCommand(32814), 0.0);
}

void CZoomBoxTest::TypedScaleAppliesOnlyWithEnterOrFocusLoss()
{
    CZoomComboBox& box = *m_window->box;

    TypeIntoBox("150", false);
    QCOMPARE(m_doc->Display().dZoom, 1.0);
    QCOMPARE(Updates(), 0);
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(box.m_bEnterPressed);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    QCOMPARE(box.currentIndex(), 4);
    QCOMPARE(box.currentText(), QString("150%"));
    QCOMPARE(Updates(), 1);

    // Not an item: the text stays in the field, no item chosen.
    TypeIntoBox("170", true);
    QCOMPARE(m_doc->Display().dZoom, 1.7);
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.currentText(), QString("170%"));
    QCOMPARE(box.count(), 10);

    const struct {
        const char* typed;
        double scale;
        const char* shown;
    } corrected[] = {{"5", 0.25, "25%"},    {"2000", 8.0, "800%"}, {"abc", 8.0, "800%"}, {"33%", 0.33, "33%"},
                     {" 150", 1.5, "150%"}, {"", 1.5, "150%"},     {"%75", 1.5, "150%"}, {" ", 1.5, "150%"}};
    // Text that is no number keeps the scale before it and shows it again.
    for (const auto& entry : corrected) {
        TypeIntoBox(entry.typed, true);
        QCOMPARE(m_doc->Display().dZoom, entry.scale);
        QCOMPARE(box.currentText(), QString(entry.shown));
    }

    // Typed without Enter, the value applies when the focus leaves the box.
    TypeIntoBox("300", false);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    m_window->elsewhere->setFocus();
    QTRY_COMPARE(m_doc->Display().dZoom, 3.0);
    QCOMPARE(box.currentText(), QString("300%"));
    QCOMPARE(box.currentIndex(), 6);
}

void CZoomBoxTest::ConfirmingTheSameTypedScaleDoesNotUpdateAgain()
{
    TypeIntoBox("150", true);
    QCOMPARE(Updates(), 1);
    TypeIntoBox("150%", true);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    QCOMPARE(Updates(), 1);
    // Nor does leaving the box with the same value.
    m_window->elsewhere->setFocus();
    QTRY_VERIFY(m_window->elsewhere->hasFocus());
    QCOMPARE(Updates(), 1);
}

void CZoomBoxTest::ChoosingAnItemAppliesItEvenWhenAlreadyChosen()
{
    CZoomComboBox& box = *m_window->box;
    box.setFocus();
    QTRY_VERIFY(box.hasFocus());
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    QCOMPARE(box.currentText(), QString("150%"));
    QCOMPARE(Updates(), 1);

    // Picking the chosen item again from the list notifies the views again.
    box.showPopup();
    QAbstractItemView* list = box.view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(4, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QTRY_COMPARE(Updates(), 2);
    QCOMPARE(m_doc->Display().dZoom, 1.5);
    QCOMPARE(ZoomStep(), 1.0);
}

QTEST_MAIN(CZoomBoxTest)
#include "zoombox_test.moc"
