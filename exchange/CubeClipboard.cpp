#include "exchange/CubeClipboard.h"

#include "model/CMiravelDoc.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

namespace CubeClipboard {

namespace {

constexpr char kMagic[8] = {'M', 'V', 'C', 'U', 'B', 'E', 'S', '\0'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeader = 8 + 4 * 5;
constexpr std::size_t kCube = 3 * 2 + 3;

void PutU32(QByteArray& out, std::uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void PutU16(char* at, std::uint16_t v) { qToLittleEndian(v, at); }

DecodeResult Refused(const QString& why)
{
    return {false,
            QCoreApplication::translate("CubeClipboard", "クリップボードのキューブを読めません: %1").arg(why),
            {}};
}

} // namespace

QByteArray Encode(const CubeBlock& block)
{
    QByteArray out;
    out.reserve(qsizetype(kHeader + kCube * block.cubes.Count()));
    out.append(kMagic, sizeof kMagic);
    PutU32(out, kVersion);
    PutU32(out, std::uint32_t(block.size.x));
    PutU32(out, std::uint32_t(block.size.y));
    PutU32(out, std::uint32_t(block.size.z));
    const qsizetype countAt = out.size();
    PutU32(out, 0);
    std::uint32_t count = 0;
    block.cubes.ForEachCubeIn({0, 0, 0}, {block.size.x, block.size.y, block.size.z}, [&](const CUBEPOS& p, COLORREF c) {
        char cube[kCube];
        PutU16(cube, std::uint16_t(p.x));
        PutU16(cube + 2, std::uint16_t(p.y));
        PutU16(cube + 4, std::uint16_t(p.z));
        cube[6] = char(GetRValue(c));
        cube[7] = char(GetGValue(c));
        cube[8] = char(GetBValue(c));
        out.append(cube, kCube);
        ++count;
    });
    qToLittleEndian(count, out.data() + countAt);
    return out;
}

DecodeResult Decode(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const std::size_t length = std::size_t(bytes.size());
    if (length < kHeader || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return Refused(QCoreApplication::translate("CubeClipboard", "形式が違います。"));
    const auto u32 = [&](std::size_t at) { return qFromLittleEndian<std::uint32_t>(data + at); };
    if (u32(8) != kVersion)
        return Refused(QCoreApplication::translate("CubeClipboard", "版 %1 には対応していません。").arg(u32(8)));
    const std::uint32_t sx = u32(12), sy = u32(16), sz = u32(20), count = u32(24);
    if (!CMiravelDoc::IsValidGridSize(sx, sy, sz))
        return Refused(QCoreApplication::translate("CubeClipboard", "大きさ %1×%2×%3 は扱えません。")
                           .arg(sx)
                           .arg(sy)
                           .arg(sz));
    // Counts are 64-bit here: a hostile count cannot wrap the length check.
    if (std::uint64_t(count) > std::uint64_t(sx) * sy * sz || length != kHeader + kCube * std::uint64_t(count))
        return Refused(QCoreApplication::translate("CubeClipboard", "キューブの数とデータの長さが合いません。"));
    DecodeResult result{true, {}, {{std::int32_t(sx), std::int32_t(sy), std::int32_t(sz)}, {}}};
    CCubeStore& cubes = result.block.cubes;
    for (std::size_t i = 0, at = kHeader; i < count; ++i, at += kCube) {
        const CUBEPOS p{qFromLittleEndian<std::uint16_t>(data + at), qFromLittleEndian<std::uint16_t>(data + at + 2),
                        qFromLittleEndian<std::uint16_t>(data + at + 4)};
        if (std::uint32_t(p.x) >= sx || std::uint32_t(p.y) >= sy || std::uint32_t(p.z) >= sz)
            return Refused(QCoreApplication::translate("CubeClipboard", "キューブが箱の外にあります。"));
        if (cubes.Get(p) != CLR_NONE)
            return Refused(QCoreApplication::translate("CubeClipboard", "同じセルにキューブが二つあります。"));
        cubes.Set(p, RGB(data[at + 6], data[at + 7], data[at + 8]));
    }
    return result;
}

ModelData ToModel(const CubeBlock& block, const CMiravelDoc& doc)
{
    return {block.size.x, block.size.y, block.size.z, block.cubes, doc.m_palette};
}

CubeBlock FromModel(const ModelData& model)
{
    CubeBlock block{{model.sizeX, model.sizeY, model.sizeZ}, {}};
    CCubeStore::CFiller fill(block.cubes);
    model.cubes.ForEachCubeIn({0, 0, 0}, {model.sizeX, model.sizeY, model.sizeZ},
                              [&](const CUBEPOS& p, COLORREF c) { fill.Put(p, c); });
    return block;
}

} // namespace CubeClipboard
