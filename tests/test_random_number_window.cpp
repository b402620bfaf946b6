// The random-number window, driven through its real widgets.

#include "framework/AppleMenuItem.h"
#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/QuitMenuItem.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "shell/MenuBar1.h"
#include "tests/support/Harness.h"
#include "tools/WindowClass.h"
#include "tools/wTilfaeldigtTal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

fw::EditField& MinTal(fw::Window& w) { return ControlAs<fw::EditField>(w, "MinTal"); }
fw::EditField& MaxTal(fw::Window& w) { return ControlAs<fw::EditField>(w, "MaxTal"); }
fw::PushButton& Knap(fw::Window& w) { return ControlAs<fw::PushButton>(w, "Knap"); }
std::string Tal(fw::Window& w) { return ControlAs<fw::StaticText>(w, "Tal").Text(); }

const double kJustBelowOne = std::nextafter(1.0, 0.0);

// Rnd gives `value` and counts its calls.
struct FixedRnd {
    explicit FixedRnd(double value)
    {
        fw::SetRndSource([this, value] { ++calls; return value; });
    }
    ~FixedRnd() { fw::SetRndSource({ }); }
    int calls { 0 };
};

class RandomNumberWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { harness::StartRuntime(); }

    std::shared_ptr<wTilfaeldigtTal> Open()
    {
        auto w = wTilfaeldigtTal::Get();
        w->Show();
        harness::ProcessEvents();
        return w;
    }

    // Replaces the maximum as the user would: select it all, then type over it.
    void TypeMaximum(fw::Window& w, const QString& text)
    {
        auto& field = MaxTal(w);
        harness::Focus(field);
        field.SetSelStart(0);
        field.SetSelLength(fw::Len(field.Text()));
        if (text.isEmpty())
            harness::Key(w, Qt::Key_Backspace);
        else
            harness::Type(field, text);
    }

    void TearDown() override
    {
        fw::SetRndSource({ });
        if (auto w = fw::GetImplicitWindow(wTilfaeldigtTal::Lookup().Name()))
            w->Close();
        harness::ProcessEvents();
        harness::ExpectNoPendingException();
    }
};

TEST_F(RandomNumberWindow, OpensWithOneToTenTheButtonEnabledAndNoNumber)
{
    auto w = Open();
    EXPECT_EQ(w->Title(), "Tilfældigt tal");
    EXPECT_EQ(w->Width(), 203);
    EXPECT_EQ(w->Height(), 233);
    EXPECT_FALSE(w->Resizable());
    EXPECT_EQ(MinTal(*w).Text(), "1");
    EXPECT_TRUE(MinTal(*w).ReadOnly());
    EXPECT_EQ(MaxTal(*w).Text(), "10");
    EXPECT_EQ(MaxTal(*w).LimitText(), 4);
    EXPECT_TRUE(Knap(*w).Enabled());
    EXPECT_TRUE(Knap(*w).IsDefault());
    EXPECT_EQ(Knap(*w).Caption(), "Find tilfældigt tal");
    EXPECT_EQ(Tal(*w), "");
    EXPECT_EQ(ControlAs<fw::StaticText>(*w, "Tal").Style().size, 96);
    EXPECT_EQ(ControlAs<fw::StaticText>(*w, "Tal").TextAlign(), 1);

    // While it is open, the accessor gives the same window back.
    EXPECT_EQ(wTilfaeldigtTal::Get(), w);
}

