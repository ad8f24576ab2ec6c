#pragma once

#include "exchange/ExchangeFormat.h"

#include <QCoreApplication>
#include <QString>
#include <array>

// One entry of the file menu's export submenu: the format it writes, the
// menu text and the save dialog's filter and default extension.
struct ExportMenuEntry {
    ExchangeFormat format;
    const char* menuText;  // UTF-8, translated where shown
    const char* filter;
    const char* suffix;    // without the dot

    QString MenuText() const { return QCoreApplication::translate("ShellCommands", menuText); }
    QString Filter() const { return QString::fromLatin1(filter); }
    QString Suffix() const { return QString::fromLatin1(suffix); }
};

// The model and mesh formats, in menu order. Pictures of the view are the
// screenshot command's business, the model file's own format is "save as".
inline constexpr std::array<ExportMenuEntry, 6> kExportMenu = {{
    {ExchangeFormat::Vox, QT_TRANSLATE_NOOP("ShellCommands", "VOX 形式 (*.vox)(&V)..."), "VoxFile(*.vox)", "vox"},
    {ExchangeFormat::Gltf, QT_TRANSLATE_NOOP("ShellCommands", "glTF 形式 (*.gltf)(&G)..."), "glTFFile(*.gltf)", "gltf"},
    {ExchangeFormat::Glb, QT_TRANSLATE_NOOP("ShellCommands", "glTF バイナリ形式 (*.glb)(&B)..."), "GLBFile(*.glb)", "glb"},
    {ExchangeFormat::Obj, QT_TRANSLATE_NOOP("ShellCommands", "OBJ 形式 (*.obj)(&O)..."), "OBJFile(*.obj)", "obj"},
    {ExchangeFormat::Ply, QT_TRANSLATE_NOOP("ShellCommands", "PLY 形式 (*.ply)(&P)..."), "PLYFile(*.ply)", "ply"},
    {ExchangeFormat::Stl, QT_TRANSLATE_NOOP("ShellCommands", "STL 形式 (*.stl)(&S)..."), "STLFile(*.stl)", "stl"},
}};

// The entry of a format, or null.
inline const ExportMenuEntry* ExportEntryFor(ExchangeFormat format)
{
    for (const ExportMenuEntry& e : kExportMenu)
        if (e.format == format)
            return &e;
    return nullptr;
}
