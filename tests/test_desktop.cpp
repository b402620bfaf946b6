// The program's windows as a desktop user and a screen reader meet them:
// where the keyboard focus goes, what the menus of each window are and do,
// what the modal About window lets through, and each window's chrome.

#include "framework/BevelButton.h"
#include "framework/EditField.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "framework/WindowClass.h"
#include "shell/MenuBar1.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

QMenuBar* MenuBarOf(const fw::Window& window)
{
    return harness::FrameOf(window)->findChild<QMenuBar*>();
}

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

QAccessibleInterface* AccessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
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

}

TEST_F(Desktop, SeparatorsArePlainLinesWithoutTextInEveryWindowAndToAssistiveTechnology)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    for (const fw::Window* window : { static_cast<fw::Window*>(launcher.get()), numbers.get() }) {
        int separators = 0;
        for (QAction* top : MenuBarOf(*window)->actions()) {
            QAccessibleInterface* menu = AccessibleOf(top->menu());
            ASSERT_TRUE(menu);
            ASSERT_EQ(menu->childCount(), top->menu()->actions().size());
            for (int i = 0; i < menu->childCount(); ++i) {
                QAction* action = top->menu()->actions().at(i);
                if (!action->isSeparator())
                    continue;
                ++separators;
                EXPECT_EQ(action->text(), QString());
                EXPECT_EQ(menu->child(i)->role(), QAccessible::Separator);
                EXPECT_EQ(menu->child(i)->text(QAccessible::Name), QString());
            }
        }
        EXPECT_EQ(separators, 4);
    }
}

TEST_F(Desktop, WhileTheAboutWindowIsOpenNoCommandReachesTheWindowsBehindIt)
{
    auto order = OpenWithShortcut(Qt::Key_2);
    auto& text = ControlAs<cEditfield>(*order, "Tekstfelt");
    harness::Type(text, "skrevet");
    fw::ChooseMenuItem(AppleAbout());
    auto about = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(about.get(), wOm::Lookup()));

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
        SCOPED_TRACE(item);
        EXPECT_FALSE(ItemOf(*about, "Vindue", QString::fromUtf8(item))->isEnabled());
        EXPECT_FALSE(ItemOf(*about, "Vindue", QString::fromUtf8(item))->isChecked());
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
    auto numbers = OpenWithShortcut(Qt::Key_1);
    EXPECT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
}

TEST_F(Desktop, AClickOnAButtonLeavesTheFocusInTheTextAndTheKeyboardStillReachesTheButtons)
{
    // Shuffle with the mouse, then select all and copy the result.
    auto order = OpenWithShortcut(Qt::Key_2);
    auto& text = ControlAs<cEditfield>(*order, "Tekstfelt");
    harness::Paste(text, "en\nto\ntre");
    harness::Click(ControlAs<fw::PushButton>(*order, "TilfaeldigRaekkefoelge"));
    harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
    harness::Key(*order, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(text.SelLength(), fw::Len(text.Text()));
    EXPECT_EQ(QApplication::clipboard()->text().replace('\n', '\r').toStdString(), text.Text());

    // Tab reaches a button, Space and Return press it.
    auto numbers = OpenWithShortcut(Qt::Key_1);
    harness::Key(*numbers, Qt::Key_Tab);
    EXPECT_EQ(numbers->FocusedControl(), numbers->ControlByName("Knap"));
    harness::Key(*numbers, Qt::Key_Space);
    EXPECT_NE(ControlAs<fw::StaticText>(*numbers, "Tal").Text(), "");
    numbers->Close();
    launcher->Show();
    harness::Focus(ControlAs<fw::BevelButton>(*launcher, "BevelButton1"));
    harness::Key(*launcher, Qt::Key_Tab);
    harness::Key(*launcher, Qt::Key_Return);
    EXPECT_EQ(fw::Window::Get(0), order) << "the second button, not the first, was pressed";
}

TEST_F(Desktop, AMenuOpenedFromTheKeyboardActsOnTheFieldAndGivesTheFocusBackWhenItCloses)
{
    auto order = OpenWithShortcut(Qt::Key_2);
    auto& text = ControlAs<cEditfield>(*order, "Tekstfelt");
    harness::Type(text, "abc");
    QWidget* field = harness::FrameOf(*order)->focusWidget();
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
    for (const auto& [way, keys] : ways) {
        SCOPED_TRACE(way);
        QMenu* menu = open_edit_menu(keys);
        ASSERT_TRUE(menu);
        EXPECT_TRUE(select_all->isEnabled()) << "the menu is for the field";
        QTest::keyClick(menu, Qt::Key_Escape);
        harness::ProcessEvents();
        EXPECT_FALSE(QApplication::activePopupWidget());
        EXPECT_EQ(harness::FrameOf(*order)->focusWidget(), field);
        harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(text.SelLength(), 3);
    }

    // Chosen from the keyboard, an item acts on the field, and the focus is back there too.
    QMenu* menu = open_edit_menu([&] { harness::Key(*order, Qt::Key_R, Qt::AltModifier); });
    ASSERT_TRUE(menu);
    menu->setActiveAction(select_all);
    QTest::keyClick(menu, Qt::Key_Return);
    harness::ProcessEvents();
    EXPECT_EQ(text.SelLength(), 3);
    EXPECT_EQ(harness::FrameOf(*order)->focusWidget(), field);
}

TEST_F(Desktop, AWindowOpensWithTheFocusInItsFirstFieldThatTakesTypingItsTextSelected)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    auto& maximum = ControlAs<fw::EditField>(*numbers, "MaxTal");
    EXPECT_EQ(numbers->FocusedControl(), numbers->ControlByName("MaxTal")) << "not the read-only minimum";
    EXPECT_EQ(maximum.SelLength(), 2);
    harness::Key(*numbers, Qt::Key_6);
    EXPECT_EQ(maximum.Text(), "6");
    EXPECT_EQ(ControlAs<fw::EditField>(*numbers, "MinTal").Text(), "1");

    auto order = OpenWithShortcut(Qt::Key_2);
    EXPECT_EQ(order->FocusedControl(), order->ControlByName("Tekstfelt"));
}

