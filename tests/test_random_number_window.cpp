// The random-number window, driven through its real widgets.

#include "framework/Application.h"
#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "framework/WindowClass.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigtTal.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

fw::EditField& MinTal(fw::Window& w) { return ControlAs<fw::EditField>(w, "MinTal"); }
fw::EditField& MaxTal(fw::Window& w) { return ControlAs<fw::EditField>(w, "MaxTal"); }
fw::PushButton& Knap(fw::Window& w) { return ControlAs<fw::PushButton>(w, "Knap"); }
std::string Tal(fw::Window& w) { return ControlAs<fw::StaticText>(w, "Tal").Text(); }

// Rnd gives `value` and counts its calls.
struct FixedRnd {
    explicit FixedRnd(double value) { fw::SetRndSource([this, value] { ++calls; return value; }); }
    ~FixedRnd() { fw::SetRndSource({ }); }
    int calls { 0 };
};

class RandomNumberWindow : public harness::AppTest {
protected:
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
        harness::Focus(MaxTal(w));
        MaxTal(w).SelectAll();
        if (text.isEmpty())
            harness::Key(w, Qt::Key_Backspace);
        else
            harness::Type(MaxTal(w), text);
    }
};

TEST_F(RandomNumberWindow, OpensWithOneToTenAndNoNumberAndReopensSoAfterCtrlW)
{
    auto w = Open();
    auto expect_fresh = [](fw::Window& w) {
        EXPECT_EQ(w.Title(), "Tilfældigt tal");
        EXPECT_EQ(MinTal(w).Text(), "1");
        EXPECT_EQ(MaxTal(w).Text(), "10");
        EXPECT_TRUE(Knap(w).Enabled());
        EXPECT_EQ(Knap(w).Caption(), "Find tilfældigt tal");
        EXPECT_EQ(Tal(w), "");
    };
    expect_fresh(*w);

    // Return presses the default button; a draw of 0 shows the minimum.
    TypeMaximum(*w, "55");
    FixedRnd rnd(0.0);
    harness::Key(*w, Qt::Key_Return);
    EXPECT_EQ(Tal(*w), "1");
    EXPECT_EQ(rnd.calls, 1);

    fw::RunMenuEnablingPass();
    EXPECT_TRUE(fw::AppMenuItem("FileClose")->Enabled());
    harness::Key(*w, Qt::Key_W, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(w->IsOpen());

    auto again = Open();
    EXPECT_NE(again, w);
    expect_fresh(*again);
}

TEST_F(RandomNumberWindow, TypedMaximumDecidesTheButtonAndWhatAPressShows)
{
    auto w = Open();
    FixedRnd rnd(std::nextafter(1.0, 0.0));
    struct Case {
        QString max;
        bool enabled;
        std::string shown;   // after a press; "" when the press draws nothing
    };
    const Case cases[] = {
        { "2", true, "2" }, { "9999", true, "9999" },
        { "1", false, "" }, { "0", false, "" }, { "-5", false, "" }, { "abc", false, "" }, { "", false, "" },
        // 1 < 1.5 enables, but the bounds as Int32 are 1 and 1: nothing is drawn.
        { "1.5", true, "" },
        // Saturates to the largest Int32: the range 1..2147483647, no overflow.
        { "9e99", true, "2147483647" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max.toStdString());
        TypeMaximum(*w, c.max);
        EXPECT_EQ(MaxTal(*w).Text(), c.max.toStdString());
        EXPECT_EQ(Knap(*w).Enabled(), c.enabled);
        EXPECT_EQ(Tal(*w), "") << "typing cleared the number shown before";
        const int before = rnd.calls;
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), c.shown);
        EXPECT_EQ(rnd.calls - before, c.shown.empty() ? 0 : 1);
    }
}

TEST_F(RandomNumberWindow, EveryEditOfTheMaximumClearsTheShownNumberAndItTakesAtMostFourCharacters)
{
    auto w = Open();
    FixedRnd rnd(0.0);
    auto& max = MaxTal(*w);
    const std::vector<std::pair<std::string, std::function<void()>>> edits {
        { "100", [&] { max.SetSelStart(2); harness::Type(max, "0"); } },
        // Back to the text the number was drawn from.
        { "10", [&] { max.SetSelStart(3); harness::Key(*w, Qt::Key_Backspace); } },
        { "1234", [&] { max.SelectAll(); harness::Type(max, "123456"); } },
        { "9876", [&] { max.SelectAll(); harness::Paste(max, "987654"); } },
    };
    for (const auto& [after, edit] : edits) {
        harness::Click(Knap(*w));
        ASSERT_EQ(Tal(*w), "1");
        harness::Focus(max);
        edit();
        EXPECT_EQ(max.Text(), after);
        EXPECT_EQ(Tal(*w), "");
    }

    // The minimum takes nothing.
    harness::Type(MinTal(*w), "5");
    harness::Paste(MinTal(*w), "5");
    EXPECT_EQ(MinTal(*w).Text(), "1");
}

TEST_F(RandomNumberWindow, TheRealGeneratorDrawsOneToTenWithoutBias)
{
    auto w = Open();
    constexpr int kDraws = 20000;
    int counts[11] = { };
    for (int i = 0; i < kDraws; ++i) {
        Knap(*w).Push();
        const int r = std::stoi(Tal(*w));
        ASSERT_TRUE(1 <= r && r <= 10) << r;
        ++counts[r];
    }
    double chi2 = 0;
    for (int r = 1; r <= 10; ++r)
        chi2 += (counts[r] - kDraws / 10.0) * (counts[r] - kDraws / 10.0) / (kDraws / 10.0);
    // 9 degrees of freedom: above 50 by chance once in some 10^7 runs; one
    // value missed or doubled gives thousands.
    EXPECT_LT(chi2, 50.0);
}

}

// Four digits at 96 points are wider than the number's box: the type shrinks so the whole number shows.
TEST_F(RandomNumberWindow, TheLargestNumberShowsWhole)
{
    auto w = Open();
    TypeMaximum(*w, "9999");
    FixedRnd rnd(std::nextafter(1.0, 0.0));
    harness::Key(*w, Qt::Key_Return);
    ASSERT_EQ(Tal(*w), "9999");
    auto* label = qobject_cast<QLabel*>(harness::WidgetOf(ControlNamed(*w, "Tal")));
    ASSERT_NE(label, nullptr);
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
    EXPECT_GT(label->font().pointSizeF(), 40) << "still large type";
}

// The drawn number stands in the middle of its label, at full size and shrunk to fit alike.
TEST_F(RandomNumberWindow, TheDrawnNumberIsCentredInItsLabel)
{
    auto w = Open();
    for (const auto& [max, drawn] : { std::pair { "10", 0.75 }, { "9999", std::nextafter(1.0, 0.0) } }) {
        TypeMaximum(*w, max);
        FixedRnd rnd(drawn);
        harness::Key(*w, Qt::Key_Return);
        SCOPED_TRACE(Tal(*w));
        // The dark columns of the label as it is drawn: the digits' ink.
        const QImage shown = harness::WidgetOf(ControlNamed(*w, "Tal"))->grab().toImage();
        int left = shown.width(), right = -1;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_LE(left, right) << "nothing drawn";
        EXPECT_LE(std::abs(left - (shown.width() - 1 - right)), 4) << "ink from " << left << " to " << right << " of " << shown.width();
    }
}
