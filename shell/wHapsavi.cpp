#include "shell/wHapsavi.h"

#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/Design.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/wOm.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

namespace {

const fw::DesignList kWindow = fw::Design{}
    .Int("Placement", 0)
    .Int("Width", 200)
    .Int("Height", 166)
    .Int("MinWidth", 64)
    .Int("MinHeight", 64)
    .Int("MaxWidth", 32000)
    .Int("MaxHeight", 32000)
    .Int("Frame", 0)
    .Bool("Composite", false)
    .Bool("HasBackColor", false)
    .Color("BackColor", 0xFFFFFF)
    .Str("Title", "Hapsavi")
    .Bool("Visible", true)
    .Bool("FullScreen", false)
    .Bool("MenuBarVisible", true)
    .Bool("CloseButton", true)
    .Bool("Resizeable", false)
    .Bool("LiveResize", false)
    .Bool("MaximizeButton", false)
    .Bool("MinimizeButton", false)
    .Str("BalloonHelp", "")
    .Int("MacProcID", 0);

// No EraseBackground entry: the canvas keeps the framework's default.
const fw::DesignList kCanvas1 = fw::Design{}
    .Int("TabIndex", 0)
    .Bool("AcceptTabs", false)
    .Bool("AcceptFocus", false)
    .Bool("UseFocusRing", false)
    .Bool("Enabled", true)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Bool("AutoDeactivate", true)
    .Str("DisabledBalloonHelp", "")
    .Str("BalloonHelp", "")
    .Str("HelpTag", "")
    .Str("InitialParent", "")
    .Int("Height", 64)
    .Int("Width", 64)
    .Int("Top", 14)
    .Int("Left", 68)
    .Bool("Visible", true)
    .Int("TabPanelIndex", 0)
    .Int("Index", -2147483647 - 1)
    .Str("Name", "Canvas1");

// The two buttons differ only in tab index, caption, top and name.
fw::DesignList BevelButtonDesign(int32_t tab_index, const char* caption, int32_t top, const char* name)
{
    return fw::Design{}
        .Int("TabIndex", tab_index)
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", false)
        .Int("TextSize", 0)
        .Str("TextFont", "System")
        .Int("ButtonType", 0)
        .Int("MenuValue", 0)
        .Bool("Value", false)
        .Int("HasMenu", 0)
        .Int("Bevel", 0)
        .Int("IconDY", 0)
        .Int("IconDX", 0)
        .Int("IconAlign", 0)
        .Int("CaptionDelta", 0)
        .Int("CaptionPlacement", 1)
        .Int("CaptionAlign", 3)
        .Str("Caption", caption)
        .Bool("Enabled", true)
        .Bool("LockBottom", false)
        .Bool("LockRight", false)
        .Bool("LockTop", false)
        .Bool("LockLeft", false)
        .Bool("AutoDeactivate", true)
        .Str("DisabledBalloonHelp", "")
        .Str("BalloonHelp", "")
        .Str("HelpTag", "")
        .Str("InitialParent", "")
        .Int("Height", 22)
        .Int("Width", 160)
        .Int("Top", top)
        .Int("Left", 20)
        .Bool("Visible", true)
        .Int("TabPanelIndex", 0)
        .Int("Index", -2147483647 - 1)
        .Str("Name", name);
}

const fw::DesignList kBevelButton1 = BevelButtonDesign(1, "Tilfældigt tal", 90, "BevelButton1");
const fw::DesignList kBevelButton2 = BevelButtonDesign(2, "Tilfældig rækkefølge", 124, "BevelButton2");

}

wHapsavi::wHapsavi()
{
    on_close = [this] { Event_Close(); };
}

void wHapsavi::Layout()
{
    fw::SetProperties(*this, kWindow);
}

// Each control is finished (design, then handlers) before the next is made,
// so building the launcher runs none of its handlers.
void wHapsavi::CreateControls0()
{
    auto& canvas = CreateControl<fw::Canvas>(*this, "Canvas1", kCanvas1,
        [](fw::Canvas& canvas) { canvas.SetBackdrop(Hapsavibillede64x64::Get()); });
    canvas.on_mouse_down = [this](int32_t x, int32_t y) { return Canvas1_MouseDown(x, y); };
    canvas.on_mouse_up = [this](int32_t x, int32_t y) { Canvas1_MouseUp(x, y); };

    CreateControl<fw::BevelButton>(*this, "BevelButton1", kBevelButton1).on_action = [this] { BevelButton1_Action(); };
    CreateControl<fw::BevelButton>(*this, "BevelButton2", kBevelButton2).on_action = [this] { BevelButton2_Action(); };
}

// True on every press, so the release reaches Canvas1_MouseUp.
bool wHapsavi::Canvas1_MouseDown(int32_t, int32_t)
{
    return true;
}

void wHapsavi::Canvas1_MouseUp(int32_t, int32_t)
{
    fw::Require(wOm::Get(), "window wOm").ShowModal();
}

void wHapsavi::BevelButton1_Action()
{
    fw::Require(wTilfaeldigtTal::Get(), "window wTilfaeldigtTal").Show();
}

void wHapsavi::BevelButton2_Action()
{
    fw::Require(wTilfaeldigRaekkefoelge::Get(), "window wTilfaeldigRaekkefoelge").Show();
}

// The launcher has no menu handlers of its own.
void wHapsavi::AddMenuHandlers(fw::Window& w)
{
    [[maybe_unused]] wHapsavi& self = fw::CheckCast<wHapsavi>(w);
}

// Closing the launcher quits, whatever else is open.
void wHapsavi::Event_Close()
{
    fw::Quit(0);
}
