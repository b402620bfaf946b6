// The program's windows as a desktop user and a screen reader meet them,
// driven through their real widgets: each window's texts, controls and
// chrome, where the keyboard focus goes, what the menus of each window are
// and do, and what the modal About window lets through.

#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/MenuCommands.h"
#include "framework/Picture.h"
#include "framework/Values.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/MenuBar1.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "qt/TitleBar.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/LineShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using harness::Knap;
using harness::MaxTal;
using harness::MinTal;
using harness::Tal;
using harness::Tekstfelt;

QString ShownText(fw::Window& window, const char* name)
{
    QWidget* widget = harness::WidgetOf(ControlNamed(window, name));
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return qobject_cast<QAbstractButton*>(widget)->text();
}

// Rnd gives `value` and counts its calls.
struct FixedRnd {
    explicit FixedRnd(double value) { fw::SetRndSource([this, value] { ++calls; return value; }); }
    ~FixedRnd() { fw::SetRndSource({ }); }
    int calls { 0 };
};

// Replaces the maximum as the user would: select it all, then type over it.
void TypeMaximum(fw::Window& w, const QString& text)
{
    harness::Focus(MaxTal(w));
    MaxTal(w).SelectAll();
    text.isEmpty() ? harness::Key(w, Qt::Key_Backspace) : harness::Type(MaxTal(w), text);
}

QMenuBar* MenuBarOf(const fw::Window& window) { return harness::FrameOf(window)->findChild<QMenuBar*>(); }
QAccessibleInterface* AccessibleOf(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// The menu of that title (without its "&") in the window's own menu bar.
QMenu* MenuOf(const fw::Window& window, const QString& title)
{
    for (QAction* action : MenuBarOf(window)->actions())
        if (action->menu() && QString(action->text()).remove('&') == title)
            return action->menu();
    return nullptr;
}

QAction* ItemOf(const fw::Window& window, const QString& menu, const QString& text)
{
    for (QAction* action : MenuOf(window, menu)->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

class Desktop : public harness::ProgramTest {
protected:
    // Opens a tool window as the user does, with its shortcut in the frontmost window.
    std::shared_ptr<fw::Window> OpenWithShortcut(Qt::Key key)
    {
        harness::Key(*fw::Window::Get(0), key, Qt::ControlModifier);
        harness::ProcessEvents();
        return fw::Window::Get(0);
    }
};

// A menu as the user and a screen reader meet it: each entry's text and
// shortcut, and "~" for a separator that is a plain line with no text, to
// assistive technology too.
std::string Shown(QMenu& menu)
{
    QAccessibleInterface* entries = AccessibleOf(&menu);
    EXPECT_EQ(entries->childCount(), menu.actions().size());
    std::string shown;
    for (int i = 0; i < menu.actions().size(); ++i) {
        const QAction* action = menu.actions().at(i);
        const bool line = action->isSeparator() && action->text().isEmpty()
            && entries->child(i)->role() == QAccessible::Separator && entries->child(i)->text(QAccessible::Name).isEmpty();
        shown += (i ? " | " : "") + (line ? "~" : (action->text() + " " + action->shortcut().toString()).trimmed().toStdString());
    }
    return shown;
}

using Launcher = harness::ProgramTest;
using AboutWindow = harness::ProgramTest;
using RandomNumberWindow = harness::AppTest;
using RandomOrderWindow = harness::AppTest;

// The Window menu's item for the window in front, as its check and enabling show it.
bool CheckedInFront(const fw::Window& menus_of, const char* item)
{
    fw::RunMenuEnablingPass();
    QAction* action = ItemOf(menus_of, "Vindue", QString::fromUtf8(item));
    return action->isChecked() && !action->isEnabled();
}

fw::TitleBar* TitleBarOf(const fw::Window& window)
{
    for (QWidget* child : harness::FrameOf(window)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* bar = dynamic_cast<fw::TitleBar*>(child))
            return bar;
    return nullptr;
}

}

TEST_F(Launcher, ShowsTwoButtonsThatOpenTheToolWindowsOrBringThemBackAndADieWhoseReleaseShowsAbout)
{
    EXPECT_EQ(fw::WindowCount(), 1);
    EXPECT_EQ(ShownText(*launcher, "BevelButton1"), QString::fromUtf8("Tilfældigt tal"));
    EXPECT_EQ(ShownText(*launcher, "BevelButton2"), QString::fromUtf8("Tilfældig rækkefølge"));
    auto& first = ControlAs<fw::BevelButton>(*launcher, "BevelButton1");
    auto& second = ControlAs<fw::BevelButton>(*launcher, "BevelButton2");
    harness::Click(first);
    auto numbers = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
    MaxTal(*numbers).SetText("25");
    harness::Click(second);
    auto order = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(order.get(), wTilfaeldigRaekkefoelge::Lookup()));
    harness::Click(first);
    EXPECT_EQ(fw::Window::Get(0), numbers);
    EXPECT_EQ(MaxTal(*numbers).Text(), "25");
    harness::Click(second);
    EXPECT_EQ(fw::Window::Get(0), order);
    EXPECT_EQ(fw::WindowCount(), 3);

    // Once closed, the next press builds the window afresh from its design.
    numbers->Close();
    harness::ProcessEvents();
    harness::Click(first);
    EXPECT_EQ(MaxTal(*fw::Window::Get(0)).Text(), "10");

    // A press on the die is taken: its release shows About, also away from the die; a release alone is nothing.
    auto& die = ControlAs<fw::Canvas>(*launcher, "Canvas1");
    harness::Release(die, 2, 2);
    harness::Press(die, 2, 2);
    EXPECT_FALSE(fw::GetImplicitWindow("wOm.wOm")) << "a press alone opens nothing";
    harness::Release(die, 150, 120);
    auto about = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(about.get(), wOm::Lookup()));
    EXPECT_TRUE(about->IsModal());
}

