// The random-order window and its select-all text field, driven through
// their real widgets, with the application object made as start-up makes it.

#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/Values.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/WindowClass.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

cEditfield& Tekstfelt(fw::Window& w) { return ControlAs<cEditfield>(w, "Tekstfelt"); }
fw::PushButton& Knap(fw::Window& w) { return ControlAs<fw::PushButton>(w, "TilfaeldigRaekkefoelge"); }

const std::string CR = "\r";

class RandomOrderWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        harness::StartRuntime();
        if (!fw::GetAppObject())
            NewAppInstance();
    }

    std::shared_ptr<wTilfaeldigRaekkefoelge> Open()
    {
        auto w = wTilfaeldigRaekkefoelge::Get();
        w->Show();
        harness::ProcessEvents();
        return w;
    }

    // Whether Select All is enabled after a menu-enabling pass with the field in focus.
    bool SelectAllEnabled(fw::Window& w)
    {
        harness::Focus(Tekstfelt(w));
        fw::RunMenuEnablingPass();
        return ::EditSelectAll()->Enabled();
    }

    void TearDown() override
    {
        fw::SetRndSource({ });
        if (auto w = fw::GetImplicitWindow(wTilfaeldigRaekkefoelge::Lookup().Name()))
            w->Close();
        harness::ProcessEvents();
        harness::ExpectNoPendingException();
    }
};

TEST_F(RandomOrderWindow, OpensEmptyWithTheButtonDisabledAndCentred)
{
    auto w = Open();
    EXPECT_EQ(w->Title(), "Tilfældig rækkefølge");
    EXPECT_EQ(w->Width(), 300);
    EXPECT_EQ(w->GetMenuBar(), nullptr);
    EXPECT_EQ(w->ShownMenuBar(), MenuBar1::Get());
    EXPECT_EQ(Tekstfelt(*w).Text(), "");
    EXPECT_TRUE(Tekstfelt(*w).MultiLine());
    EXPECT_TRUE(Tekstfelt(*w).AcceptTabs());
    EXPECT_EQ(Tekstfelt(*w).Class().Name(), "cEditfield");
    EXPECT_FALSE(Knap(*w).Enabled());
    EXPECT_EQ(Knap(*w).Caption(), "Tilfældig rækkefølge");
    EXPECT_EQ(Knap(*w).Left(), 67);   // (300 - 166) / 2, not the stored 62
    EXPECT_EQ(Knap(*w).Top(), 260);
    EXPECT_EQ(wTilfaeldigRaekkefoelge::Get(), w);
}

TEST_F(RandomOrderWindow, TheButtonIsEnabledExactlyWhileTheTextHasALineBreak)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    harness::Focus(field);

    harness::Type(field, "en linje med\tmellemrum ");
    EXPECT_FALSE(Knap(*w).Enabled());
    harness::Key(*w, Qt::Key_Return);
    EXPECT_TRUE(Knap(*w).Enabled());
    harness::Key(*w, Qt::Key_Backspace);
    EXPECT_FALSE(Knap(*w).Enabled());

    harness::Paste(field, "a\nb");
    EXPECT_TRUE(Knap(*w).Enabled());
    field.SetSelStart(0);
    field.SetSelLength(fw::Len(field.Text()));
    harness::Key(*w, Qt::Key_Delete);
    EXPECT_EQ(field.Text(), "");
    EXPECT_FALSE(Knap(*w).Enabled());

    // A lone line break is two empty lines.
    harness::Paste(field, "\r\n");
    EXPECT_TRUE(Knap(*w).Enabled());
}

TEST_F(RandomOrderWindow, TheButtonFollowsTheLineRuleOnTheTextTheFieldReports)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    const std::vector<std::string> texts { "", "én", "a\rb", "a\nb", "a\r\nb", "\n", "a\nb\rc", "slut\r", "x\u2028y" };
    for (const std::string& text : texts) {
        field.SetText(text);
        EXPECT_EQ(Knap(*w).Enabled(), HasSeveralLines(field.Text())) << "text set: " << text;
    }
    // A soft line break typed with Shift+Return is a line break too.
    field.SetText("a");
    harness::Focus(field);
    harness::Key(*w, Qt::Key_End);
    harness::Key(*w, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(Knap(*w).Enabled());
    EXPECT_EQ(field.Text(), "a" + CR);
}

