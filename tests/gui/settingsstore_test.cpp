// The settings between runs: their exact stored bytes, values of the wrong type or size, and the
// font record as a QFont.
#include "platform/logfont.h"
#include "platform/settingsstore.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace mapwright;

class CSettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void SettingsRoundTripAsTheirStoredBytes();
    void FrameworkEntriesRoundTrip();
    void WrongTypesAndSizesKeepTheValuesHeld();
    void FontRecordConvertsToAndFromQFont();
    void DefaultFontIsTenPointCourierOrTheFixedFont();
};

namespace {

QString WriteFile(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath("store.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the settings file");
    file.write(text);
    return path;
}

CLogFontRecord SampleRecord()
{
    CLogFontRecord record;
    record.lfHeight = -16;
    record.lfWidth = 7;
    record.lfEscapement = -900;
    record.lfWeight = 700;
    record.lfItalic = 1;
    record.lfStrikeOut = 1;
    record.lfCharSet = 238;
    record.lfQuality = 5;
    record.lfPitchAndFamily = 0x31;
    std::strcpy(record.lfFaceName, "DejaVu Sans Mono");
    return record;
}

}  // namespace

void CSettingsStoreTest::SettingsRoundTripAsTheirStoredBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    CAppSettings saved;
    saved.m_clrActive = MakeColorRef(0x11, 0x22, 0x33);
    saved.m_clrPassive = MakeColorRef(0xFE, 0x80, 0x01);
    saved.m_bUseDefaultBrowser = 0;
    saved.m_strBrowserPath = "/opt/f\xC3\xAFrefox/firefox";
    saved.m_viewerLogFont = SampleRecord();
    saved.m_bShowGrid = 1;
    saved.m_nGridStep = 25;
    QVERIFY(CSettingsStore(path).SaveSettings(saved));

    QSettings raw(path, QSettings::IniFormat);
    QCOMPARE(raw.value("2.0/ActiveColor").toByteArray(), QByteArray("\x11\x22\x33\x00", 4));
    QCOMPARE(raw.value("2.0/PassiveColor").toByteArray(), QByteArray("\xFE\x80\x01\x00", 4));
    QCOMPARE(raw.value("2.0/UseDefaultBrowser").toInt(), 0);
    const QByteArray font = raw.value("2.0/ViewerLogFont").toByteArray();
    QCOMPARE(font.size(), 60);
    QCOMPARE(font.left(20), QByteArray("\xF0\xFF\xFF\xFF\x07\0\0\0\x7C\xFC\xFF\xFF\0\0\0\0\xBC\x02\0\0", 20));
    QCOMPARE(font.mid(20, 8), QByteArray("\x01\x00\x01\xEE\x00\x00\x05\x31", 8));
    QCOMPARE(font.mid(28), QByteArray("DejaVu Sans Mono").leftJustified(32, '\0'));

    CAppSettings loaded;
    CSettingsStore(path).LoadSettings(loaded);
    QCOMPARE(loaded.m_clrActive, saved.m_clrActive);
    QCOMPARE(loaded.m_clrPassive, saved.m_clrPassive);
    QCOMPARE(loaded.m_bUseDefaultBrowser, 0);
    QCOMPARE(loaded.m_strBrowserPath, saved.m_strBrowserPath);
    QCOMPARE(loaded.m_bShowGrid, 1);
    QCOMPARE(loaded.m_bSnapToGrid, 0);
    QCOMPARE(loaded.m_nGridStep, 25);
    QCOMPARE(LogFontToBytes(loaded.m_viewerLogFont), font);
    QVERIFY(loaded.m_bHasViewFont);
    QVERIFY(loaded.m_viewFont.bold());
    QVERIFY(loaded.m_viewFont.italic());
}

