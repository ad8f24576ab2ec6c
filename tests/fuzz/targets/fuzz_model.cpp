// The model file open path from raw bytes: the document's own loader through
// the archive, with a model already open, as an open over it does.
//
// Checked on every input:
// - a refused file leaves the open model exactly as it was (grid, cubes
//   inside and outside the box, history, path, title, modified flag) and no
//   view hears of any change;
// - an accepted file gives a grid the editor can show, every cell of the box
//   holds what its word in the file says, no cube of the earlier model is
//   left (not even outside the box), and the history is empty.
#include "model/CMiravelDoc.h"
#include "model/ModelFile.h"

#include "tests/fuzz/FuzzCheck.h"

#include <QByteArray>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

// Counts what a view would hear.
class CountingView : public CDocView {
public:
    void OnUpdate(CDocView*, long) override { ++m_updates; }
    void OnCubeChanged(const CUBEPOS&) override { ++m_updates; }
    void OnModelReset() override { ++m_updates; }
    int m_updates = 0;
};

// The model open before the file: cubes in a 5 x 4 x 3 box, two outside it,
// a history with a step undone, a path and a clean modified flag.
void OpenEarlierModel(CMiravelDoc& doc)
{
    doc.SetGridSize(5, 4, 3);
    doc.SetCube(0, 0, 0, RGB(255, 0, 0));
    doc.SetCube(4, 3, 2, RGB(0, 255, 0));
    doc.SetCube(2, 1, 1, RGB(1, 2, 3));
    doc.HistoryBack();
    doc.m_cubes.Set(CUBEPOS{40, 0, 0}, RGB(9, 9, 9));
    doc.m_cubes.Set(CUBEPOS{-1, 7, 3}, RGB(7, 7, 7));
    doc.SetPathName(QStringLiteral("/models/earlier.mvf"));
    doc.SetModifiedFlag(false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMiravelDoc doc;
    OpenEarlierModel(doc);
    const CMiravelDoc before = doc;
    CountingView view;
    doc.AddView(&view);

    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray file = bytes;
    CArchive ar(bytes, CArchive::load);
    const DocResult result = doc.Serialize(ar);

    if (!result.ok) {
        FUZZ_CHECK(!result.message.isEmpty());
        FUZZ_CHECK(view.m_updates == 0);
        FUZZ_CHECK(doc.m_sizeX == before.m_sizeX && doc.m_sizeY == before.m_sizeY &&
                   doc.m_sizeZ == before.m_sizeZ);
        FUZZ_CHECK(doc.m_cubes == before.m_cubes);
        FUZZ_CHECK(doc.m_history == before.m_history && doc.m_historyPos == before.m_historyPos);
        FUZZ_CHECK(doc.GetPathName() == before.GetPathName() && doc.GetTitle() == before.GetTitle());
        FUZZ_CHECK(doc.IsModified() == before.IsModified());
        doc.RemoveView(&view);
        return 0;
    }

    FUZZ_CHECK(CMiravelDoc::IsValidGridSize(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ));
    const std::int64_t cells = std::int64_t(doc.m_sizeX) * doc.m_sizeY * doc.m_sizeZ;
    FUZZ_CHECK(file.size() >= ModelFile::kHeaderSize + cells * ModelFile::kCellSize);
    FUZZ_CHECK(doc.m_history.IsEmpty() && doc.m_historyPos == -1);
    FUZZ_CHECK(view.m_updates > 0);

    std::int64_t cubesInBox = 0;
    std::int64_t offset = ModelFile::kHeaderSize;
    for (std::int32_t x = 0; x < doc.m_sizeX; ++x)
        for (std::int32_t y = 0; y < doc.m_sizeY; ++y)
            for (std::int32_t z = 0; z < doc.m_sizeZ; ++z, offset += ModelFile::kCellSize) {
                const COLORREF expected = ModelFile::Decode(qFromLittleEndian<quint32>(file.constData() + offset));
                FUZZ_CHECK(doc.GetCube(x, y, z) == expected);
                cubesInBox += expected != CLR_NONE;
            }
    // An open replaces the whole model: nothing of the earlier one stays,
    // not even outside the new box.
    FUZZ_CHECK(std::int64_t(doc.m_cubes.Count()) == cubesInBox);
    doc.RemoveView(&view);
    return 0;
}