// Its texts byte for byte; the long ones wrap within their boxes, and the
// terms of use ("SmallSystem") are in smaller type than the rest ("System").
TEST_F(AboutWindow, ShowsItsTextsWrappedTheTermsOfUseSmallerAndClosesWithOkReturnEscapeOrItsCloseButton)
{
    auto about = wOm::Get();
    const std::pair<const char*, const char*> texts[] = {
        { "StaticText1", "Hapsavi" },
        { "StaticText2", /* with an EN DASH */ "Brug programmet til at finde et tilf\xC3\xA6ldigt tal eller en tilf\xC3\xA6ldig "
                         "r\xC3\xA6kkef\xC3\xB8lge \xE2\x80\x93 en slags elektronisk terning." },
        { "StaticText3", "Copyright \xC2\xA9 2026 Hapsavis udviklere. Alle rettigheder forbeholdes." },
        { "StaticText4", "Programmet er gratis, men m\xC3\xA5 kun kopieres til eget brug. Det m\xC3\xA5 ikke "
                         "videregives, videres\xC3\xA6lges eller lignende." },
        { "PushButton1", "OK" },
    };
    for (const auto& [name, text] : texts)
        EXPECT_EQ(ShownText(*about, name).toStdString(), text) << name;
    auto label = [&](const char* name) { return qobject_cast<QLabel*>(harness::WidgetOf(ControlNamed(*about, name))); };
    for (const char* name : { "StaticText2", "StaticText3", "StaticText4" })
        EXPECT_TRUE(label(name)->wordWrap()) << name;
    const QFont system = label("StaticText3")->font(), small = label("StaticText4")->font();
    EXPECT_EQ(system.pointSizeF() - small.pointSizeF(), 2.0);
    EXPECT_LT(QFontMetrics(small).height(), QFontMetrics(system).height());

    const std::vector<std::pair<const char*, std::function<void(wOm&)>>> ways = {
        { "OK", [](wOm& shown) { harness::Click(ControlNamed(shown, "PushButton1")); } },
        { "Return", [](wOm& shown) { harness::Key(shown, Qt::Key_Return); } },
        { "Escape", [](wOm& shown) { harness::Key(shown, Qt::Key_Escape); } },
        { "close button", [](wOm& shown) { harness::CloseByUser(shown); } },
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        auto shown = wOm::Get();
        shown->ShowModal();
        close(*shown);
        harness::ProcessEvents();
        EXPECT_FALSE(shown->IsOpen());
        EXPECT_EQ(fw::WindowCount(), 1);
        EXPECT_EQ(fw::Window::Get(0), launcher);
    }
}

