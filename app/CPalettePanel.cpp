#include "app/CPalettePanel.h"

#include "app/ShellTexts.h"
#include "controls/ToolCommands.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/FileFormats.h"
#include "exchange/PaletteFile.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "model/PaletteMatch.h"
#include "scene/EditState.h"
#include "view/CMiravelView.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kUserPaletteKey = QStringLiteral("Palette/User");
constexpr int kSwatch = 18;

QString Tr(const char* text) { return QCoreApplication::translate("CPalettePanel", text); }

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
COLORREF FromQColor(const QColor& c) { return RGB(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())); }

QIcon SwatchIcon(COLORREF color, bool current)
{
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(current ? QPen(Qt::white, 2) : QPen(Qt::gray, 1));
    painter.drawRect(current ? QRect(1, 1, kSwatch - 2, kSwatch - 2) : QRect(0, 0, kSwatch - 1, kSwatch - 1));
    if (current) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    }
    return QIcon(pixmap);
}

CPalettePanel::Prompts InteractivePrompts()
{
    CPalettePanel::Prompts p;
    p.askOpenPath = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットを開く")), {}, FileFormats::PaletteFilter());
    };
    p.askSavePath = [](QWidget* parent) {
        QString path = QFileDialog::getSaveFileName(parent, Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットを保存")), {}, FileFormats::PaletteFilter());
        return path.isEmpty() || FileFormats::PaletteForPath(path) ? path : WithDefaultExtension(path, QStringLiteral("gpl"));
    };
    // Qt's own dialog takes a typed hex value and picks from the screen.
    p.pickColor = [](QWidget* parent, COLORREF& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), parent);
        if (!chosen.isValid())
            return false;
        color = FromQColor(chosen);
        return true;
    };
    p.showError = [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, ShellTexts::MessageCaption(), message);
    };
    return p;
}

} // namespace

CPalettePanel::CPalettePanel(CMiravelView& view, QWidget* parent)
    : QDockWidget(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレット")), parent), m_view(view), m_prompts(InteractivePrompts())
{
    // Its place and state are kept with the window's (saveState).
    setObjectName(QStringLiteral("PalettePanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    m_choice = new QComboBox(body);
    m_choice->addItem(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "ユーザー パレット")));
    m_choice->addItem(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "モデルのパレット")));
    layout->addWidget(m_choice);
    m_swatches = new QListWidget(body);
    // Rows that wrap, not the icon mode: there a drag only moves an icon on
    // the canvas and leaves the order as it was.
    m_swatches->setFlow(QListView::LeftToRight);
    m_swatches->setWrapping(true);
    m_swatches->setIconSize(QSize(kSwatch, kSwatch));
    m_swatches->setGridSize(QSize(kSwatch + 4, kSwatch + 4));
    m_swatches->setResizeMode(QListView::Adjust);
    m_swatches->setUniformItemSizes(true);
    m_swatches->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_swatches, 1);
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& text, const QString& tip, auto slot) {
        auto* b = new QToolButton(body);
        b->setText(text);
        b->setToolTip(tip);
        connect(b, &QToolButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    addButton(QStringLiteral("+"), Tr(QT_TRANSLATE_NOOP("CPalettePanel", "現在の色をユーザー パレットに追加")), [this] { AddColor(); });
    addButton(QStringLiteral("−"), Tr(QT_TRANSLATE_NOOP("CPalettePanel", "選んだ色をユーザー パレットから削除")), [this] { RemoveColor(m_swatches->currentRow()); });
    addButton(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "開く")), Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットを開く")), [this] { OpenPalette(); });
    addButton(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "保存")), Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットを保存")), [this] { SavePalette(); });
    buttons->addStretch(1);
    layout->addLayout(buttons);
    setWidget(body);

    m_user = LoadUserPalette(QSettings(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication()));
    // Model colours are counted once edits pause, not at every cell.
    m_modelTimer = new QTimer(this);
    m_modelTimer->setSingleShot(true);
    m_modelTimer->setInterval(300);
    connect(m_modelTimer, &QTimer::timeout, this, [this] {
        if (m_doc)
            m_model = ModelTools::ModelPalette(*m_doc);
        if (m_shown == List::Model)
            Fill();
    });
    connect(m_choice, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowList(index == 1 ? List::Model : List::User); });
    connect(m_swatches, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { TakeColor(m_swatches->row(item)); });
    connect(m_swatches, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { EditColor(m_swatches->row(item)); });
    connect(m_swatches, &QWidget::customContextMenuRequested, this, &CPalettePanel::ShowContextMenu);
    connect(m_swatches->model(), &QAbstractItemModel::rowsMoved, this, [this] { ReadOrderFromList(); });
    Fill();
}

