#include "views/areaform.h"

#include "platform/bytecodec.h"
#include "views/editcommands.h"
#include "views/undokeyfilter.h"
#include "views/viewhost.h"
#include "document/typedcoords.h"
#include "html/mapwriter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <limits>
#include <optional>

namespace mapwright {
namespace {

// The target frames of the list, in list order: the entry shown and the keyword stored.
constexpr const char* kTargetEntries[] = {"Same Frame", "Whole Page", "New Browser Window", "Parent Frame"};
constexpr const char* kTargetKeywords[] = {"_self", "_top", "_blank", "_parent"};

// The area attribute of each field.
constexpr std::string CMapArea::*kFieldAttributes[] = {
    &CMapArea::m_strHref, &CMapArea::m_strAlt, &CMapArea::m_strStatusOver, &CMapArea::m_strStatusOut,
    &CMapArea::m_strTitle};

// The form's template is in dialog units: a quarter of the font's average character width
// across, an eighth of its height down.
struct CDialogUnits {
    explicit CDialogUnits(const QFontMetrics& metrics)
        : baseX((metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2),
          baseY(metrics.height())
    {
    }
    QRect ToPixels(int x, int y, int cx, int cy) const
    {
        return QRect(x * baseX / 4, y * baseY / 8, cx * baseX / 4, cy * baseY / 8);
    }
    int baseX;
    int baseY;
};

constexpr int kTemplateHeight = 252;

// An attribute lives inside one line of the page, so a line break typed or pasted into a field
// becomes a space.
class COneLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar& character : input) {
            if (character == u'\r' || character == u'\n')
                character = u' ';
        }
        return Acceptable;
    }
};

std::string AsciiLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

CAreaForm::CAreaForm(CMapDocument* document, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    CreateControls();
    if (document)
        document->AddView(this);
    ViewHost().AddDocTab(this, document);
    OnInitialUpdate();
}

CAreaForm::~CAreaForm()
{
    ViewHost().RemoveDocTab(this);
}

CMapDocument* CAreaForm::Document() const
{
    return static_cast<CMapDocument*>(GetDocument());
}

