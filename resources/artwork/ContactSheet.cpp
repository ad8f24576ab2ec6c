#include "ContactSheet.h"

#include <QDir>
#include <QFont>
#include <QPainter>

#include <map>

namespace Sheet {

namespace {

const QColor kScene(0, 0, 0);
const QColor kMidScene(107, 127, 150);

// The colour each swatch button shows with the view's start-up values.
QColor DefaultSwatch(int resource)
{
    switch (resource) {
    case 324: return QColor(255, 255, 0);   // frame: yellow
    case 325: return QColor(255, 0, 0);     // canvas: red
    case 327: return QColor(87, 255, 128);  // ground
    case 328: return QColor(0, 0, 0);       // sight: hidden
    case 329: return QColor(0, 0, 0);       // background
    case 341: return QColor(255, 255, 0);   // cube colour
    case 346: return QColor(0, 0, 0);       // axes: hidden
    case 360: return QColor(255, 255, 0);   // canvas mode
    case 365: return QColor(255, 255, 0);   // light on
    case 322: return QColor(0, 128, 128);   // a palette entry
    default: return kScene;
    }
}

// One frame as the button shows it: swatch or scene first, image over it.
QImage Frame(const Strip& s, int k, const QColor& under)
{
    const int h = s.image.height() / Art::kFrameCount;
    QImage out(s.image.width(), h, QImage::Format_RGB32);
    out.fill(under);
    QPainter p(&out);
    p.drawImage(0, 0, s.image, 0, k * h, s.image.width(), h);
    return out;
}

void Label(QPainter& p, QPointF at, const QString& text)
{
    p.setPen(QColor(220, 220, 220));
    p.setFont(QFont("Noto Sans CJK JP", 11));
    p.drawText(at, text);
}

QImage StateSheet(const std::vector<const Strip*>& rows)
{
    constexpr int kScale = 3, kCell = 30 * kScale, kGap = 12, kLabel = 50;
    const int width = kLabel + 2 * (5 * (kCell + 4) + kGap) + 7 * 36;
    QImage sheet(width, int(rows.size()) * (kCell + 8) + 8, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 44));
    QPainter p(&sheet);
    int y = 8;
    for (const Strip* s : rows) {
        Label(p, QPointF(6, y + kCell / 2 + 5), QString::number(s->resource));
        const QColor first = s->face == Art::Face::Window ? DefaultSwatch(s->resource) : kScene;
        int x = kLabel;
        for (const QColor& under : {first, kMidScene}) {
            for (int k = 0; k < Art::kFrameCount; ++k) {
                p.drawImage(QRect(x, y, kCell, kCell), Frame(*s, k, under));
                x += kCell + 4;
            }
            x += kGap;
        }
        // Real size: normal frame over black, grey, and a few swatches.
        for (const QColor& under : {kScene, kMidScene, QColor(255, 255, 0), QColor(255, 0, 0),
                                    QColor(0, 0, 255), QColor(255, 255, 255), QColor(0, 255, 0)}) {
            p.drawImage(x, y + 30, Frame(*s, 0, under));
            x += 36;
        }
        y += kCell + 8;
    }
    return sheet;
}

// The buttons where the view puts them (control column on the right,
// palette top right), over a black scene, with the start-up swatches.
QImage LayoutMockup(const std::map<int, const Strip*>& byId, int scale)
{
    constexpr int W = 800, H = 470;
    QImage view(W, H, QImage::Format_RGB32);
    view.fill(kScene);
    QPainter p(&view);
    auto put = [&](int resource, int x, int y, QColor swatch = QColor()) {
        const auto it = byId.find(resource);
        if (it == byId.end())
            return;
        if (!swatch.isValid())
            swatch = it->second->face == Art::Face::Window ? DefaultSwatch(resource) : kScene;
        p.drawImage(x, y, Frame(*it->second, 0, swatch));
    };
    auto block = [&](int x0, int y0, std::initializer_list<std::tuple<int, int, int>> cells) {
        for (const auto& [c, r, id] : cells)
            put(id, x0 + 30 * c, y0 + 30 * r);
    };
    block(W - 95, 5, {{0, 0, 319}, {1, 0, 321}, {2, 0, 320}, {0, 1, 341}, {1, 1, 360}, {2, 1, 365}});
    block(W - 65, 65, {{0, 0, 324}, {1, 0, 325}, {0, 1, 327}, {1, 1, 328}, {0, 2, 346}, {1, 2, 329},
                       {0, 3, 337}, {1, 3, 338}, {0, 4, 339}, {1, 4, 340}, {0, 5, 312}, {1, 5, 311}});
    block(W - 95, 260, {{1, 0, 314}, {0, 1, 316}, {2, 1, 317}, {1, 2, 315}});
    block(W - 95, 353, {{1, 0, 361}, {0, 1, 363}, {2, 1, 364}, {1, 2, 362}});
    const QColor palette[16] = {{0, 0, 0},     {128, 128, 128}, {192, 192, 192}, {255, 255, 255},
                                {0, 128, 128}, {0, 255, 255},   {0, 0, 128},     {0, 0, 255},
                                {128, 128, 0}, {255, 255, 0},   {0, 128, 0},     {0, 255, 0},
                                {128, 0, 128}, {255, 0, 255},   {128, 0, 0},     {255, 0, 0}};
    for (int i = 0; i < 16; ++i)
        put(322, W - 95 - 245 + 30 * (i % 8), 5 + 30 * (i / 8), palette[i]);
    put(330, W - 65, H - 35);
    put(343, W - 35, H - 35);
    put(342, W - 70 - 200, H - 33);
    p.end();
    return view.scaled(W * scale, H * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .copy(QRect((W - 360) * scale, 0, 360 * scale, H * scale));
}

QImage Overview(const std::map<int, const Strip*>& byId, const QImage& splash,
                const std::vector<QImage>& icons)
{
    QImage sheet(880, 800, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 44));
    QPainter p(&sheet);
    const auto help = byId.find(342);
    int y = 10;
    if (help != byId.end()) {
        for (int k = 0; k < Art::kFrameCount; ++k) {
            const QImage f = Frame(*help->second, k, k % 2 ? kMidScene : kScene);
            p.drawImage(QRect(10, y, 400, 60), f);
            p.drawImage(430, y + 15, f);
            y += 66;
        }
    }
    p.drawImage(10, y + 10, splash);
    p.drawImage(QRect(420, y + 10, 393 * 1, 150), splash);
    int x = 10;
    y += 180;
    for (const QImage& icon : icons) {
        p.fillRect(QRect(x, y, icon.width(), icon.height()), QColor(200, 200, 200));
        p.drawImage(x, y, icon);
        x += icon.width() + 10;
    }
    return sheet;
}

} // namespace

QString Write(const QString& folder, const std::vector<Strip>& strips, const QImage& splash,
              const std::vector<QImage>& icons)
{
    if (!QDir().mkpath(folder))
        return "cannot create " + folder;
    std::map<int, const Strip*> byId;
    std::vector<const Strip*> small;
    for (const Strip& s : strips) {
        byId[s.resource] = &s;
        if (s.image.width() == 30)
            small.push_back(&s);
    }
    for (size_t first = 0, n = 1; first < small.size(); first += 10, ++n) {
        const std::vector<const Strip*> rows(small.begin() + first,
                                             small.begin() + std::min(small.size(), first + 10));
        const QString path = QString("%1/states-%2.png").arg(folder).arg(n);
        if (!StateSheet(rows).save(path))
            return "cannot write " + path;
    }
    const std::pair<QString, QImage> more[] = {
        {"layout-1x.png", LayoutMockup(byId, 1)},
        {"layout-2x.png", LayoutMockup(byId, 2)},
        {"overview.png", Overview(byId, splash, icons)},
    };
    for (const auto& [name, image] : more)
        if (!image.save(folder + "/" + name))
            return "cannot write " + folder + "/" + name;
    return {};
}

} // namespace Sheet
