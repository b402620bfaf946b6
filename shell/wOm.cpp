#include "shell/wOm.h"

#include "framework/Canvas.h"
#include "framework/Design.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "shell/Hapsavibillede64x64.h"

#include <cstdint>

namespace {

const fw::DesignList kWindow = fw::Design{}
    .Int("Placement", 0)
    .Int("Width", 446)
    .Int("Height", 193)
    .Int("MinWidth", 64)
    .Int("MinHeight", 64)
    .Int("MaxWidth", 32000)
    .Int("MaxHeight", 32000)
    .Int("Frame", 1)
    .Bool("Composite", false)
    .Bool("HasBackColor", false)
    .Color("BackColor", 0xFFFFFF)
    .Str("Title", "Om Hapsavi")
    .Bool("Visible", true)
    .Bool("FullScreen", false)
    .Bool("MenuBarVisible", true)
    .Bool("CloseButton", true)
    .Bool("Resizeable", true)
    .Bool("LiveResize", false)
    .Bool("MaximizeButton", true)
    .Bool("MinimizeButton", true)
    .Str("BalloonHelp", "")
    .Int("MacProcID", 0);

const fw::DesignList kCanvas1 = fw::Design{}
    .Str("InitialParent", "")
    .Bool("EraseBackground", true)
    .Bool("AcceptTabs", false)
    .Bool("AcceptFocus", false)
    .Bool("UseFocusRing", false)
    .Bool("Enabled", true)
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Int("TabIndex", 0)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 64)
    .Int("Width", 64)
    .Int("Top", 14)
    .Int("Left", 20)
    .Int("Index", -2147483647 - 1)
    .Str("Name", "Canvas1");

struct Label {
    const char* name;
    const char* text;
    const char* font;
    bool bold;
    bool multiline;
    int32_t tab_index;
    int32_t left, top, width, height;
};

// The four labels share one list; they are locked to the left, top and right.
fw::DesignList StaticTextDesign(const Label& label)
{
    return fw::Design{}
        .Str("InitialParent", "")
        .Str("DataField", "")
        .Str("DataSource", "")
        .Bool("Underline", false)
        .Bool("Italic", false)
        .Bool("Bold", label.bold)
        .Int("TextSize", 0)
        .Str("TextFont", label.font)
        .Bool("AutoDeactivate", true)
        .Str("HelpTag", "")
        .Bool("Visible", true)
        .Bool("Enabled", true)
        .Bool("Multiline", label.multiline)
        .Color("TextColor", 0x000000)
        .Int("TextAlign", 0)
        .Str("Text", label.text)
        .Int("TabIndex", label.tab_index)
        .Int("TabPanelIndex", 0)
        .Bool("LockBottom", false)
        .Bool("LockRight", true)
        .Bool("LockTop", true)
        .Bool("LockLeft", true)
        .Int("Height", label.height)
        .Int("Width", label.width)
        .Int("Top", label.top)
        .Int("Left", label.left)
        .Int("Index", -2147483647 - 1)
        .Str("Name", label.name);
}

const Label kLabels[] = {
    { "StaticText1", "Hapsavi", "System", true, false, 1, 96, 14, 330, 20 },
    { "StaticText2",
        "Brug programmet til at finde et tilfældigt tal eller en tilfældig rækkefølge – en slags elektronisk terning.",
        "System", false, true, 2, 96, 46, 330, 57 },
    { "StaticText3", "Copyright © 2026 Hapsavis udviklere. Alle rettigheder forbeholdes.",
        "System", false, true, 3, 20, 90, 406, 57 },
    { "StaticText4",
        "Programmet er gratis, men må kun kopieres til eget brug. Det må ikke videregives, videresælges eller lignende.",
        "SmallSystem", false, true, 4, 20, 115, 406, 57 },
};

// "OK" is both the default and the cancel button: Return and Escape close the window.
const fw::DesignList kPushButton1 = fw::Design{}
    .Str("InitialParent", "")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Bool("Enabled", true)
    .Bool("Cancel", true)
    .Bool("Default", true)
    .Str("Caption", "OK")
    .Int("TabIndex", 5)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", true)
    .Bool("LockRight", true)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 20)
    .Int("Width", 69)
    .Int("Top", 153)
    .Int("Left", 357)
    .Int("Index", -2147483647 - 1)
    .Str("Name", "PushButton1");

}

void wOm::Layout()
{
    fw::SetProperties(*this, kWindow);
}

// The six controls in tab order; the button gets the window's only handler,
// after every design list has been applied.
void wOm::CreateControls0()
{
    CreateControl<fw::Canvas>(*this, "Canvas1", kCanvas1,
        [](fw::Canvas& canvas) { canvas.SetBackdrop(Hapsavibillede64x64::Get()); });
    for (const Label& label : kLabels)
        CreateControl<fw::StaticText>(*this, label.name, StaticTextDesign(label));
    CreateControl<fw::PushButton>(*this, "PushButton1", kPushButton1).on_action = [this] { PushButton1_Action(); };
}

void wOm::PushButton1_Action()
{
    Close();
}

// The About window has no menu handlers of its own.
void wOm::AddMenuHandlers(fw::Window& w)
{
    [[maybe_unused]] wOm& self = fw::CheckCast<wOm>(w);
}
