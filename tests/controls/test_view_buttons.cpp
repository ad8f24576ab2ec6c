// The view's set of buttons made from the catalogue. Clicks, groups and the
// layout through a real view are tested with the view.
#include "ButtonTestSupport.h"
#include "controls/CViewButtons.h"
#include "controls/CommandDispatcher.h"
#include "scene/ViewState.h"

#include <gtest/gtest.h>

namespace {

// Stands for the view: a widget that owns the buttons as members.
class FakeView : public QWidget, public CViewButtons {
public:
    FakeView() { resize(800, 600); }
};

TEST(ViewButtons, CreatedFromTheCatalogue)
{
    FakeView view;
    RecordingOwner owner;
    CViewState state;
    view.CreateButtons(&view, &owner, state);
    for (const ButtonSpec& row : ButtonCatalogue()) {
        const CCommandButton* b = view.ButtonById(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(CCommandDispatcher::Find(b->m_strCommand), row.command) << row.id;
        EXPECT_EQ(CCommandDispatcher::Find(b->m_strCommand2), row.command2) << row.id;
        EXPECT_EQ(std::tie(b->m_nRepeatInterval, b->m_nClickWait, b->m_crColor),
                  std::make_tuple(row.repeatInterval, row.clickWait, InitialSwatch(row, state))) << row.id;
        EXPECT_EQ(b->parentWidget(), &view);
        // The members are declared in identifier order; the lookup must follow them.
        EXPECT_TRUE(row.id == kFirstButtonId || std::less<>()(view.ButtonById(row.id - 1), b)) << row.id;
    }
    EXPECT_EQ(view.ButtonById(ButtonColor1 + 5), &view.m_btnColor[5]);
}

} // namespace
