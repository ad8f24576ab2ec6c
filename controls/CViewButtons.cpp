#include "controls/CViewButtons.h"

#include "controls/CommandDispatcher.h"
#include "scene/ViewState.h"

#include <QWidget>

CViewButtons::CViewButtons()
{
    CCommandButton* const singles[] = {
        &m_btnRotateXBack, &m_btnRotateXForward, &m_btnRotateYBack, &m_btnRotateYForward,
        &m_btnMoveUp,      &m_btnMoveDown,       &m_btnMoveLeft,    &m_btnMoveRight,
        &m_btnScaleUp,     &m_btnScaleDown,      &m_btnCubeBack,    &m_btnCubeForward,
        &m_btnSight,       &m_btnAxis,           &m_btnGround,      &m_btnFrame,
        &m_btnBack,        &m_btnCanvas,         &m_btnCopy,        &m_btnPaste,
        &m_btnCube,
    };
    CCommandButton* const tail[] = {
        &m_btnCanvasSwitch, &m_btnCanvasUp, &m_btnCanvasDown, &m_btnSetting,
        &m_btnHelp,         &m_btnScreenShot, &m_btnDrawSwitch, &m_btnLight,
    };
    // Creation order, which is also identifier order.
    std::size_t i = 0;
    for (CCommandButton* b : singles)
        m_byIndex[i++] = b;
    for (CCommandButton& b : m_btnColor)
        m_byIndex[i++] = &b;
    for (CCommandButton* b : tail)
        m_byIndex[i++] = b;
}

CCommandButton* CViewButtons::ButtonById(int id)
{
    const int index = id - kFirstButtonId;
    if (index < 0 || index >= kButtonCount)
        return nullptr;
    return m_byIndex[std::size_t(index)];
}

const CCommandButton* CViewButtons::ButtonById(int id) const
{
    return const_cast<CViewButtons*>(this)->ButtonById(id);
}

void CViewButtons::CreateButtons(QWidget* parent, ICommandOwner* owner, const CViewState& state)
{
    m_colorButtons.clear();
    for (CCommandButton& b : m_btnColor)
        m_colorButtons.push_back(&b);

    for (const ButtonSpec& row : ButtonCatalogue()) {
        CCommandButton* button = ButtonById(row.id);
        if (!button)
            continue;
        button->setParent(parent);
        button->setGeometry(0, 0, 0, 0);
        button->m_nId = row.id;
        button->setObjectName(row.member);
        // Image first: the tooltip answers over the size the image gives.
        button->LoadPngResource(row.pngResource);
        button->SetTooltipText(row.tooltip);
        button->m_pOwner = owner;
        button->m_strCommand = CommandRegistry::Name(row.command);
        button->m_strCommand2 = row.command2 ? CommandRegistry::Name(*row.command2) : QString();
        button->m_nRepeatInterval = row.repeatInterval;
        button->m_nClickWait = row.clickWait;
        button->m_crColor = InitialSwatch(row, state);
        button->show();
    }
    m_created = true;
}

void CViewButtons::ShowControlGroup(bool show)
{
    if (!m_created)
        return;
    for (int id : ShowControlButtonOrder())
        if (CCommandButton* b = ButtonById(id))
            b->setVisible(show);
}

void CViewButtons::ShowColorGroup(bool show)
{
    for (CCommandButton* b : m_colorButtons)
        if (b)
            b->setVisible(show);
}

ButtonRects CViewButtons::CurrentRects() const
{
    ButtonRects rects;
    if (!m_created)
        return rects;
    for (int id = kFirstButtonId; id < kFirstButtonId + kButtonCount; ++id)
        if (const CCommandButton* b = ButtonById(id))
            rects[id] = b->geometry();
    return rects;
}

void CViewButtons::LayoutButtonWidgets(int clientWidth, int clientHeight, ControlColumn controlPos,
                                       PaletteCorner colorPos)
{
    if (!m_created)
        return;
    ButtonLayoutInput input;
    input.clientWidth = clientWidth;
    input.clientHeight = clientHeight;
    input.controlPos = controlPos;
    input.colorPos = colorPos;
    input.helpFrameSize = QSize(m_btnHelp.m_nFrameWidth, m_btnHelp.m_nFrameHeight);
    const ButtonRects rects = ComputeButtonLayout(input, CurrentRects());
    for (const auto& [id, rect] : rects) {
        CCommandButton* b = ButtonById(id);
        if (b && b->geometry() != rect)
            b->setGeometry(rect);
    }
    for (CCommandButton* b : m_byIndex)
        b->update();
}
