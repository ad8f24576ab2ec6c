#include "exchange/ExchangeMessages.h"
#include "exchange/VoxFile.h"
#include "exchange/VoxPalette.h"
#include "model/FileErrorText.h"
#include "model/GridLimits.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <unordered_map>

// Every number in the file is distrusted: sizes and counts are 64-bit and
// checked against the bytes that are really left before anything is read or
// allocated; the scene graph is walked without recursion, with a depth limit
// and a budget of node visits; the result grid is sized from the voxels'
// bounding box only after that box has been checked against the grid limit.
namespace {

constexpr std::int64_t kMaxVoxSide = 256;
constexpr int kMaxSceneDepth = 64;
// Several transforms may name one node, and each reference places its own
// copy: 64 nested groups that name their child twice would mean 2^64 visits
// without a single voxel. Real scenes need a few thousand.
constexpr std::int64_t kMaxNodeVisits = std::int64_t(1) << 18;
// Voxels written over all placed models: twice the largest grid, so that a
// scene filling it leaves room for models that overlap, while a file that
// places one large model many times cannot keep the reader busy for minutes.
constexpr std::int64_t kMaxPlacedVoxels = 2 * GridLimits::kMaxCells;
// The largest grid filled takes 4 bytes a voxel; the rest of a file (models'
// sizes, the scene, the palette) is small beside it.
constexpr qint64 kMaxFileBytes = 4 * GridLimits::kMaxCells + (qint64(64) << 20);

using Matrix = std::array<std::array<int, 3>, 3>;
constexpr Matrix kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

struct Reader {
    const unsigned char* data = nullptr;
    std::int64_t pos = 0;
    std::int64_t end = 0;

