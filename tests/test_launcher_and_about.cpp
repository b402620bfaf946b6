#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Picture.h"
#include "framework/PushButton.h"
#include "framework/ResourceFork.h"
#include "framework/StaticText.h"
#include "framework/WindowClass.h"
#include "shell/App.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

QString ShownText(const fw::Control& control)
{
    if (auto* label = qobject_cast<QLabel*>(harness::WidgetOf(control)))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(harness::WidgetOf(control)))
        return button->text();
    return { };
}

using Launcher = harness::ProgramTest;
using AboutWindow = harness::ProgramTest;
using Picture = harness::RuntimeTest;

}

TEST_F(Launcher, IsOnScreenAtStartUpWithThePictureAndTwoButtons)
{
    EXPECT_EQ(fw::WindowCount(), 1);
    EXPECT_TRUE(launcher->IsVisible());
    EXPECT_EQ(launcher->Title(), "Hapsavi");
    EXPECT_EQ(launcher->Width(), 200);
    EXPECT_EQ(launcher->Height(), 166);
    EXPECT_EQ(launcher->Controls().size(), 3u);
    EXPECT_EQ(ControlAs<fw::Canvas>(*launcher, "Canvas1").Backdrop(), Hapsavibillede64x64::Get());
    EXPECT_EQ(Hapsavibillede64x64::Get()->Transparent(), 1);
    EXPECT_EQ(ShownText(ControlAs<fw::BevelButton>(*launcher, "BevelButton1")), QString::fromUtf8("Tilfældigt tal"));
    EXPECT_EQ(ShownText(ControlAs<fw::BevelButton>(*launcher, "BevelButton2")), QString::fromUtf8("Tilfældig rækkefølge"));
}

TEST_F(Launcher, ItsButtonsOpenTheToolWindowsAndBringThemBackToTheFront)
{
    auto& first = ControlAs<fw::BevelButton>(*launcher, "BevelButton1");
    auto& second = ControlAs<fw::BevelButton>(*launcher, "BevelButton2");

    harness::Click(first);
    auto numbers = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
    EXPECT_TRUE(numbers->IsVisible());
    ControlAs<fw::EditField>(*numbers, "MaxTal").SetText("25");
    harness::Click(second);
    auto order = fw::Window::Get(0);
    ASSERT_TRUE(fw::IsA(order.get(), wTilfaeldigRaekkefoelge::Lookup()));

    harness::Click(first);
    EXPECT_EQ(fw::Window::Get(0), numbers);
    EXPECT_EQ(ControlAs<fw::EditField>(*numbers, "MaxTal").Text(), "25");
    harness::Click(second);
    EXPECT_EQ(fw::Window::Get(0), order);
    EXPECT_EQ(fw::WindowCount(), 3);

    // Once closed, the next press builds the window afresh from its design.
    numbers->Close();
    harness::ProcessEvents();
    harness::Click(first);
    auto fresh = fw::Window::Get(0);
    EXPECT_NE(fresh, numbers);
    EXPECT_EQ(ControlAs<fw::EditField>(*fresh, "MaxTal").Text(), "10");
}

TEST_F(Launcher, APressOnThePictureIsTakenAndItsReleaseShowsTheAboutWindowModally)
{
    auto& canvas = ControlAs<fw::Canvas>(*launcher, "Canvas1");
    // Released away from the picture: the release still belongs to the canvas.
    harness::Press(canvas, 2, 2);
    EXPECT_FALSE(fw::GetImplicitWindow("wOm.wOm")) << "a press alone opens nothing";
    harness::Release(canvas, 150, 120);
    auto about = fw::GetImplicitWindow("wOm.wOm");
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->IsModal());
    EXPECT_EQ(fw::Window::Get(0), about);
    EXPECT_EQ(ControlAs<fw::Canvas>(*about, "Canvas1").Backdrop(), canvas.Backdrop()) << "one picture for both windows";
}