CPalettePanel::~CPalettePanel()
{
    if (m_doc)
        m_doc->RemoveView(this);
}

void CPalettePanel::SetDocument(CMiravelDoc* doc)
{
    WatchDocument(this, m_doc, doc);
    ModelChanged();
}

void CPalettePanel::OnUpdate(CDocView*, long) { ModelChanged(); }
void CPalettePanel::OnCubeChanged(const CUBEPOS&) { ModelChanged(); }
void CPalettePanel::OnModelReset() { ModelChanged(); }

void CPalettePanel::ModelChanged()
{
    // A model that was replaced shows at once; edits wait for a pause.
    if (!m_modelTimer->isActive())
        m_modelTimer->start();
}

void CPalettePanel::ShowList(List list)
{
    if (list == List::Model && m_doc)
        m_model = ModelTools::ModelPalette(*m_doc);
    m_shown = list;
    if (m_choice->currentIndex() != int(list))
        m_choice->setCurrentIndex(int(list));
    // Only the user's palette is reordered by dragging.
    m_swatches->setDragDropMode(list == List::User ? QAbstractItemView::InternalMove : QAbstractItemView::NoDragDrop);
    Fill();
}

std::vector<COLORREF> CPalettePanel::Colors() const
{
    return m_shown == List::User ? m_user : m_model;
}

void CPalettePanel::enterEvent(QEnterEvent* event)
{
    QDockWidget::enterEvent(event);
    if (m_marked != m_view.m_state.m_edit.m_cubeColor) {
        const int row = m_swatches->currentRow();
        Fill();
        m_swatches->setCurrentRow(row);
    }
}

void CPalettePanel::Fill()
{
    const COLORREF current = m_view.m_state.m_edit.m_cubeColor;
    m_marked = current;
    m_swatches->clear();
    for (const COLORREF c : Colors()) {
        auto* item = new QListWidgetItem(SwatchIcon(c, c == current), QString(), m_swatches);
        item->setData(Qt::UserRole, uint(c));
        item->setToolTip(QStringLiteral("R %1  G %2  B %3\n%4")
                             .arg(GetRValue(c))
                             .arg(GetGValue(c))
                             .arg(GetBValue(c))
                             .arg(ColorHex(c)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                       (m_shown == List::User ? Qt::ItemIsDragEnabled : Qt::NoItemFlags));
    }
}

void CPalettePanel::SetUser(std::vector<COLORREF> colors)
{
    m_user = std::move(colors);
    QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
    SaveUserPalette(store, m_user);
    if (m_shown == List::User)
        Fill();
}

void CPalettePanel::ReadOrderFromList()
{
    if (m_shown != List::User)
        return;
    std::vector<COLORREF> colors;
    for (int i = 0; i < m_swatches->count(); ++i)
        colors.push_back(COLORREF(m_swatches->item(i)->data(Qt::UserRole).toUInt()));
    m_user = colors;
    QSettings store(ShellTexts::StoreOrganization(), ShellTexts::StoreApplication());
    SaveUserPalette(store, m_user);
}

void CPalettePanel::TakeColor(int row)
{
    const std::vector<COLORREF> colors = Colors();
    if (row < 0 || row >= int(colors.size()))
        return;
    // Exactly what a palette button's "Cube:ColorN" does.
    CommandContext ctx{m_view.m_state, m_doc, m_view.CommandUi()};
    ToolCommands::TakeColor(ctx, colors[std::size_t(row)]);
    Fill();
    m_swatches->setCurrentRow(row);
}

void CPalettePanel::EditColor(int row)
{
    if (m_shown != List::User || row < 0 || row >= int(m_user.size()))
        return;
    COLORREF color = m_user[std::size_t(row)];
    if (!m_prompts.pickColor(this, color))
        return;
    std::vector<COLORREF> colors = m_user;
    colors[std::size_t(row)] = color;
    SetUser(std::move(colors));
}

void CPalettePanel::RecolorCubes(int row)
{
    const std::vector<COLORREF> colors = Colors();
    if (row < 0 || row >= int(colors.size()))
        return;
    CommandContext ctx{m_view.m_state, m_doc, m_view.CommandUi()};
    ToolCommands::RecolorCubes(ctx, colors[std::size_t(row)], m_view.m_state.m_edit.m_cubeColor);
}

void CPalettePanel::AddColor()
{
    if (m_user.size() >= std::size_t(kMaxPaletteColors))
        return;
    std::vector<COLORREF> colors = m_user;
    colors.push_back(m_view.m_state.m_edit.m_cubeColor);
    SetUser(std::move(colors));
}

void CPalettePanel::RemoveColor(int row)
{
    if (m_shown != List::User || row < 0 || row >= int(m_user.size()))
        return;
    std::vector<COLORREF> colors = m_user;
    colors.erase(colors.begin() + row);
    SetUser(std::move(colors));
}

void CPalettePanel::ShowContextMenu(const QPoint& pos)
{
    const int row = m_swatches->row(m_swatches->itemAt(pos));
    if (row < 0)
        return;
    QMenu menu(this);
    menu.addAction(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "この色のキューブを現在の色に置き換え(&R)")), this, [this, row] { RecolorCubes(row); });
    if (m_shown == List::User) {
        menu.addAction(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "色を変更(&E)...")), this, [this, row] { EditColor(row); });
        menu.addAction(Tr(QT_TRANSLATE_NOOP("CPalettePanel", "削除(&D)")), this, [this, row] { RemoveColor(row); });
    }
    menu.exec(m_swatches->viewport()->mapToGlobal(pos));
}