TEST_F(RandomNumberWindow, OpensWithOneToTenEveryEditOfTheMaximumDecidesTheButtonAndTheNumberDrawnShowsWholeAndCentred)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    EXPECT_EQ(MinTal(*w).Text(), "1");
    EXPECT_EQ(MaxTal(*w).Text(), "10");
    EXPECT_EQ(Knap(*w).Caption(), "Find tilfældigt tal");
    EXPECT_EQ(Tal(*w), "");
    // Return presses the default button; a draw of 0 shows the minimum.
    {
        FixedRnd zero(0.0);
        harness::Key(*w, Qt::Key_Return);
        EXPECT_EQ(Tal(*w), "1");
    }

    FixedRnd rnd(std::nextafter(1.0, 0.0));
    // The maximum typed, whether the button is enabled, what a press shows ("" when it draws nothing).
    const std::tuple<QString, bool, std::string> cases[] = {
        { "2", true, "2" }, { "9999", true, "9999" },
        { "1", false, "" }, { "0", false, "" }, { "-5", false, "" }, { "abc", false, "" }, { "", false, "" },
        // 1 < 1.5 enables, but the bounds as Int32 are 1 and 1: nothing is drawn.
        { "1.5", true, "" },
        // Saturates to the largest Int32: the range 1..2147483647, no overflow.
        { "9e99", true, "2147483647" },
    };
    for (const auto& [max, enabled, shown] : cases) {
        SCOPED_TRACE(max.toStdString());
        TypeMaximum(*w, max);
        EXPECT_EQ(Knap(*w).Enabled(), enabled);
        EXPECT_EQ(Tal(*w), "") << "typing cleared the number shown before";
        const int before = rnd.calls;
        harness::Click(Knap(*w));
        EXPECT_EQ(Tal(*w), shown);
        EXPECT_EQ(rnd.calls - before, shown.empty() ? 0 : 1);
    }
    // A paste clears it too; the minimum takes nothing.
    MaxTal(*w).SelectAll();
    harness::Paste(MaxTal(*w), "97");
    EXPECT_EQ(Tal(*w), "");
    harness::Type(MinTal(*w), "5");
    harness::Paste(MinTal(*w), "5");
    EXPECT_EQ(MinTal(*w).Text(), "1");

    // Four digits at 96 points are wider than the number's box: the type shrinks
    // so the whole number shows, and it stands in the middle of its label.
    for (const auto& [max, drawn] : { std::pair { "10", 0.75 }, { "9999", std::nextafter(1.0, 0.0) } }) {
        TypeMaximum(*w, max);
        FixedRnd rnd(drawn);
        harness::Key(*w, Qt::Key_Return);
        SCOPED_TRACE(Tal(*w));
        auto* label = qobject_cast<QLabel*>(harness::WidgetOf(ControlNamed(*w, "Tal")));
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width());
        EXPECT_GT(label->font().pointSizeF(), 40) << "still large type";
        // The dark columns of the label as it is drawn: the digits' ink.
        const QImage shown = label->grab().toImage();
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

TEST_F(RandomOrderWindow, OpensEmptyWithTheButtonCentredAtEveryWidthAndEnabledExactlyWhileTheTextHasALineBreak)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    auto& button = harness::TilfaeldigRaekkefoelge(*w);
    EXPECT_EQ(w->Title(), "Tilfældig rækkefølge");
    EXPECT_EQ(field.Text(), "");
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(button.Caption(), "Tilfældig rækkefølge");
    EXPECT_EQ(button.Left(), 67);   // (300 - 166) / 2, not the stored 62
    // Past both edges when narrower than the button, odd differences truncated.
    for (const auto& [width, left] : { std::pair { 400, 117 }, { 64, -51 }, { 301, 67 }, { 400, 117 } }) {
        w->SetWidth(width);
        harness::ProcessEvents();
        EXPECT_EQ(button.Left(), left) << width;
        EXPECT_EQ(button.Top(), 260);
    }

    harness::Type(field, "en linje med\tmellemrum ");
    EXPECT_FALSE(button.Enabled());
    // A soft line break typed with Shift+Return is a line break too.
    for (const auto modifier : { Qt::NoModifier, Qt::ShiftModifier }) {
        harness::Key(*w, Qt::Key_Return, modifier);
        EXPECT_TRUE(button.Enabled());
        EXPECT_EQ(field.Text(), "en linje med\tmellemrum \r");
        harness::Key(*w, Qt::Key_Backspace);
        EXPECT_FALSE(button.Enabled());
    }
    harness::Paste(field, "a\nb");
    EXPECT_TRUE(button.Enabled());
    // The field's quick answer agrees with the rule on the text it reports.
    for (const std::string text : { "", "én", "a\rb", "a\nb", "a\r\nb", "\n", "\r\n", "a\nb\rc", "slut\r",
             "x\u2028y", "x\u2029y" }) {
        field.SetText(text);
        EXPECT_EQ(button.Enabled(), HasSeveralLines(field.Text())) << "text set: " << text;
    }
}

