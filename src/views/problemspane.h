// The list of the active document's accessibility and link findings. It follows the document as
// a view and checks again shortly after each change, so that typing never waits for the check;
// activating a finding selects its area and brings it into sight.
#pragma once

#include "document/mapcheck.h"
#include "model/document.h"

#include <QAbstractListModel>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

class QListView;

namespace mapwright {

class CMapDocument;

// The findings as rows: the message, a mark per severity, and the rule, criterion and line as tip.
class CFindingsModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    // Shows findings, which must live until the next call; null shows none.
    void SetFindings(const std::vector<CFinding>* findings);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<CFinding>* m_pFindings = nullptr;
};

class CProblemsPane : public QWidget, public CView {
    Q_OBJECT
public:
    // How long typing (in the text pane or the form) pauses before the page is checked again.
    static constexpr int kTypingDelayMs = 150;
    // A start's first check of a page of more areas than this comes after its first frame.
    static constexpr int kAreasCheckedAfterFirstFrame = 1000;

    explicit CProblemsPane(QWidget* parent = nullptr);

    // Shows the findings of document (none when null) from now on.
    void SetDocument(CMapDocument* document);
    CMapDocument* Document() const;

    void OnUpdate(CView* sender, const CChangeNotice& notice) override;
    // Checks the document now, if a check is due.
    void RefreshNow();

    QListView* List() const { return m_pList; }
    int RowCount() const;
    QString RowText(int row) const;
    const std::vector<CFinding>& Findings() const { return m_findings; }
    int CountOf(ESeverity severity) const;
    // "2 errors, 1 warning"; "No problems" when there are none.
    QString CountsText() const;

    // Selects the area of finding row, tells the views and scrolls the canvas to it.
    void GoToFinding(int row);
    // The name of the quick fix of finding row as its context menu shows it; empty when none.
    QString FixFor(int row) const;
    // Applies that fix as one undo step; false when there is none or nothing changed.
    bool ApplyFix(int row);

signals:
    // The findings were shown anew for document (null when none is shown).
    void FindingsChanged(mapwright::CMapDocument* document);

private:
    void Schedule(int delayMs);
    void Refill();
    void ShowContextMenu(const QPoint& position);

    QListView* m_pList = nullptr;
    CFindingsModel* m_pModel = nullptr;
    QTimer m_timer;
    std::vector<CFinding> m_findings;
    // Rule and area of each row as last shown.
    std::vector<std::pair<ECheckRule, int>> m_shown;
};

}  // namespace mapwright
