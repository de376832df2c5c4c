// The area list: rows in text order, the selection in step both ways, reordering followed, and a
// document closing under it.
#include "document/mapdocument.h"
#include "support/openedpage.h"
#include "support/recordingview.h"
#include "views/arealistpane.h"

#include <QHeaderView>
#include <QMimeData>
#include <QTreeView>
#include <QtTest>

using namespace mapwright;

class CAreaListTest : public QObject {
    Q_OBJECT
private slots:
    void RowsFollowTheDocumentAndTheSelectionGoesBothWays();
    void SeveralRowsSelectSeveralAreasAndDroppedRowsMoveTheirAreas();
    void TheNumberColumnIsAsWideAsMeasuringEveryRowMakesIt();
};

void CAreaListTest::RowsFollowTheDocumentAndTheSelectionGoesBothWays()
{
    CAreaListPane pane;
    auto doc = std::make_unique<CMapDocument>();
    OpenPage(*doc);  // one.htm (rectangle), two.htm (circle), three.htm (rectangle)
    CRecordingView canvas;
    doc->AddView(&canvas);
    pane.SetDocument(doc.get());
    const QAbstractItemModel* model = pane.List()->model();
    const auto link = [model](int row) { return model->index(row, CAreaRowsModel::kLink).data().toString(); };
    QCOMPARE(pane.RowCount(), 3);
    QCOMPARE(model->index(1, CAreaRowsModel::kShape).data().toString(), QString("Circle"));

    // A picked row selects its area and tells the other views.
    pane.List()->setCurrentIndex(model->index(1, 0));
    QCOMPARE(doc->GetSelectedIndex(), 2);
    QVERIFY(canvas.m_updates.back().notice.kind == EChangeKind::kSelection);

    // A selection made elsewhere, and a reorder, move the current row with the area.
    doc->SelectArea(*doc->AreaNumbered(3));
    doc->UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kSelection, EChangeCause::kCanvas));
    QCOMPARE(pane.List()->currentIndex().row(), 2);
    QVERIFY(doc->MoveSelectedInStack(CMapDocument::EStackMove::kToTop, nullptr));
    QCOMPARE(link(0), QString("three.htm"));
    QCOMPARE(link(1), QString("one.htm"));
    QCOMPARE(pane.List()->currentIndex().row(), 0);
    QCOMPARE(doc->GetSelectedIndex(), 1);

    // Text typed elsewhere shows at once.
    CLines lines = doc->Lines();
    lines.insert(lines.begin() + 3, "<AREA SHAPE=POLY COORDS=\"1,1,9,1,5,8\" HREF=\"new.htm\">");
    doc->ApplyTypedLines(lines, nullptr);
    QCOMPARE(pane.RowCount(), 4);
    QCOMPARE(link(0), QString("new.htm"));

    // The document going first leaves an empty list, not a dangling one.
    doc.reset();
    QCOMPARE(pane.RowCount(), 0);
    pane.List()->viewport()->repaint();
}

void CAreaListTest::SeveralRowsSelectSeveralAreasAndDroppedRowsMoveTheirAreas()
{
    CAreaListPane pane;
    CMapDocument doc;
    OpenPage(doc);
    pane.SetDocument(&doc);
    QAbstractItemModel* model = pane.List()->model();
    QItemSelectionModel* rows = pane.List()->selectionModel();
    const auto selectedRows = [rows] {
        QList<int> numbers;
        for (const QModelIndex& row : rows->selectedRows())
            numbers << row.row() + 1;
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    };

    rows->select(model->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    rows->select(model->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(doc.SelectedNumbers(), (std::vector<int>{1, 3}));
    doc.SelectAllAreas(nullptr);
    QCOMPARE(selectedRows(), (QList<int>{1, 2, 3}));
    doc.SelectAreasNumbered({2}, nullptr);
    QCOMPARE(selectedRows(), (QList<int>{2}));

    // Rows 1 and 3 dropped on row 2 go before its area, as one step, once the drop has ended.
    std::unique_ptr<QMimeData> dragged(model->mimeData({model->index(0, 0), model->index(2, 0)}));
    QVERIFY(!model->dropMimeData(dragged.get(), Qt::MoveAction, 1, 0, {}));
    QCOMPARE(model->index(0, CAreaRowsModel::kLink).data().toString(), QString("one.htm"));
    QTRY_COMPARE(model->index(1, CAreaRowsModel::kLink).data().toString(), QString("three.htm"));
    QCOMPARE(model->index(2, CAreaRowsModel::kLink).data().toString(), QString("two.htm"));
    QCOMPARE(doc.UndoStepCount(), 2);
    QCOMPARE(doc.SelectedNumbers(), (std::vector<int>{3}));  // the circle, now last
}

void CAreaListTest::TheNumberColumnIsAsWideAsMeasuringEveryRowMakesIt()
{
    CLines lines = {"<IMG SRC=\"photo.gif\" USEMAP=\"#photo\">", "<MAP NAME=\"photo\">"};
    for (int i = 0; i < 1200; ++i)
        lines.push_back("<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm\">");
    lines.push_back("</MAP>");
    CMapDocument doc;
    OpenPage(doc, lines);
    CAreaListPane pane;
    pane.SetDocument(&doc);
    pane.resize(400, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));

    QAbstractItemView* list = pane.List();
    // A plain tree view over the same rows, told to measure every one of them.
    QTreeView plain;
    plain.setRootIsDecorated(false);
    plain.setUniformRowHeights(true);
    plain.setModel(list->model());
    plain.header()->setResizeContentsPrecision(-1);
    plain.resize(pane.List()->size());
    const int everyRow = static_cast<QAbstractItemView&>(plain).sizeHintForColumn(CAreaRowsModel::kNumber);
    QCOMPARE(list->sizeHintForColumn(CAreaRowsModel::kNumber), everyRow);
    QVERIFY(everyRow > list->sizeHintForIndex(list->model()->index(0, CAreaRowsModel::kNumber)).width());
    QHeaderView* header = pane.List()->header();
    QCOMPARE(header->sectionSize(CAreaRowsModel::kNumber),
             std::max(everyRow, header->sectionSizeHint(CAreaRowsModel::kNumber)));
}

QTEST_MAIN(CAreaListTest)
#include "arealist_test.moc"
