// The areas of the active document in text order, which is also their stacking order: a browser
// follows the first area that holds the pointer. Picking a row selects its area; a selection made
// elsewhere picks its row. A model over the document's list keeps a page of thousands quick.
#pragma once

#include "model/document.h"

#include <QAbstractTableModel>
#include <QWidget>

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
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const CMapDocument* m_pDocument = nullptr;
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
    // Shows the row of the document's selected area as the current one, or none.
    void ShowSelection();
    // The user picked row: its area becomes the selection and comes into sight on the canvas.
    void SelectRow(int row);

    CAreaRowsModel m_model;
    QTreeView* m_pList = nullptr;
    bool m_bShowingSelection = false;
};

}  // namespace mapwright