    std::int64_t Left() const { return end - pos; }
    bool U32(std::uint32_t& v)
    {
        if (Left() < 4)
            return false;
        const unsigned char* p = data + pos;
        v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
            (std::uint32_t(p[3]) << 24);
        pos += 4;
        return true;
    }
    bool I32(std::int32_t& v)
    {
        std::uint32_t u = 0;
        if (!U32(u))
            return false;
        v = std::int32_t(u);
        return true;
    }
    bool String(QByteArray& s)
    {
        std::int32_t n = 0;
        if (!I32(n) || n < 0 || n > Left())
            return false;
        s = QByteArray(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
        return true;
    }
    bool Dict(std::unordered_map<QByteArray, QByteArray>& dict)
    {
        std::int32_t n = 0;
        // Each entry holds at least two lengths.
        if (!I32(n) || n < 0 || std::int64_t(n) * 8 > Left())
            return false;
        for (std::int32_t i = 0; i < n; ++i) {
            QByteArray key;
            QByteArray value;
            if (!String(key) || !String(value))
                return false;
            dict[key] = value;
        }
        return true;
    }
};

struct VoxModel {
    std::int64_t size[3] = {0, 0, 0};
    std::int64_t voxels = 0; // offset of the first (x, y, z, index) quadruple
    std::int64_t count = 0;
    std::int64_t low[3] = {0, 0, 0}; // bounding box of its voxels, when count > 0
    std::int64_t high[3] = {0, 0, 0};
};

struct SceneNode {
    enum Kind { Transform, Group, Shape } kind = Transform;
    bool onPath = false;                // an ancestor of the node being walked
    std::vector<std::int32_t> children; // a transform's one child, a group's children
    std::int32_t model = -1;            // a shape's model
    Matrix rotation = kIdentity;
    std::int64_t translation[3] = {0, 0, 0};
};

struct Placement {
    const VoxModel* model = nullptr;
    Matrix rotation = kIdentity;
    std::int64_t translation[3] = {0, 0, 0};
};

QString ChunkName(const unsigned char* id)
{
    QString name;
    for (int i = 0; i < 4; ++i)
        name += (id[i] >= 0x20 && id[i] < 0x7F) ? QChar(id[i]) : QChar(u'?');
    return name;
}

VoxReadResult Refuse(const QString& message)
{
    VoxReadResult result;
    result.message = message;
    return result;
}

VoxReadResult Broken(const QString& what) { return Refuse(ExchangeMessages::VoxBroken(what)); }

// The rotation byte of a transform frame: bits 0-1 and 2-3 give the column of
// the non-zero entry in rows 0 and 1 (row 2 takes the remaining one), bits
// 4, 5, 6 make rows 0, 1, 2 negative.
bool DecodeRotation(const QByteArray& text, Matrix& m)
{
    bool ok = false;
    const int r = text.trimmed().toInt(&ok);
    if (!ok || r < 0 || r > 127)
        return false;
    const int c0 = r & 3;
    const int c1 = (r >> 2) & 3;
    if (c0 == 3 || c1 == 3 || c0 == c1)
        return false;
    const int columns[3] = {c0, c1, 3 - c0 - c1};
    m = {};
    for (int row = 0; row < 3; ++row)
        m[std::size_t(row)][std::size_t(columns[row])] = (r >> (4 + row)) & 1 ? -1 : 1;
    return true;
}

bool DecodeTranslation(const QByteArray& text, std::int64_t t[3])
{
    const QList<QByteArray> parts = text.simplified().split(' ');
    if (parts.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const std::int64_t v = parts[i].toLongLong(&ok);
        if (!ok || v < INT32_MIN || v > INT32_MAX)
            return false;
        t[i] = v;
    }
    return true;
}

bool ParseNode(Reader r, const QByteArray& id, std::int32_t& nodeId, SceneNode& node)
{
    std::unordered_map<QByteArray, QByteArray> attributes;
    if (!r.I32(nodeId) || !r.Dict(attributes))
        return false;
    if (id == "nTRN") {
        node.kind = SceneNode::Transform;
        std::int32_t child = 0, reserved = 0, layer = 0, frames = 0;
        if (!r.I32(child) || !r.I32(reserved) || !r.I32(layer) || !r.I32(frames) || frames < 0 ||
            std::int64_t(frames) * 4 > r.Left())
            return false;
        node.children.push_back(child);
        // Animation frames beyond the first are not part of a still model.
        if (frames > 0) {
            std::unordered_map<QByteArray, QByteArray> frame;
            if (!r.Dict(frame))
                return false;
            if (const auto it = frame.find("_r"); it != frame.end() &&
                                                  !DecodeRotation(it->second, node.rotation))
                return false;
            if (const auto it = frame.find("_t");
                it != frame.end() && !DecodeTranslation(it->second, node.translation))
                return false;
        }
        return true;
    }
    if (id == "nGRP") {
        node.kind = SceneNode::Group;
        std::int32_t n = 0;
        if (!r.I32(n) || n < 0 || std::int64_t(n) * 4 > r.Left())
            return false;
        node.children.resize(std::size_t(n));
        for (std::int32_t& child : node.children)
            if (!r.I32(child))
                return false;
        return true;
    }
    node.kind = SceneNode::Shape;
    std::int32_t n = 0;
    if (!r.I32(n) || n < 0 || std::int64_t(n) * 8 > r.Left())
        return false;
    // Several models in one shape are frames of an animation: the first stands.
    if (n > 0 && !r.I32(node.model))
        return false;
    return true;
}

// Where a voxel of a placed model lands: the model's pivot cell
// floor(size / 2) sits at the translation and the turn is about that cell.
// goxel places turned models the same way; for an unturned model it is the
// format's own placement.
struct PlacedAxis {
    int from = 0;          // the model's axis that lands on this one
    bool flipped = false;
    std::int64_t at = 0;   // translation
    std::int64_t pivot = 0;
};

std::array<PlacedAxis, 3> PlaceAxes(const Placement& p)
{
    std::array<PlacedAxis, 3> axes;
    for (int i = 0; i < 3; ++i) {
        PlacedAxis& a = axes[std::size_t(i)];
        for (int j = 0; j < 3; ++j)
            if (p.rotation[std::size_t(i)][std::size_t(j)] != 0) {
                a.from = j;
                a.flipped = p.rotation[std::size_t(i)][std::size_t(j)] < 0;
            }
        a.at = p.translation[i];
        a.pivot = p.model->size[a.from] / 2;
    }
    return axes;
}

std::int64_t Land(const PlacedAxis& a, std::int64_t v)
{
    return a.flipped ? a.at - (v - a.pivot) : a.at + (v - a.pivot);
}

} // namespace

VoxReadResult ReadVox(const QByteArray& bytes, const WorkProgress& progress)
{
    Reader file{reinterpret_cast<const unsigned char*>(bytes.constData()), 0, bytes.size()};
    std::uint32_t version = 0;
    if (bytes.size() < 8 || !bytes.startsWith("VOX "))
        return Refuse(ExchangeMessages::NotVoxFile());
    file.pos = 4;
    file.U32(version);
    if (version != 150 && version != 200)
        return Refuse(ExchangeMessages::VoxVersion(version));

    std::uint32_t mainContent = 0, mainChildren = 0;
    if (file.Left() < 12 || bytes.mid(8, 4) != "MAIN")
        return Broken(QCoreApplication::translate("VoxReader", "MAIN チャンクがありません。"));
    file.pos += 4;
    file.U32(mainContent);
    file.U32(mainChildren);
    if (std::int64_t(mainContent) + std::int64_t(mainChildren) > file.Left())
        return Broken(QCoreApplication::translate("VoxReader", "MAIN チャンクの長さがファイルの残りを超えています。"));
    Reader chunks{file.data, file.pos + mainContent, file.pos + mainContent + mainChildren};

    std::vector<VoxModel> models;
    std::array<COLORREF, 256> palette = VoxDefaultPalette();
    std::unordered_map<std::int32_t, SceneNode> nodes;
    bool pendingSize = false;
    bool shortPalette = false;
    VoxModel next;
    while (chunks.Left() > 0) {
        if (chunks.Left() < 12)
            return Broken(QCoreApplication::translate("VoxReader", "チャンクの見出しが途中で切れています。"));
        const unsigned char* idBytes = chunks.data + chunks.pos;
        const QByteArray id(reinterpret_cast<const char*>(idBytes), 4);
        const QString name = ChunkName(idBytes);
        chunks.pos += 4;
        std::uint32_t content = 0, children = 0;
        chunks.U32(content);
        chunks.U32(children);
        if (std::int64_t(content) + std::int64_t(children) > chunks.Left())
            return Broken(QCoreApplication::translate("VoxReader", "チャンク %1 の長さがファイルの残りを超えています。").arg(name));
        Reader body{chunks.data, chunks.pos, chunks.pos + content};
        // Children of any chunk but MAIN are not part of the format: skipped.
        chunks.pos += std::int64_t(content) + std::int64_t(children);

        if (id == "SIZE") {
            std::int32_t s[3] = {0, 0, 0};
            if (!body.I32(s[0]) || !body.I32(s[1]) || !body.I32(s[2]))
                return Broken(QCoreApplication::translate("VoxReader", "SIZE チャンクが短すぎます。"));
            if (s[0] < 1 || s[1] < 1 || s[2] < 1 || s[0] > kMaxVoxSide || s[1] > kMaxVoxSide ||
                s[2] > kMaxVoxSide)
                return Broken(QCoreApplication::translate("VoxReader", "モデルの大きさ %1 が正しくありません (各辺 1 から 256)。")
                                  .arg(ExchangeMessages::Size(s[0], s[1], s[2])));
            next = VoxModel{};
            for (int i = 0; i < 3; ++i)
                next.size[i] = s[i];
            pendingSize = true;
        } else if (id == "XYZI") {
            if (!pendingSize)
                return Broken(QCoreApplication::translate("VoxReader", "XYZI チャンクの前に SIZE チャンクがありません。"));
            pendingSize = false;
            std::uint32_t count = 0;
            if (!body.U32(count))
                return Broken(QCoreApplication::translate("VoxReader", "XYZI チャンクが短すぎます。"));
            if (std::int64_t(count) * 4 != body.Left())
                return Broken(QCoreApplication::translate("VoxReader", "ボクセル数 %1 が XYZI チャンクの長さ (%2 バイト) と合いません。")
                                  .arg(count)
                                  .arg(content));
            next.voxels = body.pos;
            next.count = count;
            for (std::int64_t i = 0; i < next.count; ++i) {
                const unsigned char* v = body.data + body.pos + 4 * i;
                if (v[0] >= next.size[0] || v[1] >= next.size[1] || v[2] >= next.size[2])
                    return Broken(QCoreApplication::translate("VoxReader", "ボクセル (%1, %2, %3) がモデルの大きさ %4 の外にあります。")
                                      .arg(v[0])
                                      .arg(v[1])
                                      .arg(v[2])
                                      .arg(ExchangeMessages::Size(next.size[0], next.size[1],
                                                                  next.size[2])));
                if (v[3] == 0)
                    return Broken(QCoreApplication::translate("VoxReader", "ボクセル (%1, %2, %3) の色番号が 0 です。")
                                      .arg(v[0])
                                      .arg(v[1])
                                      .arg(v[2]));
                for (int a = 0; a < 3; ++a) {
                    next.low[a] = i == 0 ? v[a] : std::min<std::int64_t>(next.low[a], v[a]);
                    next.high[a] = i == 0 ? v[a] : std::max<std::int64_t>(next.high[a], v[a]);
                }
            }
            models.push_back(next);
        } else if (id == "RGBA") {
            // Told after the models: a file without any says that first.
            if (body.Left() < 256 * 4) {
                shortPalette = true;
                continue;
            }
            // Entry k is the colour of index k + 1; the alpha is not used.
            for (int k = 0; k < 255; ++k) {
                const unsigned char* c = body.data + body.pos + 4 * k;
                palette[std::size_t(k + 1)] = RGB(c[0], c[1], c[2]);
            }
        } else if (id == "nTRN" || id == "nGRP" || id == "nSHP") {
            std::int32_t nodeId = 0;
            SceneNode node;
            if (!ParseNode(body, id, nodeId, node))
                return Broken(QCoreApplication::translate("VoxReader", "シーンの節点 (%1 チャンク) が壊れています。").arg(name));
            if (!nodes.emplace(nodeId, std::move(node)).second)
                return Broken(QCoreApplication::translate("VoxReader", "シーンの節点 %1 が二つあります。").arg(nodeId));
        }
        // Any other chunk (materials, layers, cameras, notes...) is skipped.
    }
    if (models.empty())
        return Broken(QCoreApplication::translate("VoxReader", "モデル (SIZE と XYZI チャンク) がありません。"));
    if (shortPalette)
        return Broken(QCoreApplication::translate("VoxReader", "パレット (RGBA チャンク) が短すぎます。"));

    // The scene graph places the models. A file without one is of the
    // format's first kind, where several models are the frames of an
    // animation (a PACK chunk counts them): the first frame is the model.
    std::vector<Placement> placements;
    std::int64_t placedVoxels = 0;
    const auto place = [&](const VoxModel& model, const Matrix& rotation, const std::int64_t* translation) {
        // A model without voxels adds nothing to the box or the grid.
        if (model.count == 0)
            return;
        Placement p{&model, rotation, {translation[0], translation[1], translation[2]}};
        placements.push_back(p);
        placedVoxels += model.count;
    };
    if (nodes.empty()) {
        const std::int64_t origin[3] = {0, 0, 0};
        place(models.front(), kIdentity, origin);
    } else {
        // Depth first in file order, without recursion: a node's exit mark
        // lies under its children on the stack, so that the nodes marked as
        // on the path are exactly the ancestors of the one being visited.
        struct Visit {
            std::int32_t node;
            bool exit;
            Matrix rotation;
            std::int64_t translation[3];
            int depth;
        };
        if (!nodes.count(0))
            return Broken(QCoreApplication::translate("VoxReader", "シーンの根 (節点 0) がありません。"));
        std::vector<Visit> stack{{0, false, kIdentity, {0, 0, 0}, 0}};
        std::int64_t visits = 0;
        while (!stack.empty()) {
            const Visit visit = stack.back();
            stack.pop_back();
            const auto it = nodes.find(visit.node);
            if (it == nodes.end())
                return Broken(QCoreApplication::translate("VoxReader", "シーンの節点 %1 がありません。").arg(visit.node));
            SceneNode& node = it->second;
            if (visit.exit) {
                node.onPath = false;
                continue;
            }
            if (node.onPath)
                return Broken(QCoreApplication::translate("VoxReader", "シーンの節点 %1 が自分の祖先を参照しています (循環)。")
                                  .arg(visit.node));
            if (visit.depth > kMaxSceneDepth)
                return Broken(QCoreApplication::translate("VoxReader", "シーンの入れ子が深すぎます。"));
            if (++visits > kMaxNodeVisits || placedVoxels > kMaxPlacedVoxels)
                return Broken(QCoreApplication::translate("VoxReader", "シーンが大きすぎます (節点やボクセルを置く回数が多すぎます)。"));
            if (node.kind == SceneNode::Shape) {
                if (node.model < 0)
                    continue;
                if (std::size_t(node.model) >= models.size())
                    return Broken(QCoreApplication::translate("VoxReader", "シーンが存在しないモデル %1 を指しています。")
                                      .arg(node.model));
                place(models[std::size_t(node.model)], visit.rotation, visit.translation);
                continue;
            }
            Visit child = visit;
            child.depth = visit.depth + 1;
            if (node.kind == SceneNode::Transform) {
                // The parent's turn applies to the child's offset and turn.
                for (int i = 0; i < 3; ++i) {
                    for (int j = 0; j < 3; ++j) {
                        int sum = 0;
                        for (int k = 0; k < 3; ++k)
                            sum += visit.rotation[std::size_t(i)][std::size_t(k)] *
                                   node.rotation[std::size_t(k)][std::size_t(j)];
                        child.rotation[std::size_t(i)][std::size_t(j)] = sum;
                        child.translation[i] +=
                            visit.rotation[std::size_t(i)][std::size_t(j)] * node.translation[j];
                    }
                }
            }
            node.onPath = true;
            stack.push_back({visit.node, true, {}, {}, 0});
            for (auto c = node.children.rbegin(); c != node.children.rend(); ++c) {
                child.node = *c;
                stack.push_back(child);
            }
        }
    }
    if (placedVoxels > kMaxPlacedVoxels)
        return Broken(QCoreApplication::translate("VoxReader", "シーンが大きすぎます (節点やボクセルを置く回数が多すぎます)。"));

    // The box of every placed voxel, first from each model's own box.
    std::int64_t low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool any = false;
    for (const Placement& p : placements) {
        const auto axes = PlaceAxes(p);
        for (int i = 0; i < 3; ++i) {
            const PlacedAxis& a = axes[std::size_t(i)];
            const std::int64_t e1 = Land(a, p.model->low[a.from]);
            const std::int64_t e2 = Land(a, p.model->high[a.from]);
            const std::int64_t lo = std::min(e1, e2), hi = std::max(e1, e2);
            low[i] = any ? std::min(low[i], lo) : lo;
            high[i] = any ? std::max(high[i], hi) : hi;
        }
        any = true;
    }

    // There x runs right, y away and z up; here y is up and z comes toward
    // the viewer: (X, Y, Z) there is (X, Z, D-1-Y) here.
    std::int64_t extent[3];
    if (any) {
        for (int i = 0; i < 3; ++i)
            extent[i] = high[i] - low[i] + 1;
    } else {
        for (int i = 0; i < 3; ++i)
            extent[i] = models.front().size[i];
    }
    const std::int64_t sizeX = extent[0], sizeY = extent[2], sizeZ = extent[1];
    if (!GridLimits::IsValid(sizeX, sizeY, sizeZ))
        return Refuse(ExchangeMessages::VoxTooBig(sizeX, sizeY, sizeZ, extent[0], extent[1], extent[2]));

    // Where placed models overlap, the first-placed one's colour stands, as
    // other voxel editors show such scenes: written last, from the back.
    // Within one model a later voxel in the same cell still wins.
    VoxReadResult result;
    CCubeStore::CFiller cubes(result.model.cubes);
    std::int64_t placed = 0;
    for (auto pi = placements.rbegin(); pi != placements.rend(); ++pi) {
        const Placement& p = *pi;
        const auto axes = PlaceAxes(p);
        const unsigned char* v = file.data + p.model->voxels;
        for (std::int64_t n = 0; n < p.model->count; ++n, v += 4) {
            // Told every million voxels; stopping leaves nothing behind.
            if (progress && ++placed % (std::int64_t(1) << 20) == 0 && !progress(placed, placedVoxels)) {
                VoxReadResult stopped;
                stopped.cancelled = true;
                return stopped;
            }
            std::int64_t w[3];
            for (int i = 0; i < 3; ++i)
                w[i] = Land(axes[std::size_t(i)], v[axes[std::size_t(i)].from]) - low[i];
            cubes.Put({std::int32_t(w[0]), std::int32_t(w[2]), std::int32_t(sizeZ - 1 - w[1])}, palette[v[3]]);
        }
    }
    result.ok = true;
    result.model.sizeX = std::int32_t(sizeX);
    result.model.sizeY = std::int32_t(sizeY);
    result.model.sizeZ = std::int32_t(sizeZ);
    // The file's palette as its own editor lists it: index 1 first.
    result.model.palette.assign(palette.begin() + 1, palette.end());
    return result;
}

VoxReadResult ReadVoxFile(const QString& path, const WorkProgress& progress)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(ExchangeMessages::CannotRead(path, FileErrorText::OfFailedCall(file)));
    // A file known to be too big is refused before it is read. One byte more
    // than the limit tells a file at the limit from a bigger one whose size
    // was not known.
    if (file.size() > kMaxFileBytes)
        return Refuse(ExchangeMessages::FileTooBig(path));
    // Read in pieces, so that progress hears of it: the reading is the first
    // half of the work, placing the voxels the second.
    const qint64 size = std::max<qint64>(file.size(), 1);
    QByteArray bytes;
    constexpr qint64 kPiece = qint64(8) << 20;
    for (;;) {
        const QByteArray piece = file.read(std::min(kPiece, kMaxFileBytes + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError)
            return Refuse(ExchangeMessages::CannotRead(path, FileErrorText::OfFailedCall(file)));
        bytes += piece;
        if (piece.isEmpty() || bytes.size() > kMaxFileBytes)
            break;
        if (progress && !progress(bytes.size(), 2 * size)) {
            VoxReadResult stopped;
            stopped.cancelled = true;
            return stopped;
        }
    }
    if (bytes.size() > kMaxFileBytes)
        return Refuse(ExchangeMessages::FileTooBig(path));
    WorkProgress placing;
    if (progress)
        placing = [&](std::int64_t done, std::int64_t total) { return progress(size + size * done / std::max<std::int64_t>(total, 1), 2 * size); };
    return ReadVox(bytes, placing);
}
