// Controls' bounds: anchors that follow the parent's resize.
#include <gtest/gtest.h>

#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "tests/framework/ControlsTestSupport.h"

using namespace testing_support;

TEST(Control, AnchoredChildrenFollowTheParentsResize)
{
    for (bool withWindows : {false, true}) {
        SCOPED_TRACE(withWindows ? "with windows" : "before the windows exist");
        auto form = NewForm(300, 200);
        if (withWindows)
            form->HandleNeeded();
        auto* corner = Add<TButton>(*form, nullptr, 200, 150, 80, 30);
        corner->SetAnchors(akRight | akBottom);
        auto* panel = Add<TPanel>(*form, nullptr, 10, 10, 280, 120);
        panel->SetAnchors(akLeft | akTop | akRight | akBottom);
        auto* inner = Add<TEdit>(*form, panel, 200, 10, 70, 21);
        inner->SetAnchors(akTop | akRight);
        auto* fixed = Add<TLabel>(*form, nullptr, 5, 180, 30, 13);
        fixed->SetAutoSize(false);
        auto* centred = Add<TPanel>(*form, nullptr, 100, 160, 100, 25);
        centred->SetAnchors(akBottom);

        form->SetClientSize(400, 260);
        EXPECT_EQ(form->ClientWidth(), 400);
        EXPECT_EQ(corner->Left(), 300);
        EXPECT_EQ(corner->Top(), 210);
        EXPECT_EQ(corner->Width(), 80);
        EXPECT_EQ(panel->Width(), 380);
        EXPECT_EQ(panel->Height(), 180);
        EXPECT_EQ(inner->Left(), 300);
        EXPECT_EQ(fixed->Left(), 5);
        EXPECT_EQ(fixed->Top(), 180);
        if (withWindows) {
            RECT r;
            GetWindowRect(corner->Handle(), &r);
            MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, 300);
            EXPECT_EQ(r.top, 210);
        }
        EXPECT_EQ(centred->Left(), 150);
        EXPECT_EQ(centred->Top(), 220);
        // Shrinking and growing back gives the same layout.
        form->SetClientSize(250, 150);
        form->SetClientSize(400, 260);
        EXPECT_EQ(corner->Left(), 300);
        EXPECT_EQ(panel->Width(), 380);
        // One pixel at a time ends where one step does: centred.
        for (int w = 401; w <= 410; ++w)
            form->SetClientSize(w, 260);
        EXPECT_EQ(centred->Left(), 155);
    }
}