void CSettingsStoreTest::FrameworkEntriesRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    {
        CSettingsStore store(path);
        store.SavePlacement(QRect(-8, 20, 800, 600), true);
        store.SaveBarState(QByteArray("\0\1bars", 6));
        store.SaveRecentFiles({"/a.htm", "", "/b.htm", "/c.htm", "/d.htm", "/e.htm"});
        QVERIFY(store.Sync());
    }
    QSettings raw(path, QSettings::IniFormat);
    QCOMPARE(raw.value("2.0/Mapwright/MainWindow/Pos").toByteArray(),
             QByteArray("\xF8\xFF\xFF\xFF\x14\0\0\0\x18\x03\0\0\x6C\x02\0\0", 16));

    CSettingsStore store(path);
    const CStoredPlacement placement = store.LoadPlacement();
    QCOMPARE(placement.m_rcNormal, std::optional<QRect>(QRect(-8, 20, 800, 600)));
    QVERIFY(placement.m_bMaximized);
    QCOMPARE(store.LoadBarState(), QByteArray("\0\1bars", 6));
    QCOMPARE(store.LoadRecentFiles(), QStringList({"/a.htm", "/b.htm", "/c.htm", "/d.htm"}));

    // A shorter list leaves no old names behind.
    store.SaveRecentFiles({"/z.htm"});
    QCOMPARE(store.LoadRecentFiles(), QStringList({"/z.htm"}));
}

void CSettingsStoreTest::WrongTypesAndSizesKeepTheValuesHeld()
{
    QTemporaryDir dir;
    const QByteArray longPath = "/" + QByteArray(5000, 'p');
    const QString path = WriteFile(dir, "[2.0]\n"
                                        "ActiveColor=@ByteArray(abc)\n"
                                        "PassiveColor=hello\n"
                                        "UseDefaultBrowser=abc\n"
                                        "BrowserPath=" + longPath + "\n"
                                        "ViewerLogFont=@ByteArray(0123456789)\n"
                                        "GridStep=0\n"
                                        "ShowGrid=yes\n"
                                        "Mapwright\\MainWindow\\Pos=@ByteArray(0123456789ab)\n"
                                        "Mapwright\\MainWindow\\Maximized=yes\n"
                                        "Mapwright\\BarInfo=text\n"
                                        "Mapwright\\Recent%20File%20List\\File1=@ByteArray(xyz)\n"
                                        "Mapwright\\Recent%20File%20List\\File2=/kept.htm\n");
    CAppSettings settings;
    settings.m_viewerLogFont = SampleRecord();
    const QByteArray font = LogFontToBytes(settings.m_viewerLogFont);
    CSettingsStore store(path);
    store.LoadSettings(settings);
    QCOMPARE(settings.m_clrActive, MakeColorRef(255, 0, 0));
    QCOMPARE(settings.m_clrPassive, MakeColorRef(0, 255, 0));
    QCOMPARE(settings.m_bUseDefaultBrowser, 1);
    QVERIFY(settings.m_strBrowserPath.empty());
    QCOMPARE(LogFontToBytes(settings.m_viewerLogFont), font);
    QVERIFY(!settings.m_bHasViewFont);
    QCOMPARE(settings.m_nGridStep, kDefaultGridStep);
    QCOMPARE(settings.m_bShowGrid, 0);
    const CStoredPlacement placement = store.LoadPlacement();
    QVERIFY(!placement.m_rcNormal);
    QVERIFY(!placement.m_bMaximized);
    QVERIFY(store.LoadBarState().isEmpty());
    QCOMPARE(store.LoadRecentFiles(), QStringList({"/kept.htm"}));

    // A rectangle with no area, a path split into a list by commas, a file that is not text.
    CSettingsStore(WriteFile(dir, "[2.0]\nBrowserPath=a,b\nMapwright\\MainWindow\\Pos="
                                  "@ByteArray(\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\0\\x1\\0\\0\\0)\n"))
        .LoadSettings(settings);
    QVERIFY(settings.m_strBrowserPath.empty());
    QVERIFY(!CSettingsStore(dir.filePath("store.ini")).LoadPlacement().m_rcNormal);
    CSettingsStore garbage(WriteFile(dir, QByteArray("\0\xFF[\x01=\n\x80@ByteArray(", 14)));
    garbage.LoadSettings(settings);
    QCOMPARE(settings.m_clrActive, MakeColorRef(255, 0, 0));
    QCOMPARE(LogFontToBytes(settings.m_viewerLogFont), font);
    // The next save puts sound values in place of the garbage.
    settings.m_clrActive = MakeColorRef(1, 2, 3);
    garbage.SaveSettings(settings);
    CAppSettings repaired;
    CSettingsStore(dir.filePath("store.ini")).LoadSettings(repaired);
    QCOMPARE(repaired.m_clrActive, MakeColorRef(1, 2, 3));
}

