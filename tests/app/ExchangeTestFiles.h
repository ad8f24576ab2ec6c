#pragma once

// Files for the recovery, save, import, export and converter tests: models
// written and read by the document's own save and open, .vox files by the
// exchange writer.
#include "exchange/VoxFile.h"
#include "model/CMiravelDoc.h"
#include "tests/support/CubeCells.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <map>

inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kTeal = RGB(0, 128, 128);

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}


// A size x size x size model file holding these cubes.
inline QString WriteModelFile(const QString& path, const Cells& cubes, int size = 4)
{
    CMiravelDoc doc;
    doc.SetGridSize(size, size, size);
    for (const auto& [pos, colour] : cubes)
        doc.SetCube(pos.x, pos.y, pos.z, colour);
    EXPECT_TRUE(doc.OnSaveDocument(path).ok);
    return path;
}

// What a model file holds, read the way a user's open would.
inline Cells ModelCells(const QString& path)
{
    CMiravelDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(path).ok) << path.toStdString();
    return CellsOf(doc.m_cubes);
}

// A .vox of the model; cut short by some bytes when asked.
inline QString WriteVoxFile(const QString& path, const ModelData& model, int cut = 0)
{
    const VoxWriteResult w = WriteVox(model);
    EXPECT_TRUE(w.ok) << w.message.toStdString();
    EXPECT_TRUE(WriteBytes(path, w.bytes.left(w.bytes.size() - cut)));
    return path;
}

// The teal cube under any light: no red, green and blue alike. Nothing else
// in the default scene (black, yellow frame, red canvas, green ground) is.
inline bool IsTealShade(QRgb c)
{
    return qRed(c) < 16 && qGreen(c) > 40 && std::abs(qGreen(c) - qBlue(c)) < 8;
}

inline int CountPixels(const QImage& image, bool (*match)(QRgb))
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += match(image.pixel(x, y));
    return n;
}
