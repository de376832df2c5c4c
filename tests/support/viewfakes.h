// Stand-ins for what the views reach outside themselves, for GUI tests: a view host that records
// what it is asked and a widget that takes the focus as the canvas does; and typing any text.
#pragma once

#include "document/mapdocument.h"
#include "views/viewhost.h"

#include <QWidget>
#include <QtTest>

#include <vector>

namespace mapwright {

class CRecordingViewHost : public CViewHost {
public:
    CRecordingViewHost() { SetViewHost(this); }
    ~CRecordingViewHost() override { SetViewHost(nullptr); }

    void SetStatusText(const QString& text) override { m_statusTexts.push_back(text); }
    void ShowScaleInZoomBox(double scale) override { m_scales.push_back(scale); }
    void AddDocTab(QWidget* form, CMapDocument* document) override { m_added.push_back({form, document}); }
    void RemoveDocTab(QWidget* form) override { m_removed.push_back(form); }
    void RefreshAllTabs() override { ++m_nRefreshes; }

    struct CTab {
        QWidget* form;
        CMapDocument* document;
    };
    std::vector<QString> m_statusTexts;
    std::vector<double> m_scales;
    std::vector<CTab> m_added;
    std::vector<QWidget*> m_removed;
    int m_nRefreshes = 0;
};

// Takes the focus like the canvas.
class CFakeCanvas : public QWidget {
public:
    explicit CFakeCanvas(QWidget* parent = nullptr) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
};

// Types text into widget one character (or surrogate pair) at a time, as key presses with that
// text, which QTest::keyClicks cannot do beyond Latin-1.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
        i += length - 1;
    }
}

}  // namespace mapwright
