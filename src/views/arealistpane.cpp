#include "views/arealistpane.h"

#include "document/mapdocument.h"
#include "platform/bytecodec.h"
#include "views/canvasview.h"

#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace mapwright {

namespace {

QString ShapeName(EAreaShape shape)
{
    switch (shape) {
    case EAreaShape::kRectangle: return QStringLiteral("Rectangle");
    case EAreaShape::kCircle: return QStringLiteral("Circle");
    case EAreaShape::kPolygon: break;
    }
    return QStringLiteral("Polygon");
}

// The tools' own pictures of the shapes, loaded once.
const QIcon& ShapeIcon(EAreaShape shape)
{
    static const QIcon rectangle(QStringLiteral(":/icons/rectangle.svg"));
    static const QIcon circle(QStringLiteral(":/icons/circle.svg"));
    static const QIcon polygon(QStringLiteral(":/icons/polygon.svg"));
    return shape == EAreaShape::kRectangle ? rectangle : shape == EAreaShape::kCircle ? circle : polygon;
}

// The numbers are the first column's only contents, and the last is the longest: measuring the
// first and the last row alone spares measuring a thousand rows of a long page for its width.
class CAreaTreeView : public QTreeView {
public:
    using QTreeView::QTreeView;

    int sizeHintForColumn(int column) const override
    {
        const int rows = model() ? model()->rowCount() : 0;
        if (column != CAreaRowsModel::kNumber || rows == 0)
            return QTreeView::sizeHintForColumn(column);
        ensurePolished();
        return std::max(sizeHintForIndex(model()->index(0, column)).width(),
                        sizeHintForIndex(model()->index(rows - 1, column)).width());
    }
};

}  // namespace

void CAreaRowsModel::Reset(const CMapDocument* document)
{
    beginResetModel();
    m_pDocument = document;
    endResetModel();
}

int CAreaRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pDocument ? 0 : m_pDocument->AreaCount();
}

int CAreaRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CAreaRowsModel::data(const QModelIndex& index, int role) const
{
    const CMapArea* area = m_pDocument ? m_pDocument->AreaNumbered(index.row() + 1) : nullptr;
    if (!area)
        return {};
    if (role == Qt::DecorationRole && index.column() == kShape)
        return ShapeIcon(area->Shape());
    if (role == Qt::ToolTipRole)
        return QStringLiteral("Area %1: the first area in the text wins where areas overlap").arg(area->m_nIndex);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kNumber: return area->m_nIndex;
    case kShape: return ShapeName(area->Shape());
    case kLink: return DecodeBytes(area->m_strHref);
    case kAltText: return DecodeBytes(area->m_strAlt);
    default: return {};
    }
}

QVariant CAreaRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kNumber: return QStringLiteral("No.");
    case kShape: return QStringLiteral("Shape");
    case kLink: return QStringLiteral("URL");
    case kAltText: return QStringLiteral("Alternate text");
    default: return {};
    }
}

CAreaListPane::CAreaListPane(QWidget* parent) : QWidget(parent), m_pList(new CAreaTreeView(this))
{
    m_pList->setObjectName("areaList");
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);  // a page of thousands of areas lays out at once
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pList->setModel(&m_model);
    m_pList->header()->setStretchLastSection(true);
    m_pList->header()->setSectionResizeMode(CAreaRowsModel::kNumber, QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_bShowingSelection && current.isValid())
                    SelectRow(current.row());
            });
}

CAreaListPane::~CAreaListPane()
{
    if (CDocument* document = GetDocument())
        document->RemoveView(this);
}

CMapDocument* CAreaListPane::Document() const
{
    return static_cast<CMapDocument*>(GetDocument());
}

void CAreaListPane::SetDocument(CMapDocument* document)
{
    if (document == Document())
        return;
    if (CDocument* old = GetDocument())
        old->RemoveView(this);
    if (document)
        document->AddView(this);
    m_model.Reset(document);
    ShowSelection();
}

int CAreaListPane::RowCount() const
{
    return m_model.rowCount();
}

void CAreaListPane::OnUpdate(CView*, const CChangeNotice& notice)
{
    switch (notice.kind) {
    case EChangeKind::kZoom:
    case EChangeKind::kDisplay: return;
    case EChangeKind::kSelection: break;
    case EChangeKind::kAreaTag: {
        // One area's texts changed: its row alone is drawn again.
        const int row = notice.nTag - 1;
        emit m_model.dataChanged(m_model.index(row, 0), m_model.index(row, CAreaRowsModel::kColumnCount - 1));
        break;
    }
    default: m_model.Reset(Document()); break;
    }
    ShowSelection();
}

void CAreaListPane::OnDocumentClosing()
{
    m_model.Reset(nullptr);
}

void CAreaListPane::ShowSelection()
{
    const QScopedValueRollback showing(m_bShowingSelection, true);
    const CMapDocument* document = Document();
    const int selected = document ? document->GetSelectedIndex() : 0;
    QItemSelectionModel* selection = m_pList->selectionModel();
    if (selected == 0) {
        selection->clear();
        return;
    }
    const QModelIndex row = m_model.index(selected - 1, 0);
    selection->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pList->scrollTo(row);
}

void CAreaListPane::SelectRow(int row)
{
    CMapDocument* document = Document();
    CMapArea* area = document ? document->AreaNumbered(row + 1) : nullptr;
    if (!area || document->IsSelected(*area))
        return;
    SelectAndReveal(*document, *area, this);
}

}  // namespace mapwright