void CAreaForm::CreateControls()
{
    m_pForm = new QWidget;
    const CDialogUnits units(m_pForm->fontMetrics());
    m_nFormHeight = units.ToPixels(0, 0, 0, kTemplateHeight).height();
    auto* undoKeys = new CUndoKeyFilter(this);
    auto label = [&](const char* text, int x, int y, int cx, int cy) {
        auto* control = new QLabel(QString::fromLatin1(text), m_pForm);
        QRect place = units.ToPixels(x, y, cx, cy);
        // The template's widths fit its own font; a wider font must not cut a label short.
        place.setWidth(std::max(place.width(), control->sizeHint().width()));
        control->setGeometry(place);
    };
    auto group = [&](const char* title, int x, int y, int cx, int cy) {
        auto* control = new QGroupBox(QString::fromLatin1(title), m_pForm);
        control->setGeometry(units.ToPixels(x, y, cx, cy));
        return control;
    };
    auto edit = [&](int x, int y, int cx, int cy) {
        auto* control = new QLineEdit(m_pForm);
        control->setGeometry(units.ToPixels(x, y, cx, cy));
        control->setMaxLength(std::numeric_limits<int>::max());
        control->setValidator(new COneLineValidator(control));
        control->installEventFilter(undoKeys);
        return control;
    };

    // In the template's tab order.
    label("URL:", 11, 15, 18, 8);
    label("Alternate text:", 11, 42, 44, 8);
    m_groups[0] = group("Standard", 4, 4, 61, 94);
    label("OnMouseOver:", 11, 121, 49, 8);
    label("OnMouseOut:", 11, 148, 45, 8);
    label("Title:", 11, 175, 45, 8);
    m_groups[1] = group("Advanced", 3, 110, 61, 95);
    m_fields[kUrl] = edit(9, 23, 53, 15);
    m_fields[kAltText] = edit(9, 50, 53, 14);
    m_fields[kMouseOver] = edit(9, 129, 53, 14);
    m_fields[kMouseOut] = edit(9, 156, 53, 14);
    m_fields[kTitle] = edit(9, 183, 53, 14);
    label("Coordinates:", 11, 222, 45, 8);
    m_groups[2] = group("Geometry", 3, 211, 61, 40);
    m_pCoords = edit(9, 230, 53, 14);
    m_pCoords->setObjectName("coordsField");
    label("Target Frame:", 10, 68, 45, 8);
    m_comboTarget = new QComboBox(m_pForm);
    m_comboTarget->setEditable(true);
    m_comboTarget->setInsertPolicy(QComboBox::NoInsert);  // the list is fixed
    // A typed target is stored as typed: nothing completes it, and text that matches an entry is
    // not taken for a pick of that entry when editing ends (Qt's combo box would do that).
    m_comboTarget->setCompleter(nullptr);
    disconnect(m_comboTarget->lineEdit(), &QLineEdit::editingFinished, m_comboTarget, nullptr);
    m_comboTarget->setGeometry(units.ToPixels(9, 77, 53, 14));
    m_comboTarget->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    m_comboTarget->setValidator(new COneLineValidator(m_comboTarget));
    m_comboTarget->installEventFilter(undoKeys);
    m_comboTarget->lineEdit()->installEventFilter(undoKeys);
    for (QGroupBox* box : m_groups)
        box->lower();  // group boxes only frame the controls drawn over them
    // Tab follows the fields as they stand on screen, top to bottom.
    QWidget* const tabOrder[] = {m_fields[kUrl],       m_fields[kAltText],  m_comboTarget,
                                 m_fields[kMouseOver], m_fields[kMouseOut], m_fields[kTitle], m_pCoords};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // User edits only: filling the controls from the program raises neither signal.
    connect(m_fields[kUrl], &QLineEdit::textEdited, this, [this] { OnChangeField(kUrl); });
    connect(m_fields[kAltText], &QLineEdit::textEdited, this, [this] { OnChangeField(kAltText); });
    connect(m_fields[kMouseOver], &QLineEdit::textEdited, this, [this] { OnChangeField(kMouseOver); });
    connect(m_fields[kMouseOut], &QLineEdit::textEdited, this, [this] { OnChangeField(kMouseOut); });
    connect(m_fields[kTitle], &QLineEdit::textEdited, this, [this] { OnChangeField(kTitle); });
    connect(m_pCoords, &QLineEdit::editingFinished, this, &CAreaForm::OnCoordsEntered);
    connect(m_comboTarget->lineEdit(), &QLineEdit::textEdited, this, &CAreaForm::OnEditChangeTarget);
    connect(m_comboTarget, &QComboBox::activated, this, &CAreaForm::OnSelChangeTarget);

    setWidget(m_pForm);
}

void CAreaForm::OnInitialUpdate()
{
    for (const char* entry : kTargetEntries)
        m_comboTarget->addItem(QString::fromLatin1(entry));
    // The list pops up as wide as its longest entry, however narrow the form is.
    QAbstractItemView* list = m_comboTarget->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    OnUpdate(nullptr, {});
}

void CAreaForm::ShowCoords(const CMapArea* area)
{
    m_pCoords->setEnabled(area != nullptr);
    m_pCoords->setPalette(QPalette());
    m_pCoords->setText(area ? QString::fromStdString(FormatCoords(*area)) : QString());
    m_pCoords->setCursorPosition(0);
}

void CAreaForm::OnCoordsEntered()
{
    CMapDocument* doc = Document();
    CMapArea* area = doc ? doc->FirstSelected() : nullptr;
    if (!area || !m_pCoords->isModified())
        return;
    m_pCoords->setModified(false);
    const std::string typed = m_pCoords->text().toStdString();
    if (typed == FormatCoords(*area))
        return;
    std::string error;
    if (!ApplyTypedCoords(*doc, *area, typed, this, error)) {
        // Refused: the text stays for mending, in the palette's error colour.
        QPalette refused = m_pCoords->palette();
        refused.setColor(QPalette::Text, QColor(Qt::red).darker(120));
        refused.setColor(QPalette::Base, QColor(255, 230, 230));
        m_pCoords->setPalette(refused);
        ViewHost().SetStatusText(QString::fromStdString(error));
        return;
    }
    // The area now holds what its tag reads: the field shows that, clamped where a drag would be.
    ShowCoords(doc->FirstSelected());
}

int CAreaForm::PreferredWidth() const
{
    constexpr int kLinkCharacters = 30;
    const int link = m_fields[kUrl]->fontMetrics().averageCharWidth() * kLinkCharacters;
    int entry = 0;
    for (int i = 0; i < m_comboTarget->count(); ++i)
        entry = std::max(entry, m_comboTarget->fontMetrics().horizontalAdvance(m_comboTarget->itemText(i)));
    // The combo box needs its arrow and frame beside the text; the fields stand 30 pixels in.
    const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    const int fields = std::max(link, entry + arrow);
    return std::max(fields + 30, kMinLayoutWidth) + 2 * frameWidth();
}