TEST_F(RandomNumberWindow, ShowsTheOneSharedMenuBarAndFindsEveryItemInIt)
{
    auto w = Open();
    auto bar = MenuBar1::Get();
    ASSERT_EQ(w->GetMenuBar(), bar);

    // Each accessor finds the item of its own Name, of its class, in that one bar.
    const std::vector<std::pair<std::string, std::function<std::shared_ptr<fw::MenuItem>()>>> accessors {
        { "WindowMenu", [&] { return w->WindowMenu(); } },
        { "AppleAbout", [&] { return w->AppleAbout(); } },
        { "VindueTilfaeldigRaekkefoelge", [&] { return w->VindueTilfaeldigRaekkefoelge(); } },
        { "VindueTilfaeldigtTal", [&] { return w->VindueTilfaeldigtTal(); } },
        { "UntitledMenu0", [&] { return w->UntitledMenu0(); } },
        { "VindueHapsavi", [&] { return w->VindueHapsavi(); } },
        { "EditMenu", [&] { return w->EditMenu(); } },
        { "EditSelectAll", [&] { return w->EditSelectAll(); } },
        { "UntitledMenu1", [&] { return w->UntitledMenu1(); } },
        { "EditClear", [&] { return w->EditClear(); } },
        { "EditPaste", [&] { return w->EditPaste(); } },
        { "EditCopy", [&] { return w->EditCopy(); } },
        { "EditCut", [&] { return w->EditCut(); } },
        { "UntitledMenu2", [&] { return w->UntitledMenu2(); } },
        { "EditUndo", [&] { return w->EditUndo(); } },
        { "FileMenu", [&] { return w->FileMenu(); } },
        { "FileQuit", [&] { return w->FileQuit(); } },
        { "UntitledMenu3", [&] { return w->UntitledMenu3(); } },
        { "FileClose", [&] { return w->FileClose(); } },
    };
    for (const auto& [name, accessor] : accessors) {
        auto item = accessor();
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->Name(), name);
        EXPECT_EQ(item, bar->FindItem(name)) << name;
    }
    EXPECT_EQ(w->AppleAbout()->Class().Name(), "AppleMenuItem");
    EXPECT_EQ(w->FileQuit()->Class().Name(), "QuitMenuItem");
    EXPECT_EQ(w->FileClose()->Text(), "Luk");

    // Reopened, the window installs the same bar again.
    w->Close();
    harness::ProcessEvents();
    auto again = Open();
    EXPECT_EQ(again->GetMenuBar(), bar);
}

TEST_F(RandomNumberWindow, TypedMaximumDecidesTheButtonAndWhatAPressShows)
{
    auto w = Open();
    FixedRnd rnd(kJustBelowOne);
    struct Case {
        QString max;
        bool enabled;
        std::string shown;   // after a press; "" when the press draws nothing
    };
    const Case cases[] = {
        { "2", true, "2" },
        { "9999", true, "9999" },
        { "1", false, "" },
        { "0", false, "" },
        { "-5", false, "" },
        // 1 < 1.5 enables, but the bounds as Int32 are 1 and 1: nothing is drawn.
        { "1.5", true, "" },
        { "abc", false, "" },
        // Saturates to the largest Int32: the range 1..2147483647, no overflow.
        { "9e99", true, "2147483647" },
        { "", false, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max.toStdString());
        TypeMaximum(*w, c.max);
        EXPECT_EQ(MaxTal(*w).Text(), c.max.toStdString());
        EXPECT_EQ(Knap(*w).Enabled(), c.enabled);
        EXPECT_EQ(Tal(*w), "");
        const int before = rnd.calls;
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), c.shown);
        EXPECT_EQ(rnd.calls - before, c.shown.empty() ? 0 : 1);
        // A press changes neither field nor the button.
        EXPECT_EQ(MaxTal(*w).Text(), c.max.toStdString());
        EXPECT_EQ(MinTal(*w).Text(), "1");
        EXPECT_EQ(Knap(*w).Enabled(), c.enabled);
    }
}

TEST_F(RandomNumberWindow, AHugeMaximumDrawsInsideTheWholeRange)
{
    auto w = Open();
    TypeMaximum(*w, "1e10");
    FixedRnd rnd(0.5);
    harness::Click(Knap(*w));
    EXPECT_EQ(Tal(*w), "1073741824");   // 1 + Floor(0.5 * 2147483647)
}

TEST_F(RandomNumberWindow, EditingTheMaximumClearsTheShownNumber)
{
    auto w = Open();
    FixedRnd rnd(0.0);
    harness::Click(Knap(*w));
    ASSERT_EQ(Tal(*w), "1");

    // An edit that leaves the button enabled clears it too.
    harness::Focus(MaxTal(*w));
    MaxTal(*w).SetSelStart(2);
    MaxTal(*w).SetSelLength(0);
    harness::Type(MaxTal(*w), "0");
    EXPECT_EQ(MaxTal(*w).Text(), "100");
    EXPECT_EQ(Tal(*w), "");
    EXPECT_TRUE(Knap(*w).Enabled());

    // So does one that restores the text the number was drawn from.
    harness::Click(Knap(*w));
    ASSERT_EQ(Tal(*w), "1");
    harness::Focus(MaxTal(*w));
    MaxTal(*w).SetSelStart(3);
    MaxTal(*w).SetSelLength(0);
    harness::Key(*w, Qt::Key_Backspace);
    EXPECT_EQ(MaxTal(*w).Text(), "10");
    EXPECT_EQ(Tal(*w), "");

    // And a paste.
    harness::Click(Knap(*w));
    ASSERT_EQ(Tal(*w), "1");
    MaxTal(*w).SetSelStart(0);
    MaxTal(*w).SetSelLength(2);
    harness::Paste(MaxTal(*w), "7");
    EXPECT_EQ(MaxTal(*w).Text(), "7");
    EXPECT_EQ(Tal(*w), "");
}