TEST_F(AboutWindow, ShowsItsTextsByteForByte)
{
    auto about = wOm::Get();
    EXPECT_EQ(about->Title(), "Om Hapsavi");
    const std::pair<const char*, const char*> texts[] = {
        { "StaticText1", "Hapsavi" },
        { "StaticText2", /* with an EN DASH */ "Brug programmet til at finde et tilf\xC3\xA6ldigt tal eller en tilf\xC3\xA6ldig "
                         "r\xC3\xA6kkef\xC3\xB8lge \xE2\x80\x93 en slags elektronisk terning." },
        { "StaticText4", "Programmet er gratis, men m\xC3\xA5 kun kopieres til eget brug. Det m\xC3\xA5 ikke "
                         "videregives, videres\xC3\xA6lges eller lignende." },
    };
    for (const auto& [name, text] : texts) {
        auto& label = ControlAs<fw::StaticText>(*about, name);
        EXPECT_EQ(label.Text(), text) << name;
        EXPECT_EQ(ShownText(label).toStdString(), text) << name;
    }
    EXPECT_EQ(ControlAs<fw::StaticText>(*about, "StaticText3").Text().rfind("Copyright \xC2\xA9 ", 0), 0u);
    EXPECT_EQ(ShownText(ControlAs<fw::PushButton>(*about, "PushButton1")), "OK");
}

// The three long texts wrap within their boxes; the terms of use
// ("SmallSystem") are in smaller type than the rest ("System").
TEST_F(AboutWindow, WrapsItsLongTextsAndShowsTheTermsOfUseInSmallerType)
{
    auto about = wOm::Get();
    auto label = [&](const char* name) { return qobject_cast<QLabel*>(harness::WidgetOf(ControlNamed(*about, name))); };
    EXPECT_FALSE(label("StaticText1")->wordWrap());
    for (const char* name : { "StaticText2", "StaticText3", "StaticText4" })
        EXPECT_TRUE(label(name)->wordWrap()) << name;
    const QFont system = label("StaticText3")->font();
    const QFont small = label("StaticText4")->font();
    EXPECT_EQ(system.pointSizeF() - small.pointSizeF(), 2.0);
    EXPECT_LT(QFontMetrics(small).height(), QFontMetrics(system).height());
}

// To a screen reader the die is a picture named after its control, where it is drawn.
TEST_F(AboutWindow, ThePictureIsAGraphicNamedCanvas1InBothWindows)
{
    for (const std::shared_ptr<fw::Window>& window : { std::shared_ptr<fw::Window>(launcher), std::shared_ptr<fw::Window>(wOm::Get()) }) {
        SCOPED_TRACE(window->Title());
        QWidget* canvas = harness::WidgetOf(ControlNamed(*window, "Canvas1"));
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(canvas);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->role(), QAccessible::Graphic);
        EXPECT_EQ(picture->text(QAccessible::Name).toStdString(), "Canvas1");
        EXPECT_EQ(picture->rect(), QRect(canvas->mapToGlobal(QPoint(0, 0)), QSize(64, 64)));
    }
}

TEST_F(AboutWindow, ClosesWithOkReturnEscapeOrItsCloseButton)
{
    const std::vector<std::pair<const char*, std::function<void(wOm&)>>> ways = {
        { "OK", [](wOm& about) { harness::Click(ControlAs<fw::PushButton>(about, "PushButton1")); } },
        { "Return", [](wOm& about) { harness::Key(about, Qt::Key_Return); } },
        { "Escape", [](wOm& about) { harness::Key(about, Qt::Key_Escape); } },
        { "close button", [](wOm& about) { harness::CloseByUser(about); } },
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        auto about = wOm::Get();
        about->ShowModal();
        ASSERT_TRUE(about->IsModal());
        close(*about);
        harness::ProcessEvents();
        EXPECT_FALSE(about->IsOpen());
        EXPECT_EQ(fw::WindowCount(), 1);
        EXPECT_EQ(fw::Window::Get(0), launcher);
    }
}

// A failed load leaves nothing cached, so the picture loads once it is there.
TEST_F(Picture, WhileMissingEveryCallRaisesAndTheFirstCallAfterLoadsIt)
{
    QTemporaryDir folder;
    fw::SetResourceFolder(folder.path().toStdString());
    EXPECT_THROW(Hapsavibillede64x64::Get(), fw::NilObjectException);
    EXPECT_THROW(Hapsavibillede64x64::Get(), fw::NilObjectException);
    EXPECT_FALSE(Hapsavibillede64x64::_permapic);

    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/resources/168.png", folder.filePath("168.png")));
    auto picture = Hapsavibillede64x64::Get();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Transparent(), 1);
    EXPECT_EQ(Hapsavibillede64x64::Get(), picture);
    fw::SetResourceFolder("");
}
