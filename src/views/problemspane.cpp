#include "views/problemspane.h"

#include "document/mapdocument.h"
#include "views/afterfirstframe.h"
#include "views/canvasview.h"

#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace mapwright {

namespace {

constexpr int kAreaRole = Qt::UserRole;

// Drawn here rather than taken from an icon theme, so that every desktop shows the same marks.
QIcon DrawSeverityIcon(ESeverity severity)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    switch (severity) {
    case ESeverity::kError:
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QRectF(2, 2, 12, 12));
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        painter.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        break;
    case ESeverity::kWarning:
        painter.setBrush(QColor(230, 160, 0));
        painter.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPointF(8, 6), QPointF(8, 10));
        painter.drawPoint(QPointF(8, 12.5));
        break;
    case ESeverity::kNote:
        painter.setBrush(QColor(40, 110, 200));
        painter.drawEllipse(QRectF(2, 2, 12, 12));
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(QPointF(8, 7), QPointF(8, 11.5));
        painter.drawPoint(QPointF(8, 4.5));
        break;
    }
    return QIcon(pixmap);
}

// Drawn once each: a page may have thousands of findings.
const QIcon& SeverityIcon(ESeverity severity)
{
    static const QIcon icons[] = {DrawSeverityIcon(ESeverity::kNote), DrawSeverityIcon(ESeverity::kWarning),
                                  DrawSeverityIcon(ESeverity::kError)};
    return icons[int(severity)];
}

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString Plural(int count, const char* one, const char* many)
{
    return QString::number(count) + " " + (count == 1 ? one : many);
}

}  // namespace

void CFindingsModel::SetFindings(const std::vector<CFinding>* findings)
{
    beginResetModel();
    m_pFindings = findings;
    endResetModel();
}

int CFindingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_pFindings ? 0 : int(m_pFindings->size());
}

QVariant CFindingsModel::data(const QModelIndex& index, int role) const
{
    if (!m_pFindings || index.row() < 0 || index.row() >= rowCount())
        return {};
    const CFinding& finding = (*m_pFindings)[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(FindingMessage(finding));
    case Qt::DecorationRole: return SeverityIcon(RuleSeverity(finding.rule));
    case Qt::ToolTipRole: {
        QString tip = Latin1(RuleId(finding.rule));
        if (!RuleWcag(finding.rule).empty())
            tip += ", WCAG " + Latin1(RuleWcag(finding.rule));
        if (finding.nLine > 0)
            tip += ", line " + QString::number(finding.nLine);
        return tip;
    }
    default: return {};
    }
}

CProblemsPane::CProblemsPane(QWidget* parent) : QWidget(parent)
{
    setObjectName("problemsPane");
    m_pModel = new CFindingsModel(this);
    m_pList = new QListView(this);
    m_pList->setObjectName("problemsList");
    m_pList->setModel(m_pModel);
    m_pList->setUniformItemSizes(true);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pList);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // The first check of a start on a long page waits for the first frame; its findings and
        // counts follow that frame at once.
        const CMapDocument* document = Document();
        if (afterfirstframe::Holding() && document && document->AreaCount() > kAreasCheckedAfterFirstFrame)
            afterfirstframe::Run(this, [this] { Schedule(0); });
        else
            RefreshNow();
    });
    // Double click and Enter.
    connect(m_pList, &QListView::activated, this, [this](const QModelIndex& index) { GoToFinding(index.row()); });
    connect(m_pList, &QWidget::customContextMenuRequested, this, &CProblemsPane::ShowContextMenu);
}

CMapDocument* CProblemsPane::Document() const
{
    return static_cast<CMapDocument*>(GetDocument());
}

void CProblemsPane::SetDocument(CMapDocument* document)
{
    if (document == Document() && (document || m_findings.empty()))
        return;
    if (CDocument* old = GetDocument())
        old->RemoveView(this);
    if (document)
        document->AddView(this);
    Schedule(0);
}