TEST_F(RandomOrderWindow, APressPutsTheLinesInTheOrderRndDraws)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    harness::Focus(field);
    harness::Paste(field, "a\nb\nc");
    ASSERT_TRUE(Knap(*w).Enabled());

    int calls = 0;
    fw::SetRndSource([&] { ++calls; return 0.0; });
    harness::Click(Knap(*w));
    EXPECT_EQ(field.Text(), "a" + CR + "b" + CR + "c");
    EXPECT_EQ(calls, 3);

    fw::SetRndSource([] { return std::nextafter(1.0, 0.0); });
    harness::Click(Knap(*w));
    EXPECT_EQ(field.Text(), "c" + CR + "b" + CR + "a");
    EXPECT_TRUE(Knap(*w).Enabled());

    // With the real generator: the same lines, some order.
    fw::SetRndSource({ });
    field.SetText("1\n2\n3\n4\n5\n6\n7\n8");
    harness::Click(Knap(*w));
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= fw::CountFields(field.Text(), CR); ++i)
        lines.push_back(fw::NthField(field.Text(), CR, i));
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string> { "1", "2", "3", "4", "5", "6", "7", "8" }));
}

TEST_F(RandomOrderWindow, OneLineIsLeftAsItIs)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);
    field.SetText(" én lang linje\t");
    int calls = 0;
    fw::SetRndSource([&] { ++calls; return 0.0; });
    w->TilfaeldigRaekkefoelge_Action();
    EXPECT_EQ(field.Text(), " én lang linje\t");
    EXPECT_EQ(calls, 0);
}

TEST_F(RandomOrderWindow, SelectAllIsEnabledWhileTheFieldHasTextNotWhollySelected)
{
    auto w = Open();
    auto& field = Tekstfelt(*w);

    EXPECT_FALSE(SelectAllEnabled(*w));

    field.SetText("abc");
    field.SetSelStart(1);
    field.SetSelLength(0);
    EXPECT_TRUE(SelectAllEnabled(*w));

    // Choosing it runs the field's handler: the whole text selected, then nothing left to select.
    EXPECT_TRUE(fw::ChooseMenuItem(::EditSelectAll()));
    EXPECT_EQ(field.SelStart(), 0);
    EXPECT_EQ(field.SelLength(), 3);
    EXPECT_FALSE(SelectAllEnabled(*w));

    field.SetSelStart(0);
    field.SetSelLength(2);
    EXPECT_TRUE(SelectAllEnabled(*w));

    // Characters, not bytes: three letters wholly selected.
    field.SetText("æøå");
    field.SetSelStart(0);
    field.SetSelLength(3);
    EXPECT_FALSE(SelectAllEnabled(*w));

    // Ctrl+A as the user presses it.
    field.SetText("x\ny");
    field.SetSelStart(1);
    field.SetSelLength(0);
    harness::Key(*w, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field.SelStart(), 0);
    EXPECT_EQ(field.SelLength(), 3);
}

TEST_F(RandomOrderWindow, TheButtonStaysCentredAsTheWindowIsResized)
{
    auto w = Open();
    w->SetWidth(400);
    harness::ProcessEvents();
    EXPECT_EQ(Knap(*w).Left(), 117);

    // Narrower than the button: it reaches past both edges.
    w->SetWidth(64);
    harness::ProcessEvents();
    EXPECT_EQ(Knap(*w).Left(), -51);

    // An odd difference is truncated: 67.5 gives 67.
    w->SetWidth(301);
    harness::ProcessEvents();
    EXPECT_EQ(Knap(*w).Left(), 67);

    // The button's width is read at every resize.
    Knap(*w).SetWidth(100);
    w->SetWidth(400);
    harness::ProcessEvents();
    EXPECT_EQ(Knap(*w).Left(), 150);
    EXPECT_EQ(Knap(*w).Top(), 260);
}

TEST_F(RandomOrderWindow, CtrlWClosesAndTheReopenedWindowIsEmptyWithTheButtonDisabled)
{
    auto w = Open();
    harness::Focus(Tekstfelt(*w));
    harness::Paste(Tekstfelt(*w), "a\nb");
    w->SetWidth(400);
    harness::ProcessEvents();

    fw::RunMenuEnablingPass();
    EXPECT_TRUE(::FileClose()->Enabled());
    harness::Key(*w, Qt::Key_W, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(w->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("wTilfaeldigRaekkefoelge.wTilfaeldigRaekkefoelge"), nullptr);

    auto again = Open();
    EXPECT_TRUE(again->IsOpen());
    EXPECT_EQ(Tekstfelt(*again).Text(), "");
    EXPECT_FALSE(Knap(*again).Enabled());
    EXPECT_EQ(Knap(*again).Left(), 67);
}

}
