#include "settings/SettingsFile.h"

#include "settings/SettingsNumbers.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <QXmlStreamReader>

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

namespace {

// One value of the file and the preference it mirrors. The kind decides
// which of the accessors is set: whole numbers (flags, the light position and
// the coded places and styles, which keep their stored numbers) through the
// two functions, colours and widths through the member pointers.
struct SettingsValue {
    enum Kind { Int, LightIndex, Color, Width };

    const char* section;
    const char* name;
    Kind kind;
    std::int32_t (*getInt)(const CViewPreferences&) = nullptr;
    void (*setInt)(CViewPreferences&, std::int32_t) = nullptr;
    COLORREF CViewPreferences::*colorField = nullptr;
    double CViewPreferences::*widthField = nullptr;
};

template <auto Field>
constexpr SettingsValue IntValue(const char* s, const char* n, SettingsValue::Kind kind = SettingsValue::Int)
{
    using Type = std::remove_cvref_t<decltype(std::declval<CViewPreferences&>().*Field)>;
    return {s, n, kind, [](const CViewPreferences& p) { return std::int32_t(p.*Field); },
            [](CViewPreferences& p, std::int32_t v) { p.*Field = static_cast<Type>(v); }, nullptr, nullptr};
}
constexpr SettingsValue ColorValue(const char* s, const char* n, COLORREF CViewPreferences::*f)
{
    return {s, n, SettingsValue::Color, nullptr, nullptr, f, nullptr};
}
constexpr SettingsValue WidthValue(const char* s, const char* n, double CViewPreferences::*f)
{
    return {s, n, SettingsValue::Width, nullptr, nullptr, nullptr, f};
}

using P = CViewPreferences;

// The file's sections and values in file order. Rows of one section follow
// each other; a reader looks a section up when its name changes.
const std::array<SettingsValue, kSettingsValueCount> kValues = {{
    IntValue<&P::m_showControl>("Control", "Show"),
    IntValue<&P::m_controlPos>("Control", "Pos"),
    IntValue<&P::m_showColor>("Color", "Show"),
    IntValue<&P::m_colorPos>("Color", "Pos"),
    IntValue<&P::m_showAxis>("Axis", "Show"),
    WidthValue("Axis", "Width", &P::m_axisLineWidth),
    ColorValue("BackGround", "Color", &P::m_backColor),
    IntValue<&P::m_showSight>("Sight", "Show"),
    ColorValue("Sight", "Color", &P::m_sightColor),
    WidthValue("Sight", "Width", &P::m_sightLineWidth),
    IntValue<&P::m_showGround>("Ground", "Show"),
    ColorValue("Ground", "Color", &P::m_groundColor),
    IntValue<&P::m_showFrame>("Frame", "Show"),
    ColorValue("Frame", "Color", &P::m_frameColor),
    WidthValue("Frame", "Width", &P::m_frameLineWidth),
    IntValue<&P::m_showCanvas>("Canvas", "Show"),
    ColorValue("Canvas", "Color", &P::m_canvasColor),
    WidthValue("Canvas", "Width", &P::m_canvasLineWidth),
    IntValue<&P::m_wireFrame>("Cube", "WireFrame"),
    IntValue<&P::m_lightEnable>("Light", "Enable"),
    IntValue<&P::m_lightPos>("Light", "Position", SettingsValue::LightIndex),
}};

// The light directions are an eight-entry table.
constexpr std::int32_t kLightDirections = 8;

// The file the writer makes is three elements deep. The DOM library takes time
// that grows with the square of the nesting depth, so a hostile file of a few
// hundred kilobytes of nested elements would stall start-up for minutes;
// anything much deeper than a settings file can be is refused unread.
constexpr int kMaxElementDepth = 64;

bool NestsTooDeep(const QByteArray& bytes)
{
    QXmlStreamReader reader(bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            if (++depth > kMaxElementDepth)
                return true;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return false; // a parse error is left to the DOM load, which refuses it too
}

// The document every save starts from. The declaration is written out as it
// stands here, because the DOM library rewrites it (single quotes) and cannot
// encode to the declared Shift_JIS; every character the file holds is ASCII,
// so the bytes are the same in Shift_JIS.
constexpr char kDeclaration[] = R"(<?xml version="1.0" encoding="Shift_JIS" ?>)";
constexpr char kRootTemplate[] = "<MIRA-VEL/>";

void StoreValue(CViewPreferences& view, const SettingsValue& value, const QString& text)
{
    switch (value.kind) {
    case SettingsValue::Int:
        value.setInt(view, SettingsNumbers::ParseInt(text));
        break;
    case SettingsValue::LightIndex: {
        const std::int32_t index = SettingsNumbers::ParseInt(text);
        value.setInt(view, index >= 0 && index < kLightDirections ? index : 0);
        break;
    }
    case SettingsValue::Color:
        // The colour word was written as a signed decimal; the cast restores
        // its bits, whatever the top byte holds.
        view.*value.colorField = COLORREF(SettingsNumbers::ParseInt(text));
        break;
    case SettingsValue::Width:
        view.*value.widthField = SettingsNumbers::ParseDouble(text);
        break;
    }
}

QString FormatValue(const CViewPreferences& view, const SettingsValue& value)
{
    switch (value.kind) {
    case SettingsValue::Int:
    case SettingsValue::LightIndex:
        return SettingsNumbers::FormatInt(value.getInt(view));
    case SettingsValue::Color:
        return SettingsNumbers::FormatInt(std::int32_t(view.*value.colorField));
    case SettingsValue::Width:
        return SettingsNumbers::FormatDouble(view.*value.widthField);
    }
    return {};
}

} // namespace

QString SettingsFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Orvendale/MIRA-VEL");
}