// Every window, one built afresh too, shows the same menus; a screen reader
// finds each window's own, with the state of the one menu model.
TEST_F(Desktop, EveryWindowShowsTheSameMenusItsOwnToAScreenReader)
{
    OpenWithShortcut(Qt::Key_1)->Close();
    harness::ProcessEvents();
    auto numbers = OpenWithShortcut(Qt::Key_1);
    auto order = OpenWithShortcut(Qt::Key_2);
    const std::vector<fw::Window*> windows { launcher.get(), numbers.get(), order.get() };
    for (const fw::Window* window : windows) {
        SCOPED_TRACE(window->Title());
        std::vector<std::string> menus;
        for (QAction* top : MenuBarOf(*window)->actions())
            menus.push_back(top->text().toStdString() + ": " + Shown(*top->menu()));
        EXPECT_EQ(menus, (std::vector<std::string> { "&Arkiv: Luk Ctrl+W | ~ | Slut Ctrl+Q",
                             "&Rediger: Fortryd Ctrl+Z | ~ | Klip Ctrl+X | Kopier Ctrl+C | Sæt ind Ctrl+V | Slet | ~ | Vælg alt Ctrl+A",
                             "&Vindue: Hapsavi Ctrl+0 | ~ | Tilfældigt tal Ctrl+1 | Tilfældig rækkefølge Ctrl+2 | Om Hapsavi..." }));
    }

    // The random-order window is frontmost: its item is checked and disabled in every window.
    fw::RunMenuEnablingPass();
    for (const fw::Window* window : windows) {
        SCOPED_TRACE(window->Title());
        QWidget* frame = harness::FrameOf(*window);
        QAccessibleInterface* bar = AccessibleOf(MenuBarOf(*window));
        EXPECT_EQ(bar->parent(), AccessibleOf(frame));
        ASSERT_EQ(bar->childCount(), 3);
        QAccessibleInterface* vindue = bar->child(2);
        EXPECT_EQ(vindue->text(QAccessible::Name), "Vindue");
        EXPECT_TRUE(QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size()).contains(vindue->rect()));
        ASSERT_EQ(vindue->childCount(), 1);
        QAccessibleInterface* menu = vindue->child(0);
        EXPECT_EQ(menu->parent(), vindue);
        QAccessibleInterface* item = menu->child(3);
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromUtf8("Tilfældig rækkefølge"));
        EXPECT_EQ(item->parent(), menu);
        EXPECT_TRUE(item->state().checked);
        EXPECT_TRUE(item->state().disabled);
    }

    // Luk in the random-number window's menu closes that window, not the frontmost one.
    QAccessibleInterface* luk = AccessibleOf(MenuBarOf(*numbers))->child(0)->child(0)->child(0);
    ASSERT_EQ(luk->text(QAccessible::Name), "Luk");
    ASSERT_TRUE(luk->actionInterface());
    luk->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    harness::ProcessEvents();
    EXPECT_FALSE(numbers->IsOpen());
    EXPECT_TRUE(order->IsOpen());
}

