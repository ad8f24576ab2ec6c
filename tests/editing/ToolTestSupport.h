#pragma once

// The tools driven as the view drives them, without a window: a host that
// counts what was asked of it and picks through a function of the test's.
#include "editing/ToolBox.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>
#include <functional>

struct CountingToolHost : IToolHost {
    int focus = 0, captures = 0, releases = 0, picks = 0, invalidations = 0, rebuilds = 0;
    std::function<void(int, int)> onPick = [](int, int) {};
    void TakeFocus() override { ++focus; }
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { ++releases; }
    void Pick(int x, int y) override { ++picks, onPick(x, y); }
    void Invalidate() override { ++invalidations; }
    void RebuildDisplayLists() override { ++rebuilds; }
    void TakeColor(COLORREF) override {}
};

class ToolTest : public ::testing::Test {
protected:
    CViewState v;
    CMiravelDoc doc;
    CountingToolHost host;
    CToolBox tools;
    ToolContext ctx{v, doc, host, {100, 100}};
};