void CProblemsPane::OnUpdate(CView*, const CChangeNotice& notice)
{
    switch (notice.kind) {
    case EChangeKind::kSelection:
    case EChangeKind::kZoom:
    case EChangeKind::kDisplay: return;  // nothing the check reads
    default:
        // Typing, in the text pane or in the form, is checked once it pauses.
        const bool typing = notice.kind == EChangeKind::kTextTyped || notice.cause == EChangeCause::kForm;
        Schedule(typing ? kTypingDelayMs : 0);
        return;
    }
}

void CProblemsPane::Schedule(int delayMs)
{
    // A later keystroke moves the check on; any other change keeps the time already set.
    if (m_timer.isActive() && delayMs == 0)
        return;
    m_timer.start(delayMs);
}

void CProblemsPane::RefreshNow()
{
    m_timer.stop();
    const CMapDocument* document = Document();
    m_findings = document ? CheckDocument(*document) : std::vector<CFinding>();
    Refill();
    emit FindingsChanged(Document());
}

void CProblemsPane::Refill()
{
    // The finding the user stood on stays current while it is still there.
    const int row = m_pList->currentIndex().row();
    const std::optional<std::pair<ECheckRule, int>> current =
        row >= 0 && row < int(m_shown.size()) ? std::optional(m_shown[std::size_t(row)]) : std::nullopt;
    m_shown.clear();
    for (const CFinding& finding : m_findings)
        m_shown.emplace_back(finding.rule, finding.nArea);
    // Rows are made as the list shows them, so thousands of findings cost nothing here.
    m_pModel->SetFindings(&m_findings);
    const auto kept = current ? std::find(m_shown.begin(), m_shown.end(), *current) : m_shown.end();
    if (kept != m_shown.end())
        m_pList->setCurrentIndex(m_pModel->index(int(kept - m_shown.begin())));
}

int CProblemsPane::RowCount() const
{
    return m_pModel->rowCount();
}

QString CProblemsPane::RowText(int row) const
{
    return m_pModel->index(row).data().toString();
}

int CProblemsPane::CountOf(ESeverity severity) const
{
    return int(std::count_if(m_findings.begin(), m_findings.end(),
                             [severity](const CFinding& f) { return RuleSeverity(f.rule) == severity; }));
}

QString CProblemsPane::CountsText() const
{
    QStringList parts;
    if (const int errors = CountOf(ESeverity::kError))
        parts << Plural(errors, "error", "errors");
    if (const int warnings = CountOf(ESeverity::kWarning))
        parts << Plural(warnings, "warning", "warnings");
    if (const int notes = CountOf(ESeverity::kNote))
        parts << Plural(notes, "note", "notes");
    return parts.isEmpty() ? QStringLiteral("No problems") : parts.join(", ");
}

void CProblemsPane::GoToFinding(int row)
{
    CMapDocument* document = Document();
    if (!document || row < 0 || row >= int(m_findings.size()))
        return;
    CMapArea* area = document->AreaNumbered(m_findings[std::size_t(row)].nArea);
    if (!area)
        return;
    SelectAndReveal(*document, *area, this);
}

QString CProblemsPane::FixFor(int row) const
{
    if (row < 0 || row >= int(m_findings.size()))
        return {};
    switch (m_findings[std::size_t(row)].rule) {
    case ECheckRule::kStatusText: return QStringLiteral("Copy status text to title");
    case ECheckRule::kReadingOrder: return QStringLiteral("Sort areas in reading order");
    default: return {};
    }
}

bool CProblemsPane::ApplyFix(int row)
{
    CMapDocument* document = Document();
    if (!document || FixFor(row).isEmpty())
        return false;
    const CFinding finding = m_findings[std::size_t(row)];
    return finding.rule == ECheckRule::kStatusText ? CopyStatusTextToTitle(*document, finding.nArea)
                                                   : SortAreasInReadingOrder(*document);
}

void CProblemsPane::ShowContextMenu(const QPoint& position)
{
    const int row = m_pList->indexAt(position).row();
    const QString fix = FixFor(row);
    if (fix.isEmpty())
        return;
    QMenu menu(this);
    menu.addAction(fix, this, [this, row] { ApplyFix(row); });
    menu.exec(m_pList->viewport()->mapToGlobal(position));
}

}  // namespace mapwright
