#include "platform/settingsstore.h"

#include "platform/logfont.h"

#include <QFile>
#include <QtEndian>

namespace mapwright {
namespace {

const QString kProgramGroup = QStringLiteral("2.0");
const QString kFrameworkGroup = QStringLiteral("2.0/Mapwright");
constexpr int kColorBytes = 4;
constexpr int kPosBytes = 16;
// The longest browser path the program has ever read back, in bytes.
constexpr qsizetype kMaxBrowserPathBytes = 4095;

// The stored bytes of key when they are bytes and exactly size long.
std::optional<QByteArray> ReadBytes(const QSettings& store, const QString& key, qsizetype size)
{
    const QVariant value = store.value(key);
    if (value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    QByteArray bytes = value.toByteArray();
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

// The stored number of key: a number, or a text that is one (INI files keep numbers as text).
std::optional<std::int32_t> ReadInt32(const QSettings& store, const QString& key)
{
    const QVariant value = store.value(key);
    bool ok = false;
    int number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::QString:
        number = value.toInt(&ok);
        break;
    default:
        break;
    }
    return ok ? std::optional<std::int32_t>(number) : std::nullopt;
}

std::optional<QString> ReadString(const QSettings& store, const QString& key)
{
    const QVariant value = store.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

QByteArray ColorBytes(CColorRef color)
{
    const CColorRef little = qToLittleEndian(color);
    return QByteArray(reinterpret_cast<const char*>(&little), kColorBytes);
}

void ReadColor(const QSettings& store, const QString& key, CColorRef& color)
{
    if (const auto bytes = ReadBytes(store, key, kColorBytes))
        color = qFromLittleEndian<CColorRef>(bytes->constData());
}

}  // namespace

CSettingsStore::CSettingsStore() : m_settings(QStringLiteral("Quillon"), QStringLiteral("Mapwright")) {}

CSettingsStore::CSettingsStore(const QString& path) : m_settings(path, QSettings::IniFormat) {}

void CSettingsStore::LoadSettings(CAppSettings& settings)
{
    m_settings.beginGroup(kProgramGroup);
    if (const auto flag = ReadInt32(m_settings, QStringLiteral("UseDefaultBrowser")))
        settings.m_bUseDefaultBrowser = *flag;
    if (const auto path = ReadString(m_settings, QStringLiteral("BrowserPath"))) {
        const QByteArray bytes = QFile::encodeName(*path);
        if (bytes.size() <= kMaxBrowserPathBytes)
            settings.m_strBrowserPath.assign(bytes.constData(), std::size_t(bytes.size()));
    }
    if (const auto bytes = ReadBytes(m_settings, QStringLiteral("ViewerLogFont"), kLogFontBytes))
        ApplyViewerLogFont(settings, *LogFontFromBytes(*bytes), ScreenDpiY());
    ReadColor(m_settings, QStringLiteral("PassiveColor"), settings.m_clrPassive);
    ReadColor(m_settings, QStringLiteral("ActiveColor"), settings.m_clrActive);
    if (const auto flag = ReadInt32(m_settings, QStringLiteral("ShowGrid")))
        settings.m_bShowGrid = *flag != 0;
    if (const auto flag = ReadInt32(m_settings, QStringLiteral("SnapToGrid")))
        settings.m_bSnapToGrid = *flag != 0;
    // A step out of range (edited by hand) keeps the default.
    if (const auto step = ReadInt32(m_settings, QStringLiteral("GridStep")); step && *step >= kMinGridStep &&
                                                                              *step <= kMaxGridStep)
        settings.m_nGridStep = *step;
    m_settings.endGroup();
}

bool CSettingsStore::SaveSettings(const CAppSettings& settings)
{
    m_settings.beginGroup(kProgramGroup);
    m_settings.setValue(QStringLiteral("UseDefaultBrowser"), settings.m_bUseDefaultBrowser);
    m_settings.setValue(QStringLiteral("BrowserPath"), QFile::decodeName(settings.m_strBrowserPath.c_str()));
    m_settings.setValue(QStringLiteral("ViewerLogFont"), LogFontToBytes(settings.m_viewerLogFont));
    m_settings.setValue(QStringLiteral("PassiveColor"), ColorBytes(settings.m_clrPassive));
    m_settings.setValue(QStringLiteral("ActiveColor"), ColorBytes(settings.m_clrActive));
    m_settings.setValue(QStringLiteral("ShowGrid"), settings.m_bShowGrid);
    m_settings.setValue(QStringLiteral("SnapToGrid"), settings.m_bSnapToGrid);
    m_settings.setValue(QStringLiteral("GridStep"), settings.m_nGridStep);
    m_settings.endGroup();
    return Sync();
}

CStoredPlacement CSettingsStore::LoadPlacement()
{
    CStoredPlacement placement;
    m_settings.beginGroup(kFrameworkGroup + QStringLiteral("/MainWindow"));
    placement.m_bMaximized = ReadInt32(m_settings, QStringLiteral("Maximized")).value_or(0) != 0;
    if (const auto bytes = ReadBytes(m_settings, QStringLiteral("Pos"), kPosBytes)) {
        const char* data = bytes->constData();
        const auto left = qFromLittleEndian<std::int32_t>(data);
        const auto top = qFromLittleEndian<std::int32_t>(data + 4);
        const auto right = qFromLittleEndian<std::int32_t>(data + 8);
        const auto bottom = qFromLittleEndian<std::int32_t>(data + 12);
        // A rectangle with no area cannot hold the window; the default place is better.
        if (std::int64_t(right) > left && std::int64_t(bottom) > top)
            placement.m_rcNormal = QRect(left, top, right - left, bottom - top);
    }
    m_settings.endGroup();
    return placement;
}

void CSettingsStore::SavePlacement(const QRect& normal, bool maximized)
{
    QByteArray pos;
    for (std::int32_t value : {normal.left(), normal.top(), normal.left() + normal.width(),
                               normal.top() + normal.height()}) {
        const std::int32_t little = qToLittleEndian(value);
        pos.append(reinterpret_cast<const char*>(&little), sizeof little);
    }
    m_settings.beginGroup(kFrameworkGroup + QStringLiteral("/MainWindow"));
    m_settings.setValue(QStringLiteral("Pos"), pos);
    m_settings.setValue(QStringLiteral("Maximized"), maximized ? 1 : 0);
    m_settings.endGroup();
}

QByteArray CSettingsStore::LoadBarState()
{
    const QVariant value = m_settings.value(kFrameworkGroup + QStringLiteral("/BarInfo"));
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void CSettingsStore::SaveBarState(const QByteArray& state)
{
    m_settings.setValue(kFrameworkGroup + QStringLiteral("/BarInfo"), state);
}

QStringList CSettingsStore::LoadRecentFiles()
{
    QStringList files;
    m_settings.beginGroup(kFrameworkGroup + QStringLiteral("/Recent File List"));
    for (int i = 1; i <= kRecentFiles; ++i) {
        const auto file = ReadString(m_settings, QStringLiteral("File%1").arg(i));
        if (file && !file->isEmpty())
            files << *file;
    }
    m_settings.endGroup();
    return files;
}

void CSettingsStore::SaveRecentFiles(const QStringList& files)
{
    m_settings.beginGroup(kFrameworkGroup + QStringLiteral("/Recent File List"));
    m_settings.remove(QString());
    int number = 1;
    for (const QString& file : files) {
        if (number > kRecentFiles)
            break;
        if (!file.isEmpty())
            m_settings.setValue(QStringLiteral("File%1").arg(number++), file);
    }
    m_settings.endGroup();
}

bool CSettingsStore::Sync()
{
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

}  // namespace mapwright