TEST_F(RandomNumberWindow, TheMaximumTakesFourCharactersTypedOrPastedAndTheMinimumNone)
{
    auto w = Open();
    TypeMaximum(*w, "123456");
    EXPECT_EQ(MaxTal(*w).Text(), "1234");

    MaxTal(*w).SetSelStart(0);
    MaxTal(*w).SetSelLength(4);
    harness::Paste(MaxTal(*w), "987654");
    EXPECT_EQ(MaxTal(*w).Text(), "9876");

    harness::Focus(MinTal(*w));
    harness::Type(MinTal(*w), "5");
    harness::Paste(MinTal(*w), "5");
    EXPECT_EQ(MinTal(*w).Text(), "1");
}

TEST_F(RandomNumberWindow, ReturnPressesTheButtonWhileItIsEnabled)
{
    auto w = Open();
    FixedRnd rnd(0.0);
    harness::Focus(MaxTal(*w));
    harness::Key(*w, Qt::Key_Return);
    EXPECT_EQ(Tal(*w), "1");
    EXPECT_EQ(rnd.calls, 1);

    TypeMaximum(*w, "1");
    harness::Key(*w, Qt::Key_Return);
    EXPECT_EQ(Tal(*w), "");
    EXPECT_EQ(rnd.calls, 1);
}

TEST_F(RandomNumberWindow, APressCallsRndOnceAndMapsItsExtremesToTheBounds)
{
    auto w = Open();
    {
        FixedRnd rnd(0.0);
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), "1");
        EXPECT_EQ(rnd.calls, 1);
    }
    {
        FixedRnd rnd(kJustBelowOne);
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), "10");
        EXPECT_EQ(rnd.calls, 1);
    }
    {
        FixedRnd rnd(0.55);   // 1 + Floor(5.5)
        harness::Click(Knap(*w));
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), "6");
        EXPECT_EQ(rnd.calls, 2);
    }
}

TEST_F(RandomNumberWindow, CtrlWClosesAndTheNextOpeningIsFresh)
{
    auto w = Open();
    TypeMaximum(*w, "55");
    FixedRnd rnd(0.0);
    harness::Click(Knap(*w));
    ASSERT_EQ(Tal(*w), "1");

    fw::RunMenuEnablingPass();
    EXPECT_TRUE(w->FileClose()->Enabled());
    harness::Key(*w, Qt::Key_W, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(w->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("wTilfaeldigtTal.wTilfaeldigtTal"), nullptr);

    auto again = Open();
    EXPECT_TRUE(again->IsOpen());
    EXPECT_EQ(MaxTal(*again).Text(), "10");
    EXPECT_EQ(Tal(*again), "");
    EXPECT_TRUE(Knap(*again).Enabled());
}

TEST_F(RandomNumberWindow, TheRealGeneratorDrawsOneToTenWithoutBias)
{
    auto w = Open();
    constexpr int kDraws = 20000;
    int counts[11] = { };
    for (int i = 0; i < kDraws; ++i) {
        Knap(*w).Push();
        const int r = std::stoi(Tal(*w));
        ASSERT_GE(r, 1);
        ASSERT_LE(r, 10);
        ++counts[r];
    }
    const double expected = kDraws / 10.0;
    double chi2 = 0;
    for (int r = 1; r <= 10; ++r)
        chi2 += (counts[r] - expected) * (counts[r] - expected) / expected;
    // 9 degrees of freedom: above 50 by chance once in some 10^7 runs; one
    // value missed or doubled gives thousands.
    EXPECT_LT(chi2, 50.0);
}

}