void CPalettePanel::OpenPalette()
{
    const QString path = m_prompts.askOpenPath(this);
    if (path.isEmpty())
        return;
    PaletteReadResult read = ReadPaletteFile(path);
    if (!read.ok) {
        m_prompts.showError(this, ExchangeMessages::CannotRead(path, read.message));
        return;
    }
    SetUser(std::move(read.colors));
    ShowList(List::User);
}

void CPalettePanel::SavePalette()
{
    const std::vector<COLORREF> colors = Colors();
    if (colors.empty()) {
        m_prompts.showError(this, Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットに色がありません。")));
        return;
    }
    const QString path = m_prompts.askSavePath(this);
    if (path.isEmpty())
        return;
    const PaletteWriteResult written = WritePaletteFile(path, colors);
    if (!written.ok)
        m_prompts.showError(this, ExchangeMessages::CannotWrite(path, written.message));
}

void CPalettePanel::RemapModel()
{
    const std::vector<COLORREF> colors = Colors();
    if (colors.empty()) {
        m_prompts.showError(this, Tr(QT_TRANSLATE_NOOP("CPalettePanel", "パレットに色がありません。")));
        return;
    }
    CommandContext ctx{m_view.m_state, m_doc, m_view.CommandUi()};
    ToolCommands::RemapToPalette(ctx, colors);
}

void CPalettePanel::ColorsToButtons()
{
    CommandContext ctx{m_view.m_state, m_doc, m_view.CommandUi()};
    ToolCommands::SetPaletteButtons(ctx, Colors());
}

void CPalettePanel::ButtonsToUserPalette()
{
    CommandContext ctx{m_view.m_state, m_doc, m_view.CommandUi()};
    std::vector<COLORREF> colors = m_user;
    for (const COLORREF c : ToolCommands::PaletteButtonColors(ctx))
        if (colors.size() < std::size_t(kMaxPaletteColors))
            colors.push_back(c);
    SetUser(std::move(colors));
}

std::vector<COLORREF> CPalettePanel::LoadUserPalette(const QSettings& store)
{
    std::vector<COLORREF> colors;
    if (!store.contains(kUserPaletteKey)) {
        // The palette buttons' colours at every start.
        return {kInitialPalette.begin(), kInitialPalette.end()};
    }
    // A hand-edited entry that names no colour is skipped.
    for (const QString& entry : store.value(kUserPaletteKey).toStringList()) {
        const QColor c = QColor::fromString(entry);
        if (c.isValid() && entry.startsWith(QLatin1Char('#')) && colors.size() < std::size_t(kMaxPaletteColors))
            colors.push_back(FromQColor(c));
    }
    return colors;
}

void CPalettePanel::SaveUserPalette(QSettings& store, const std::vector<COLORREF>& colors)
{
    QStringList entries;
    for (const COLORREF c : colors)
        entries << ColorHex(c);
    store.setValue(kUserPaletteKey, entries);
}
