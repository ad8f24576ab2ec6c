#pragma once

#include "controls/ButtonCatalogue.h"
#include "controls/ButtonLayout.h"
#include "controls/CCommandButton.h"

#include <array>
#include <vector>

class ICommandOwner;
class QWidget;
struct CViewState;

// The 45 on-view buttons under the names the view uses, with their creation
// from the catalogue, the two visibility groups and the layout.
//
// Meant as a base or member of the view. The buttons are objects of this
// class, not heap children: it must be destroyed before the parent widget's
// own destructor runs (list it after the widget base class, or hold it as a
// member), so that each button leaves its parent before the parent would
// delete its children.
class CViewButtons {
public:
    CViewButtons();
    CViewButtons(const CViewButtons&) = delete;
    CViewButtons& operator=(const CViewButtons&) = delete;

    CCommandButton m_btnRotateXBack, m_btnRotateXForward, m_btnRotateYBack, m_btnRotateYForward;
    CCommandButton m_btnMoveUp, m_btnMoveDown, m_btnMoveLeft, m_btnMoveRight;
    CCommandButton m_btnScaleUp, m_btnScaleDown, m_btnCubeBack, m_btnCubeForward;
    CCommandButton m_btnSight, m_btnAxis, m_btnGround, m_btnFrame, m_btnBack, m_btnCanvas;
    CCommandButton m_btnCopy, m_btnPaste, m_btnCube;
    CCommandButton m_btnColor[kPaletteButtonCount];
    CCommandButton m_btnCanvasSwitch, m_btnCanvasUp, m_btnCanvasDown;
    CCommandButton m_btnSetting, m_btnHelp, m_btnScreenShot, m_btnDrawSwitch, m_btnLight;

    // The palette buttons in palette order; filled by CreateButtons.
    std::vector<CCommandButton*> m_colorButtons;

    // The button with a control identifier, or nullptr.
    CCommandButton* ButtonById(int id);
    const CCommandButton* ButtonById(int id) const;

    // Makes every button a visible child of `parent` as the catalogue
    // describes: image strip from the resources, tooltip, owner, commands,
    // repeat, click wait, and the swatch the state gives at this moment.
    // Until the first layout each button has the size of one frame at (0, 0).
    void CreateButtons(QWidget* parent, ICommandOwner* owner, const CViewState& state);

    // Shows or hides the "Control:Button" group, in its fixed order, and the
    // palette. The settings, help and screenshot buttons always stay.
    void ShowControlGroup(bool show);
    void ShowColorGroup(bool show);

    // Window rectangles of all created buttons (hidden ones keep theirs).
    ButtonRects CurrentRects() const;
    // Moves the buttons for a client size and the two position fields, then
    // repaints every button.
    void LayoutButtonWidgets(int clientWidth, int clientHeight, ControlColumn controlPos, PaletteCorner colorPos);

private:
    std::array<CCommandButton*, kButtonCount> m_byIndex{};
    bool m_created = false;
};