// About is modal to the window system too, its toplevel shown once, already
// modal, and it stays over the window in front when it opened. No command
// reaches the windows behind it.
TEST_F(Desktop, TheAboutWindowShowsOnceModalOverTheWindowInFrontAndNoCommandReachesTheWindowsBehind)
{
    auto order = OpenWithShortcut(Qt::Key_2);
    auto& text = harness::Tekstfelt(*order);
    harness::Type(text, "skrevet");
    struct Shows : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (event->type() == QEvent::Show && widget && widget->isWindow() && widget->windowTitle() == "Om Hapsavi")
                seen.push_back(widget->isModal() ? "modal shown" : "shown");
            return false;
        }
        std::vector<std::string> seen;
    } watch;
    qApp->installEventFilter(&watch);
    fw::ChooseMenuItem(AppleAbout());
    harness::ProcessEvents();
    qApp->removeEventFilter(&watch);
    auto about = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(about.get(), wOm::Lookup()));
    EXPECT_EQ(watch.seen, std::vector<std::string> { "modal shown" });
    QWindow* shown = harness::FrameOf(*about)->windowHandle();
    EXPECT_EQ(shown->modality(), Qt::ApplicationModal);
    EXPECT_EQ(shown->transientParent(), harness::FrameOf(*order)->windowHandle());

    // Nothing opens, comes forward or closes behind it.
    for (Qt::Key key : { Qt::Key_1, Qt::Key_2, Qt::Key_0, Qt::Key_W })
        harness::Key(*about, key, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(fw::GetImplicitWindow(wTilfaeldigtTal::Lookup().Name()));
    EXPECT_TRUE(order->IsOpen());
    EXPECT_EQ(text.Text(), "skrevet");
    EXPECT_EQ(fw::Window::Get(0), about);

    // Its menus say so: only Slut is left to choose.
    fw::RunMenuEnablingPass();
    for (const char* item : { "Hapsavi", "Tilfældigt tal", "Tilfældig rækkefølge", "Om Hapsavi..." }) {
        QAction* action = ItemOf(*about, "Vindue", QString::fromUtf8(item));
        EXPECT_FALSE(action->isEnabled() || action->isChecked()) << item;
    }
    EXPECT_FALSE(ItemOf(*about, "Arkiv", "Luk")->isEnabled());
    EXPECT_TRUE(ItemOf(*about, "Arkiv", "Slut")->isEnabled());

    // A window shown or activated behind it does not come in front of it.
    order->Show();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(harness::FrameOf(*launcher), &activate);
    EXPECT_EQ(fw::Window::Get(0), about);

    harness::Key(*about, Qt::Key_Escape);
    harness::ProcessEvents();
    EXPECT_TRUE(fw::IsA(OpenWithShortcut(Qt::Key_1).get(), wTilfaeldigtTal::Lookup()));
}