void CAreaForm::OnUpdate(CView*, const CChangeNotice&)
{
    CMapDocument* doc = Document();
    const CMapArea* area = doc ? doc->FirstSelected() : nullptr;

    for (QLineEdit* field : m_fields)
        field->setEnabled(area != nullptr);
    m_comboTarget->setEnabled(area != nullptr);
    // The coordinates belong to one area; with several selected a move or a nudge places them.
    const bool several = doc && doc->SelectedCount() > 1;
    ShowCoords(several ? nullptr : area);
    if (several) {
        ShowSeveral(*doc);
        return;
    }
    ShowPlaceholders({});
    if (!area) {
        for (int field = 0; field < kFieldCount; ++field)
            Member(static_cast<EField>(field)).clear();
        ShowTarget(QString(), std::string());
        UpdateData(false);
        return;
    }

    // The page's codec is looked for only when a text needs it.
    bool ascii = IsAscii(area->m_strTarget);
    for (const auto attribute : kFieldAttributes)
        ascii = ascii && IsAscii(area->*attribute);
    const ETextCodec codec = ascii ? ETextCodec::Utf8 : DetectCodec(doc->Lines());
    for (int field = 0; field < kFieldCount; ++field)
        Member(static_cast<EField>(field)) = DecodeBytes(area->*kFieldAttributes[field], codec);
    ShowTarget(DecodeBytes(area->m_strTarget, codec), area->m_strTarget);
    UpdateData(false);
}

namespace {

constexpr const char* kSeveralValues = "(several values)";

// The value of attribute that every area holds, or nothing when they differ.
std::optional<std::string> SharedValue(const std::vector<CMapArea*>& areas, std::string CMapArea::*attribute)
{
    const std::string& first = areas.front()->*attribute;
    for (const CMapArea* area : areas) {
        if (area->*attribute != first)
            return std::nullopt;
    }
    return first;
}

}  // namespace

void CAreaForm::ShowSeveral(const CMapDocument& doc)
{
    const std::vector<CMapArea*> selected = doc.SelectedAreas();
    const ETextCodec codec = DetectCodec(doc.Lines());
    for (int field = 0; field < kFieldCount; ++field) {
        const std::optional<std::string> shared = SharedValue(selected, kFieldAttributes[field]);
        Member(static_cast<EField>(field)) = shared ? DecodeBytes(*shared, codec) : QString();
    }
    const std::optional<std::string> target = SharedValue(selected, &CMapArea::m_strTarget);
    ShowTarget(target ? DecodeBytes(*target, codec) : QString(), target.value_or(std::string()));
    ShowPlaceholders(selected);
    UpdateData(false);
}

void CAreaForm::ShowPlaceholders(const std::vector<CMapArea*>& selected)
{
    const auto placeholder = [&](std::string CMapArea::*attribute) {
        return selected.size() > 1 && !SharedValue(selected, attribute) ? QString::fromLatin1(kSeveralValues) : QString();
    };
    for (int field = 0; field < kFieldCount; ++field)
        m_fields[field]->setPlaceholderText(placeholder(kFieldAttributes[field]));
    m_comboTarget->lineEdit()->setPlaceholderText(placeholder(&CMapArea::m_strTarget));
}

void CAreaForm::ShowTarget(const QString& target, const std::string& storedTarget)
{
    const std::string lower = AsciiLower(storedTarget);
    const auto* keyword = std::find(std::begin(kTargetKeywords), std::end(kTargetKeywords), lower);
    const int index = keyword == std::end(kTargetKeywords) ? -1 : static_cast<int>(keyword - std::begin(kTargetKeywords));
    m_comboTarget->setCurrentIndex(index);
    // Setting the same index again leaves typed text in the edit field, so the text is set too.
    const QString shown = index >= 0 ? m_comboTarget->itemText(index) : target;
    if (m_comboTarget->currentText() != shown)
        m_comboTarget->setEditText(shown);
    m_comboTarget->lineEdit()->setCursorPosition(0);  // a text newly shown is read from its start
}

