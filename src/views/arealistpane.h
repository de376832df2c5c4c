// The areas of the active document in text order, which is also their stacking order: a browser
// follows the first area that holds the pointer. Picking a row selects its area; a selection made
// elsewhere picks its row. A model over the document's list keeps a page of thousands quick.
#pragma once

#include "model/document.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>
#include <vector>

class QTreeView;

namespace mapwright {

class CMapDocument;

// The areas as rows: number, shape (with its icon), link and alternate text.
class CAreaRowsModel : public QAbstractTableModel {
public:
    enum EColumn { kNumber, kShape, kLink, kAltText, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    // Shows document's areas (none when null) after a change of any kind.
    void Reset(const CMapDocument* document);
    // The same after a change that may have kept the number of areas.
    void Refresh(const CMapDocument* document);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Rows dragged within the list: the areas they stand for move before the area of the row
    // dropped on (after the last row when dropped below them all).
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    // What takes a drop: the dragged area numbers and the number they go before.
    void SetDropHandler(std::function<void(std::vector<int>, int)> handler) { m_dropHandler = std::move(handler); }

private:
    const CMapDocument* m_pDocument = nullptr;
    std::function<void(std::vector<int>, int)> m_dropHandler;
};

class CAreaListPane : public QWidget, public CView {
    Q_OBJECT
public:
    explicit CAreaListPane(QWidget* parent = nullptr);
    ~CAreaListPane() override;

    // Shows the areas of document (none when null) from now on.
    void SetDocument(CMapDocument* document);
    CMapDocument* Document() const;

    void OnUpdate(CView* sender, const CChangeNotice& notice) override;
    void OnDocumentClosing() override;

    QTreeView* List() const { return m_pList; }
    int RowCount() const;

private:
    // Shows the rows of the document's selected areas as selected, the first as the current one.
    void ShowSelection();
    // The user changed the selected rows: their areas become the selection; one alone comes into
    // sight on the canvas.
    void SelectRows();
    // Rows were dropped: their areas move before area before, once the drop has ended.
    void MoveRows(std::vector<int> numbers, int before);

    CAreaRowsModel m_model;
    QTreeView* m_pList = nullptr;
    bool m_bShowingSelection = false;
};

}  // namespace mapwright
