#include "views/arealistpane.h"

#include "document/mapdocument.h"
#include "platform/bytecodec.h"
#include "views/canvasview.h"

#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTimer>
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

void CAreaRowsModel::Refresh(const CMapDocument* document)
{
    // Rows that stay as many are drawn again where they show; only a new count lays the list out anew.
    if (document != m_pDocument || !document || rowCount() != document->AreaCount()) {
        Reset(document);
        return;
    }
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
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

namespace {

constexpr const char* kRowsMimeType = "application/x-mapwright-area-numbers";

}  // namespace

Qt::ItemFlags CAreaRowsModel::flags(const QModelIndex& index) const
{
    // Rows take no drop onto themselves as children: a drop lands between rows or on the list.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

QStringList CAreaRowsModel::mimeTypes() const
{
    return {QString::fromLatin1(kRowsMimeType)};
}

QMimeData* CAreaRowsModel::mimeData(const QModelIndexList& indexes) const
{
    QStringList numbers;
    for (const QModelIndex& index : indexes) {
        if (index.column() == 0)
            numbers << QString::number(index.row() + 1);
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kRowsMimeType), numbers.join(u',').toLatin1());
    return data;
}

bool CAreaRowsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                  const QModelIndex& parent)
{
    if (action != Qt::MoveAction || !data->hasFormat(QString::fromLatin1(kRowsMimeType)) || !m_dropHandler)
        return false;
    std::vector<int> numbers;
    for (const QByteArray& number : data->data(QString::fromLatin1(kRowsMimeType)).split(','))
        numbers.push_back(number.toInt());
    // Dropped on a row: before it; between rows: before the one below; below them all: last.
    const int before = row >= 0 ? row + 1 : parent.isValid() ? parent.row() + 1 : rowCount() + 1;
    m_dropHandler(std::move(numbers), before);
    // The areas move through the document, which tells the list; the view removes nothing.
    return false;
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
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setDragDropMode(QAbstractItemView::InternalMove);
    m_pList->setDropIndicatorShown(true);
    m_model.SetDropHandler([this](std::vector<int> numbers, int before) { MoveRows(std::move(numbers), before); });
    m_pList->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pList->setModel(&m_model);
    m_pList->header()->setStretchLastSection(true);
    m_pList->header()->setSectionResizeMode(CAreaRowsModel::kNumber, QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_bShowingSelection)
            SelectRows();
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
    case EChangeKind::kTextTyped:
        if (notice.nTag == 0 || m_model.rowCount() != Document()->AreaCount()) {
            m_model.Refresh(Document());
            break;
        }
        [[fallthrough]];  // a keystroke that changed one tag alone
    case EChangeKind::kAreaTag: {
        // One area's texts changed: its row alone is drawn again.
        const int row = notice.nTag - 1;
        emit m_model.dataChanged(m_model.index(row, 0), m_model.index(row, CAreaRowsModel::kColumnCount - 1));
        break;
    }
    default: m_model.Refresh(Document()); break;
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
    const std::vector<int> numbers = document ? document->SelectedNumbers() : std::vector<int>{};
    QItemSelectionModel* selection = m_pList->selectionModel();
    if (numbers.empty()) {
        selection->clear();
        return;
    }
    // Runs of neighbouring rows as one range each: Select All is one range however long.
    QItemSelection rows;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        rows.select(m_model.index(numbers[i] - 1, 0), m_model.index(numbers[last] - 1, CAreaRowsModel::kColumnCount - 1));
        i = last + 1;
    }
    const QModelIndex first = m_model.index(numbers.front() - 1, 0);
    selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    m_pList->scrollTo(first);
}

void CAreaListPane::SelectRows()
{
    CMapDocument* document = Document();
    if (!document)
        return;
    std::vector<int> numbers;
    for (const QModelIndex& row : m_pList->selectionModel()->selectedRows())
        numbers.push_back(row.row() + 1);
    std::sort(numbers.begin(), numbers.end());
    if (numbers == document->SelectedNumbers())
        return;
    if (numbers.size() == 1) {
        SelectAndReveal(*document, *document->AreaNumbered(numbers.front()), this);
        return;
    }
    document->SelectAreasNumbered(numbers, this);
}

void CAreaListPane::MoveRows(std::vector<int> numbers, int before)
{
    // Reordering resets the model; the view is still inside its drop then, so it waits.
    CMapDocument* document = Document();
    const std::uint64_t generation = document ? document->AreaGeneration() : 0;
    QTimer::singleShot(0, this, [this, document, generation, numbers = std::move(numbers), before] {
        if (Document() == document && document && document->AreaGeneration() == generation)
            document->MoveAreasBefore(numbers, before, nullptr);
    });
}

}  // namespace mapwright