QString& CAreaForm::Member(EField field)
{
    switch (field) {
    case kUrl: return m_strUrl;
    case kAltText: return m_strAltText;
    case kMouseOver: return m_strMouseOver;
    case kTitle: return m_strTitle;
    case kMouseOut:
    case kFieldCount: break;
    }
    return m_strMouseOut;
}

void CAreaForm::UpdateData(bool saveAndValidate)
{
    for (int field = 0; field < kFieldCount; ++field) {
        QLineEdit* edit = m_fields[field];
        QString& member = Member(static_cast<EField>(field));
        if (saveAndValidate)
            member = edit->text();
        else if (edit->text() != member) {  // setting equal text would only move the caret
            edit->setText(member);
            edit->setCursorPosition(0);  // a text newly shown is read from its start
        }
    }
}

void CAreaForm::OnChangeField(EField field)
{
    UpdateData(true);
    WriteBack(kFieldAttributes[field], Member(field));
}

void CAreaForm::OnEditChangeTarget()
{
    UpdateData(true);
    WriteBack(&CMapArea::m_strTarget, m_comboTarget->currentText());
}

void CAreaForm::OnSelChangeTarget(int index)
{
    const bool listed = index >= 0 && index < static_cast<int>(std::size(kTargetKeywords));
    WriteBack(&CMapArea::m_strTarget, listed ? QString::fromLatin1(kTargetKeywords[index]) : QString());
}

void CAreaForm::WriteBack(std::string CMapArea::*attribute, const QString& text)
{
    CMapDocument* doc = Document();
    if (!doc)
        return;
    const std::vector<CMapArea*> selected = doc->SelectedAreas();
    if (selected.empty())
        return;
    const ETextCodec codec = IsAscii(text) ? ETextCodec::Utf8 : DetectCodec(doc->Lines());
    const std::string value = EncodeText(text, codec);
    if (std::all_of(selected.begin(), selected.end(), [&](const CMapArea* area) { return area->*attribute == value; }))
        return;
    if (selected.size() > 1) {
        // One keystroke sets the field on every selected area: one undo step; out of memory the
        // areas read their tags again.
        for (CMapArea* area : selected)
            area->*attribute = value;
        doc->AreasChanged(selected, EEditSource::kForm, this);
        ShowPlaceholders(doc->SelectedAreas());
        return;
    }
    CMapArea* area = selected.front();
    std::string previous = std::exchange(area->*attribute, value);
    // Out of memory the tag was not rewritten: the area keeps what its tag says.
    if (!doc->AreaChanged(*area, EEditSource::kForm, this))
        area->*attribute = std::move(previous);
}

void CAreaForm::OnActivateView(bool activate)
{
    if (activate)
        ViewHost().RefreshAllTabs();
}

QLineEdit* CAreaForm::FocusedField() const
{
    QWidget* control = FocusedTextControl();
    if (control && control == m_comboTarget->lineEdit())
        return m_comboTarget->lineEdit();
    const auto* found = std::find(m_fields.begin(), m_fields.end(), control);
    return found == m_fields.end() || !control ? nullptr : *found;
}

void CAreaForm::OnEditCopy()
{
    if (QLineEdit* field = FocusedField())
        field->copy();
}

void CAreaForm::OnEditCut()
{
    if (QLineEdit* field = FocusedField())
        field->cut();
}

void CAreaForm::OnEditPaste()
{
    if (QLineEdit* field = FocusedField())
        field->paste();
}

CCommandState CAreaForm::OnUpdateEditCopyCut() const
{
    const QLineEdit* field = FocusedField();
    return {field && field->hasSelectedText(), false};
}

CCommandState CAreaForm::OnUpdateEditPaste() const
{
    return {ClipboardHasText(), false};
}

bool CAreaForm::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        LayOut();
    return QScrollArea::viewportEvent(event);
}

void CAreaForm::LayOut()
{
    const int width = std::max(viewport()->width(), kMinLayoutWidth);
    m_pForm->resize(width, std::max(viewport()->height(), m_nFormHeight));
    for (QGroupBox* box : m_groups)
        box->setGeometry(box->x(), box->y(), width - 10, box->height());
    QWidget* const fields[] = {m_fields[kUrl],      m_fields[kAltText], m_fields[kMouseOver],
                               m_fields[kMouseOut], m_fields[kTitle],   m_comboTarget,
                               m_pCoords};
    for (QWidget* field : fields)
        field->setGeometry(field->x(), field->y(), width - 30, field->height());
}

}  // namespace mapwright
