#pragma once

#include "controls/ICommandOwner.h"
#include "editing/MouseInteraction.h"

class CMiravelView;

// The view as its buttons see it: every name a button sends goes to the
// view's dispatcher.
class CViewCommandOwner final : public ICommandOwner {
public:
    explicit CViewCommandOwner(CMiravelView& view) : m_view(view) {}
    bool ExecuteCommand(const QString& name) override;

private:
    CMiravelView& m_view;
};

// The view as mouse editing sees it: focus, capture, picking and repaints.
class CViewMouseHost final : public IMouseHost {
public:
    explicit CViewMouseHost(CMiravelView& view) : m_view(view) {}
    void TakeFocus() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void Pick(int x, int y) override;
    void Invalidate() override;
    void RebuildDisplayLists() override;

private:
    CMiravelView& m_view;
};