// The front window is the one the user sees and types in. A minimized window
// goes behind the others and comes back in front when shown. Where the
// platform does not activate the window the program shows (a Wayland
// compositor without activation keeps the active one), the window the user
// then types in is the one in front.
TEST_F(Desktop, TheFrontWindowIsTheOneTheUserSeesAndTypesInAMinimizedOneComesBackInFrontWhenShown)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    QWidget* frame = harness::FrameOf(*numbers);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        { "Ctrl+1", [&] { harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier); } },
        { "the launcher's button", [&] { harness::Click(ControlNamed(*launcher, "BevelButton1")); } },
    };
    for (const auto& [way, bring_back] : ways) {
        SCOPED_TRACE(way);
        frame->showMinimized();
        harness::ProcessEvents();
        EXPECT_EQ(fw::Window::Get(0), launcher);
        EXPECT_FALSE(CheckedInFront(*launcher, "Tilfældigt tal"));
        bring_back();
        harness::ProcessEvents();
        EXPECT_FALSE(frame->windowState() & Qt::WindowMinimized);
        EXPECT_EQ(fw::Window::Get(0), numbers);
        EXPECT_TRUE(CheckedInFront(*numbers, "Tilfældigt tal"));
    }

    harness::FrameOf(*launcher)->showMinimized();
    harness::ProcessEvents();
    harness::Key(*numbers, Qt::Key_0, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(harness::FrameOf(*launcher)->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(fw::Window::Get(0), launcher);
    EXPECT_TRUE(CheckedInFront(*launcher, "Hapsavi"));

    auto order = OpenWithShortcut(Qt::Key_2);
    harness::Key(*order, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(fw::Window::Get(0), numbers) << "asked for";
    ASSERT_EQ(QApplication::activeWindow(), harness::FrameOf(*order)) << "the platform has not activated it";
    harness::Key(*order, Qt::Key_X);
    EXPECT_EQ(fw::Window::Get(0), order);
    EXPECT_TRUE(CheckedInFront(*order, "Tilfældig rækkefølge"));
    harness::Key(*order, Qt::Key_W, Qt::ControlModifier);
    harness::ProcessEvents();
    EXPECT_FALSE(order->IsOpen());
    EXPECT_TRUE(numbers->IsOpen());
}

TEST_F(Desktop, TheFocusOpensInTheFirstFieldThatTakesTypingStaysThereOnAClickOrAMenuAndTabReachesTheButtons)
{
    // Shuffle with the mouse, then select all and copy the result.
    auto order = OpenWithShortcut(Qt::Key_2);
    EXPECT_EQ(order->FocusedControl(), order->ControlByName("Tekstfelt"));
    auto& text = harness::Tekstfelt(*order);
    harness::Paste(text, "en\nto\ntre");
    harness::Click(harness::TilfaeldigRaekkefoelge(*order));
    harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
    harness::Key(*order, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(text.SelLength(), fw::Len(text.Text()));
    EXPECT_EQ(QApplication::clipboard()->text().replace('\n', '\r').toStdString(), text.Text());

    auto numbers = OpenWithShortcut(Qt::Key_1);
    EXPECT_EQ(numbers->FocusedControl(), numbers->ControlByName("MaxTal")) << "not the read-only minimum";
    EXPECT_EQ(harness::MaxTal(*numbers).SelLength(), 2);
    harness::Key(*numbers, Qt::Key_6);
    EXPECT_EQ(harness::MaxTal(*numbers).Text(), "6");
    // Tab reaches a button, Space and Return press it.
    harness::Key(*numbers, Qt::Key_Tab);
    EXPECT_EQ(numbers->FocusedControl(), numbers->ControlByName("Knap"));
    harness::Key(*numbers, Qt::Key_Space);
    EXPECT_NE(harness::Tal(*numbers), "");
    numbers->Close();
    launcher->Show();
    harness::Focus(ControlAs<fw::BevelButton>(*launcher, "BevelButton1"));
    harness::Key(*launcher, Qt::Key_Tab);
    harness::Key(*launcher, Qt::Key_Return);
    EXPECT_EQ(fw::Window::Get(0), order) << "the second button, not the first, was pressed";

    // A menu opened from the keyboard acts on the field and gives the focus back when it closes.
    harness::Focus(text);
    QWidget* field = harness::FrameOf(*order)->focusWidget();
    const int32_t all = fw::Len(text.Text());
    QAction* select_all = ItemOf(*order, "Rediger", QString::fromUtf8("Vælg alt"));
    // The user is back in the field with nothing selected, and opens Rediger.
    auto open_edit_menu = [&](const std::function<void()>& keys) {
        text.SetSelLength(0);
        harness::Focus(text);
        harness::ProcessEvents();
        keys();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_EQ(menu, MenuOf(*order, "Rediger"));
        return menu;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        { "Alt+R", [&] { harness::Key(*order, Qt::Key_R, Qt::AltModifier); } },
        // The bar holds the keyboard focus meanwhile.
        { "Alt, Right, Down", [&] {
             QTest::keyPress(field, Qt::Key_Alt, Qt::AltModifier);
             QTest::keyRelease(field, Qt::Key_Alt);
             QTest::keyClick(MenuBarOf(*order), Qt::Key_Right);
             QTest::keyClick(MenuBarOf(*order), Qt::Key_Down);
         } },
    };
    // Closed with Escape, or Vælg alt chosen with Return: the focus is back in the field, which the item acted on.
    for (const auto& [way, keys] : ways)
        for (const bool choose : { false, true }) {
            SCOPED_TRACE(std::string(way) + (choose ? ", Return" : ", Escape"));
            QMenu* menu = open_edit_menu(keys);
            ASSERT_TRUE(menu);
            EXPECT_TRUE(select_all->isEnabled()) << "the menu is for the field";
            if (choose)
                menu->setActiveAction(select_all);
            QTest::keyClick(menu, choose ? Qt::Key_Return : Qt::Key_Escape);
            harness::ProcessEvents();
            EXPECT_FALSE(QApplication::activePopupWidget());
            EXPECT_EQ(harness::FrameOf(*order)->focusWidget(), field);
            if (!choose)
                harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
            EXPECT_EQ(text.SelLength(), all);
        }
}

// What the window system and a screen reader are told about each window,
// whoever draws its title bar.
TEST_F(Desktop, WindowChromeFollowsTheDesignsEachWindowIsAFrameOrADialogNamedByItsTitleAndTheDieAGraphic)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    fw::ChooseMenuItem(AppleAbout());
    auto about = fw::Window::Get(0);

    // Not resizable: a fixed size and no maximize button.
    for (const auto& [window, title] : { std::pair<fw::Window*, std::string> { launcher.get(), "Hapsavi" }, { numbers.get(), "Tilfældigt tal" } }) {
        SCOPED_TRACE(title);
        QWidget* frame = harness::FrameOf(*window);
        EXPECT_EQ(frame->windowType(), Qt::Window);
        EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
        EXPECT_TRUE(MenuBarOf(*window)->isVisible());
        EXPECT_EQ(AccessibleOf(frame)->role(), QAccessible::Window);
        EXPECT_EQ(AccessibleOf(frame)->text(QAccessible::Name).toStdString(), title);
    }
    // The About window: a resizable dialog with all three buttons.
    QWidget* dialog = harness::FrameOf(*about);
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_NE(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(AccessibleOf(dialog)->role(), QAccessible::Dialog);
    EXPECT_EQ(AccessibleOf(dialog)->text(QAccessible::Name), "Om Hapsavi");

    // The die in both windows, its white transparent: a graphic named after its control, where it is drawn.
    EXPECT_EQ(Hapsavibillede64x64::Get()->Transparent(), 1);
    for (fw::Window* window : { static_cast<fw::Window*>(launcher.get()), about.get() }) {
        SCOPED_TRACE(window->Title());
        EXPECT_EQ(ControlAs<fw::Canvas>(*window, "Canvas1").Backdrop(), Hapsavibillede64x64::Get());
        QWidget* canvas = harness::WidgetOf(ControlNamed(*window, "Canvas1"));
        QAccessibleInterface* picture = AccessibleOf(canvas);
        EXPECT_EQ(picture->role(), QAccessible::Graphic);
        EXPECT_EQ(picture->text(QAccessible::Name).toStdString(), "Canvas1");
        EXPECT_EQ(picture->rect(), QRect(canvas->mapToGlobal(QPoint(0, 0)), QSize(64, 64)));
    }

    // Where the toolkit's own title bar would show every button (Qt's decoration
    // on Wayland), a window whose design forbids one draws its own bar.
    harness::Key(*about, Qt::Key_Escape);
    numbers->Close();
    harness::ProcessEvents();
    struct AsOnWayland {
        AsOnWayland() { fw::TitleBar::SetWanted(true); }
        ~AsOnWayland() { fw::TitleBar::SetWanted(std::nullopt); }
    } as_on_wayland;
    numbers = OpenWithShortcut(Qt::Key_1);
    fw::ChooseMenuItem(AppleAbout());
    about = fw::Window::Get(0);

    QWidget* frame = harness::FrameOf(*numbers);
    auto* bar = TitleBarOf(*numbers);
    ASSERT_TRUE(bar);
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    std::vector<QString> buttons;
    for (QAbstractButton* button : bar->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(frame))
            buttons.push_back(AccessibleOf(button)->text(QAccessible::Name));
    EXPECT_EQ(buttons, std::vector<QString> { "Luk" });
    EXPECT_TRUE(bar->findChild<QLabel*>()->text() == QString::fromUtf8("Tilfældigt tal"));
    EXPECT_EQ(frame->height(), bar->height() + MenuBarOf(*numbers)->height() + numbers->Height());

    // About allows every button: the platform draws its bar.
    EXPECT_FALSE(TitleBarOf(*about));
    EXPECT_FALSE(harness::FrameOf(*about)->windowFlags() & Qt::FramelessWindowHint);
    harness::Key(*about, Qt::Key_Escape);
    harness::ProcessEvents();

    QTest::mouseClick(bar->findChildren<QAbstractButton*>().back(), Qt::LeftButton);
    harness::ProcessEvents();
    EXPECT_FALSE(numbers->IsOpen());
}
