// The random-order window and its select-all text field, driven through
// their real widgets, with the application object made as start-up makes it.

#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/Values.h"
#include "framework/WindowClass.h"
#include "shell/MenuBar1.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

namespace {

cEditfield& Tekstfelt(fw::Window& w) { return ControlAs<cEditfield>(w, "Tekstfelt"); }
fw::PushButton& Knap(fw::Window& w) { return ControlAs<fw::PushButton>(w, "TilfaeldigRaekkefoelge"); }

class RandomOrderWindow : public harness::AppTest {
protected:
    std::shared_ptr<wTilfaeldigRaekkefoelge> Open()
    {
        auto w = wTilfaeldigRaekkefoelge::Get();
        w->Show();
        harness::ProcessEvents();
        return w;
    }
};

TEST_F(RandomOrderWindow, OpensEmptyWithTheButtonCentredAndDisabledAndReopensSoAfterCtrlW)
{
    auto w = Open();
    auto expect_fresh = [](fw::Window& w) {
        EXPECT_EQ(w.Title(), "Tilfældig rækkefølge");
        EXPECT_EQ(Tekstfelt(w).Text(), "");
        EXPECT_FALSE(Knap(w).Enabled());
        EXPECT_EQ(Knap(w).Caption(), "Tilfældig rækkefølge");
        EXPECT_EQ(Knap(w).Left(), 67);   // (300 - 166) / 2, not the stored 62
    };
    expect_fresh(*w);

    // Centred at every resize: past both edges when narrower than the button, odd differences truncated.
    for (const auto& [width, left] : { std::pair { 400, 117 }, { 64, -51 }, { 301, 67 }, { 400, 117 } }) {
        w->SetWidth(width);
        harness::ProcessEvents();
        EXPECT_EQ(Knap(*w).Left(), left) << width;
        EXPECT_EQ(Knap(*w).Top(), 260);
    }

    harness::Paste(Tekstfelt(*w), "a\nb");
    fw::RunMenuEnablingPass();
    EXPECT_TRUE(::FileClose()->Enabled());
    harness::Key(*w, Qt::Key_W, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(w->IsOpen());
    auto again = Open();
    EXPECT_NE(again, w);
    expect_fresh(*again);
}

TEST_F(RandomOrderWindow, TheButtonIsEnabledExactlyWhileTheTextHasALineBreak)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    harness::Type(field, "en linje med\tmellemrum ");
    EXPECT_FALSE(Knap(*w).Enabled());
    // A soft line break typed with Shift+Return is a line break too.
    for (const auto modifier : { Qt::NoModifier, Qt::ShiftModifier }) {
        harness::Key(*w, Qt::Key_Return, modifier);
        EXPECT_TRUE(Knap(*w).Enabled());
        EXPECT_EQ(field.Text(), "en linje med\tmellemrum \r");
        harness::Key(*w, Qt::Key_Backspace);
        EXPECT_FALSE(Knap(*w).Enabled());
    }
    harness::Paste(field, "a\nb");
    EXPECT_TRUE(Knap(*w).Enabled());

    // The field's quick answer agrees with the rule on the text it reports.
    for (const std::string text : { "", "én", "a\rb", "a\nb", "a\r\nb", "\n", "\r\n", "a\nb\rc", "slut\r",
             "x\u2028y", "x\u2029y" }) {
        field.SetText(text);
        EXPECT_EQ(Knap(*w).Enabled(), HasSeveralLines(field.Text())) << "text set: " << text;
    }
}

TEST_F(RandomOrderWindow, APressPutsSeveralLinesInTheOrderRndDrawsAndLeavesOneLineAlone)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    harness::Paste(field, "a\nb\nc");
    int calls = 0;
    double value = 0.0;
    fw::SetRndSource([&] { ++calls; return value; });
    harness::Click(Knap(*w));
    EXPECT_EQ(field.Text(), "a\rb\rc");
    EXPECT_EQ(calls, 3);

    value = std::nextafter(1.0, 0.0);
    harness::Click(Knap(*w));
    EXPECT_EQ(field.Text(), "c\rb\ra");

    field.SetText(" én lang linje\t");
    calls = 0;
    w->TilfaeldigRaekkefoelge_Action();
    EXPECT_EQ(field.Text(), " én lang linje\t");
    EXPECT_EQ(calls, 0);
}

TEST_F(RandomOrderWindow, SelectAllIsEnabledWhileTheFieldHasTextNotWhollySelected)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    auto select_all_enabled = [&] {
        harness::Focus(field);
        fw::RunMenuEnablingPass();
        return ::EditSelectAll()->Enabled();
    };
    EXPECT_FALSE(select_all_enabled());

    field.SetText("x\ny");
    field.SetSelStart(1);
    EXPECT_TRUE(select_all_enabled());
    harness::Key(*w, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field.SelStart(), 0);
    EXPECT_EQ(field.SelLength(), 3);
    EXPECT_FALSE(select_all_enabled()) << "nothing left to select";
    field.SetSelLength(2);
    EXPECT_TRUE(select_all_enabled());

    // The menu item runs the field's handler too. Characters, not bytes: three letters wholly selected.
    field.SetText("æøå");
    EXPECT_TRUE(fw::ChooseMenuItem(::EditSelectAll()));
    EXPECT_EQ(field.SelLength(), 3);
    EXPECT_FALSE(select_all_enabled());
}

}
