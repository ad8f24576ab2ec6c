#pragma once

#include "model/CubeTypes.h"
#include "model/Document.h"

#include <QDockWidget>
#include <functional>
#include <vector>

class CMiravelDoc;
class CMiravelView;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QSettings;
class QTimer;

// The palette panel: up to 255 colours as swatches, either the user's own
// palette (kept in the per-user store) or the open model's. A click makes a
// colour the current colour as a palette button does; a double click edits
// a swatch of the user's palette (the model's palette follows its cubes and
// is not edited here); a swatch's menu recolours the cubes of its colour.
class CPalettePanel : public QDockWidget, private CDocView {
    Q_OBJECT

public:
    enum class List { User, Model };

    // The questions the panel asks; tests put their own answers in.
    struct Prompts {
        std::function<QString(QWidget*)> askOpenPath;   // empty: cancelled
        std::function<QString(QWidget*)> askSavePath;   // empty: cancelled
        std::function<bool(QWidget*, COLORREF&)> pickColor;  // false: cancelled
        std::function<void(QWidget*, const QString&)> showError;
    };

    CPalettePanel(CMiravelView& view, QWidget* parent);
    ~CPalettePanel() override;

    void SetDocument(CMiravelDoc* doc);
    Prompts& PanelPrompts() { return m_prompts; }

    void ShowList(List list);
    List Shown() const { return m_shown; }
    // The colours of the list shown.
    std::vector<COLORREF> Colors() const;
    std::vector<COLORREF> UserColors() const { return m_user; }
    QListWidget* Swatches() const { return m_swatches; }

    // The panel's commands.
    void OpenPalette();
    void SavePalette();
    void RemapModel();
    void ColorsToButtons();
    void ButtonsToUserPalette();
    // Swatch actions by row of the shown list.
    void TakeColor(int row);
    void EditColor(int row);
    void RecolorCubes(int row);
    void AddColor();      // the current colour, to the user's palette
    void RemoveColor(int row);

    // The user's palette in the per-user store: "#RRGGBB" entries; the
    // sixteen palette buttons' first colours when nothing is stored yet.
    static std::vector<COLORREF> LoadUserPalette(const QSettings& store);
    static void SaveUserPalette(QSettings& store, const std::vector<COLORREF>& colors);

protected:
    // The current colour may have changed elsewhere (a palette button, the
    // eyedropper): the mark follows when the pointer comes to the panel.
    void enterEvent(QEnterEvent* event) override;

private:
    void OnUpdate(CDocView* sender, long hint) override;
    void OnCubeChanged(const CUBEPOS& pos) override;
    void OnModelReset() override;

    void Fill();
    void ModelChanged();
    void SetUser(std::vector<COLORREF> colors);
    void ReadOrderFromList();  // after a drag
    void ShowContextMenu(const QPoint& pos);

    CMiravelView& m_view;
    CMiravelDoc* m_doc = nullptr;
    Prompts m_prompts;
    List m_shown = List::User;
    std::vector<COLORREF> m_user;
    std::vector<COLORREF> m_model;
    COLORREF m_marked = CLR_NONE;  // the current colour when the swatches were drawn
    QComboBox* m_choice = nullptr;
    QListWidget* m_swatches = nullptr;
    QTimer* m_modelTimer = nullptr;
};