QString SettingsFilePath()
{
    return SettingsFolderPath() + QStringLiteral("/MIRA-VEL.xml");
}

SettingsLoadResult LoadSettings(CViewPreferences& view, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return LoadSettingsFromBytes(view, file.readAll());
}

SettingsLoadResult LoadSettingsFromBytes(CViewPreferences& view, const QByteArray& bytes)
{
    SettingsLoadResult result;

    if (NestsTooDeep(bytes))
        return result;
    QDomDocument doc;
    if (!doc.setContent(bytes))
        return result;

    result.status = SettingsLoadStatus::Stopped;
    QDomElement section;
    std::string_view sectionName;
    for (const SettingsValue& value : kValues) {
        if (sectionName != value.section) {
            // Sections are found by name anywhere in the document, not as
            // children of the root: the root's name and the order of the
            // sections do not matter, and the first element of that name in
            // document order wins even when it sits inside another section.
            sectionName = value.section;
            section = doc.elementsByTagName(QString::fromLatin1(value.section)).item(0).toElement();
            if (section.isNull())
                return result;
        }
        const QDomElement element =
            section.elementsByTagName(QString::fromLatin1(value.name)).item(0).toElement();
        if (element.isNull())
            return result;
        StoreValue(view, value, element.text());
        ++result.valuesStored;
    }
    result.status = SettingsLoadStatus::Complete;
    return result;
}

bool SaveSettings(const CViewPreferences& view, const QString& path)
{
    QDomDocument doc;
    doc.setContent(QString::fromLatin1(kDeclaration) + u'\n' + QString::fromLatin1(kRootTemplate));
    QDomElement root = doc.documentElement();
    if (root.isNull())
        return false;

    QDomElement section;
    std::string_view sectionName;
    for (const SettingsValue& value : kValues) {
        if (sectionName != value.section) {
            sectionName = value.section;
            section = doc.createElement(QString::fromLatin1(value.section));
            root.appendChild(section);
        }
        QDomElement element = doc.createElement(QString::fromLatin1(value.name));
        section.appendChild(element);
        element.appendChild(doc.createTextNode(FormatValue(view, value)));
    }

    // No indentation at all: the whole tree stands on the line after the
    // declaration, with no white-space text between elements.
    QString tree;
    {
        QTextStream stream(&tree);
        root.save(stream, -1);
    }
    const QByteArray bytes = QByteArray(kDeclaration) + '\n' + tree.toUtf8();

    // A missing folder is created here; if that fails, opening the file does
    // too, which is the failure reported.
    QDir().mkpath(QFileInfo(path).absolutePath());

    // Written beside the target and renamed over it, so a failed or partial
    // write never damages the file of the previous run.
    // Unbuffered, because a write that fails only when the buffer is flushed
    // at commit (a full disk, a size limit) is not noticed by the save file,
    // which would then rename the truncated temporary over the good file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size())
        return false; // the unfinished temporary goes with the object
    return file.commit();
}
