#pragma once

#include "controls/ICommandOwner.h"
#include "editing/Tool.h"

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

// The view as its tools see it: focus, capture, picking, repaints and the
// current colour.
class CViewToolHost final : public IToolHost {
public:
    explicit CViewToolHost(CMiravelView& view) : m_view(view) {}
    void TakeFocus() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void Pick(int x, int y) override;
    void Invalidate() override;
    void RebuildDisplayLists() override;
    void TakeColor(COLORREF color) override;

private:
    CMiravelView& m_view;
};