void CSettingsStoreTest::FontRecordConvertsToAndFromQFont()
{
    QFont font(QFontDatabase::hasFamily("DejaVu Sans") ? QString("DejaVu Sans") : QFontDatabase::families().value(0));
    font.setPointSize(12);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    const CLogFontRecord record = LogFontFromFont(font, 96);
    QCOMPARE(record.lfHeight, -16);
    QCOMPARE(record.lfWeight, 700);
    QCOMPARE(record.lfItalic + record.lfUnderline + record.lfStrikeOut, 3);
    QCOMPARE(QString(record.lfFaceName), font.family());

    const QFont back = FontFromLogFont(record, 96);
    QCOMPARE(back.family(), font.family());
    QCOMPARE(back.pointSizeF(), 12.0);
    QCOMPARE(back.weight(), QFont::Bold);
    QVERIFY(back.italic() && back.underline() && back.strikeOut());
    // The same record at 144 dots per inch is a smaller font of the same pixels.
    QCOMPARE(FontFromLogFont(record, 144).pointSizeF(), 8.0);

    // A positive height is the cell, leading included: a smaller em.
    CLogFontRecord cell = record;
    cell.lfHeight = 20;
    const double cellPoints = FontFromLogFont(cell, 96).pointSizeF();
    QVERIFY(cellPoints < 15.0 && cellPoints > 10.0);

    // Absurd stored values still give a usable font.
    CLogFontRecord absurd = record;
    absurd.lfHeight = INT32_MIN;
    absurd.lfWeight = -5;
    const QFont sane = FontFromLogFont(absurd, 0);
    QVERIFY(sane.pointSizeF() > 0 && sane.pointSizeF() <= 1000);
    QCOMPARE(sane.weight(), QFont::Normal);

    // A long face name is cut at a character boundary and still ends in a zero.
    QFont wide(QString(40, QChar(0xC4)));
    const CLogFontRecord cut = LogFontFromFont(wide, 96);
    QCOMPARE(QByteArray(cut.lfFaceName), QString(15, QChar(0xC4)).toUtf8());

    // A stored record without its final zero reads back as a 31-byte face.
    QByteArray bytes = LogFontToBytes(record);
    bytes.replace(28, 32, QByteArray(32, 'F'));
    QCOMPARE(std::strlen(LogFontFromBytes(bytes)->lfFaceName), std::size_t(31));
}

void CSettingsStoreTest::DefaultFontIsTenPointCourierOrTheFixedFont()
{
    const CLogFontRecord record = DefaultViewerLogFont(96);
    QCOMPARE(record.lfHeight, -13);
    QCOMPARE(DefaultViewerLogFont(120).lfHeight, -16);
    QCOMPARE(QByteArray(record.lfFaceName), QByteArray("Courier"));
    QCOMPARE(record.lfCharSet, std::uint8_t(1));
    CLogFontRecord zeroed = record;
    zeroed.lfHeight = 0;
    zeroed.lfCharSet = 0;
    std::memset(zeroed.lfFaceName, 0, sizeof zeroed.lfFaceName);
    QCOMPARE(LogFontToBytes(zeroed), QByteArray(60, '\0'));

    CAppSettings settings;
    ApplyViewerLogFont(settings, record, 96);
    QVERIFY(settings.m_bHasViewFont);
    QCOMPARE(settings.m_viewFont.pointSizeF(), 9.75);
    // Without a Courier the desktop's fixed font stands in, or a fixed-pitch family installed.
    if (QFontDatabase::hasFamily("Courier"))
        QCOMPARE(settings.m_viewFont.family(), QString("Courier"));
    // What the text pane needs is columns: narrow, wide and punctuation glyphs advance alike,
    // whatever the font file says of its pitch.
    const QFontMetricsF metrics(settings.m_viewFont);
    QCOMPARE(metrics.horizontalAdvance('W'), metrics.horizontalAdvance('i'));
    QCOMPARE(metrics.horizontalAdvance('.'), metrics.horizontalAdvance('i'));
}

QTEST_MAIN(CSettingsStoreTest)
#include "settingsstore_test.moc"