TEST_F(Desktop, EachWindowsMenusAreItsOwnToAScreenReaderWithStateFromTheOneMenuModel)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    auto order = OpenWithShortcut(Qt::Key_2);
    numbers->Show();
    order->Show();
    fw::RunMenuEnablingPass();

    for (const fw::Window* window : { static_cast<fw::Window*>(launcher.get()), numbers.get(), order.get() }) {
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
        // The same state in every window: the random-order window is frontmost.
        QAccessibleInterface* item = menu->child(3);
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromUtf8("Tilfældig rækkefølge"));
        EXPECT_EQ(item->parent(), menu);
        EXPECT_TRUE(item->state().checked);
        EXPECT_TRUE(item->state().disabled);
    }

    // Luk in the random-number window's menu closes that window, not the frontmost one.
    QAccessibleInterface* arkiv = AccessibleOf(MenuBarOf(*numbers))->child(0)->child(0);
    QAccessibleInterface* luk = arkiv->child(0);
    ASSERT_EQ(luk->text(QAccessible::Name), "Luk");
    ASSERT_TRUE(luk->actionInterface());
    luk->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    harness::ProcessEvents();
    EXPECT_FALSE(numbers->IsOpen());
    EXPECT_TRUE(order->IsOpen());
}

// What the window system and a screen reader are told about each window.
TEST_F(Desktop, WindowChromeFollowsTheDesignsAndEachWindowIsAFrameOrADialogNamedByItsTitle)
{
    auto numbers = OpenWithShortcut(Qt::Key_1);
    fw::ChooseMenuItem(AppleAbout());
    auto about = fw::Window::Get(0);

    // Not resizable: a fixed size and no maximize button.
    for (const fw::Window* window : { static_cast<fw::Window*>(launcher.get()), numbers.get() }) {
        SCOPED_TRACE(window->Title());
        QWidget* frame = harness::FrameOf(*window);
        EXPECT_EQ(frame->windowType(), Qt::Window);
        EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_TRUE(frame->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
        EXPECT_TRUE(MenuBarOf(*window)->isVisible());
        EXPECT_EQ(AccessibleOf(frame)->role(), QAccessible::Window);
        EXPECT_EQ(AccessibleOf(frame)->text(QAccessible::Name).toStdString(), window->Title());
    }
    // The About window: a resizable dialog with all three buttons.
    QWidget* dialog = harness::FrameOf(*about);
    EXPECT_EQ(dialog->windowType(), Qt::Dialog);
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_NE(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(AccessibleOf(dialog)->role(), QAccessible::Dialog);
    EXPECT_EQ(AccessibleOf(dialog)->text(QAccessible::Name), "Om Hapsavi");
}
