#include "tools/wTilfaeldigRaekkefoelge.h"

#include "framework/Design.h"
#include "framework/PushButton.h"
#include "framework/Values.h"
#include "tools/LineShuffle.h"
#include "tools/cEditfield.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

const fw::DesignList kWindow = fw::Design{}
    .Int("Placement", 2)
    .Int("Width", 300)
    .Int("Height", 300)
    .Int("MinWidth", 64)
    .Int("MinHeight", 64)
    .Int("MaxWidth", 32000)
    .Int("MaxHeight", 32000)
    .Int("Frame", 0)
    .Bool("Composite", false)
    .Bool("HasBackColor", false)
    .Color("BackColor", 0xFFFFFF)
    .Str("Title", "Tilfældig rækkefølge")
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

const fw::DesignList kTilfaeldigRaekkefoelge = fw::Design{}
    .Int("TabIndex", 0)
    .Bool("Enabled", false)
    .Bool("Cancel", false)
    .Bool("Default", false)
    .Str("Caption", "Tilfældig rækkefølge")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("LockBottom", true)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Bool("AutoDeactivate", true)
    .Str("DisabledBalloonHelp", "")
    .Str("BalloonHelp", "")
    .Str("HelpTag", "")
    .Str("InitialParent", "")
    .Int("Height", 20)
    .Int("Width", 166)
    .Int("Top", 260)
    .Int("Left", 62)
    .Bool("Visible", true)
    .Int("TabPanelIndex", 0)
    .Int("Index", INT32_MIN)
    .Str("Name", "TilfaeldigRaekkefoelge");

const fw::DesignList kTekstfelt = fw::Design{}
    .Int("TabIndex", 1)
    .Str("DataField", "")
    .Str("DataSource", "")
    .Str("Text", "")
    .Bool("Enabled", true)
    .Color("BackColor", 0xFFFFFF)
    .Color("TextColor", 0x000000)
    .Int("Alignment", 0)
    .Bool("AcceptTabs", true)
    .Int("LimitText", 0)
    .Bool("ReadOnly", false)
    .Bool("UseFocusRing", true)
    .Bool("Password", false)
    .Bool("Styled", false)
    .Bool("ScrollBarVertical", true)
    .Bool("ScrollBar", true)
    .Bool("ScrollBarHorizontal", false)
    .Bool("MultiLine", true)
    .Bool("Border", true)
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("LockBottom", true)
    .Bool("LockRight", true)
    .Bool("LockTop", true)
    .Bool("LockLeft", true)
    .Bool("AutoDeactivate", true)
    .Str("DisabledBalloonHelp", "")
    .Str("BalloonHelp", "")
    .Str("HelpTag", "")
    .Str("InitialParent", "")
    .Int("Height", 249)
    .Int("Width", 302)
    .Int("Top", -1)
    .Int("Left", -1)
    .Bool("Visible", true)
    .Int("TabPanelIndex", 0)
    .Int("Index", INT32_MIN)
    .Str("Name", "Tekstfelt");

// Centres the button horizontally in the window. Below the button's width
// the Left goes negative and the button reaches past both edges, by design.
void CentreButton(fw::Window& window)
{
    fw::Control& button = ControlNamed(window, "TilfaeldigRaekkefoelge");
    const int32_t ww = window.Width();
    const int32_t bw = ControlNamed(window, "TilfaeldigRaekkefoelge").Width();
    // Counted in 64 bits: two Int32 widths may differ by more than an Int32 holds.
    const int64_t d = static_cast<int64_t>(ww) - static_cast<int64_t>(bw);
    const double x = static_cast<double>(d) / 2.0;
    button.SetLeft(fw::ToInt32(x));
}

}

wTilfaeldigRaekkefoelge::wTilfaeldigRaekkefoelge()
{
    on_open = [this] { Event_Open(); };
    on_resized = [this] { Event_Resized(); };
}

void wTilfaeldigRaekkefoelge::Layout()
{
    fw::SetProperties(*this, kWindow);
}

void wTilfaeldigRaekkefoelge::CreateControls0()
{
    CreateControl<fw::PushButton>(*this, "TilfaeldigRaekkefoelge", kTilfaeldigRaekkefoelge);
    ControlAs<fw::PushButton>(*this, "TilfaeldigRaekkefoelge").on_action = [this] { TilfaeldigRaekkefoelge_Action(); };

    CreateControl<cEditfield>(*this, "Tekstfelt", kTekstfelt);
    {
        auto& field = ControlAs<cEditfield>(*this, "Tekstfelt");
        field.AddMenuHandler("EditSelectAll", [&field] { return field.EditSelectAll_Action(); });
    }
    ControlAs<cEditfield>(*this, "Tekstfelt").on_text_change = [this] { Tekstfelt_TextChange(); };
}

void wTilfaeldigRaekkefoelge::TilfaeldigRaekkefoelge_Action()
{
    auto& field = ControlAs<cEditfield>(*this, "Tekstfelt");
    // The lines of the last press are still being shuffled: this one does nothing.
    if (field.IsBusy())
        return;
    // Reads the text, shuffles its lines and writes them back (a long text in
    // the background); fewer than two lines leave the text exactly as it is.
    // Closing the window meanwhile stops the shuffle.
    field.RewriteText([](const std::string& text, const std::function<bool()>& stopped) {
        return ShuffleLines(text, fw::Rnd, stopped);
    });
}

void wTilfaeldigRaekkefoelge::Tekstfelt_TextChange()
{
    // Two or more items exactly when the text holds a line break of any form
    // (HasSeveralLines of its text); the field answers that without copying a
    // huge text out on every keystroke.
    const bool several = ControlAs<cEditfield>(*this, "Tekstfelt").HasLineBreak();
    ControlAs<fw::PushButton>(*this, "TilfaeldigRaekkefoelge").SetEnabled(several);
}

void wTilfaeldigRaekkefoelge::Event_Resized()
{
    CentreButton(*this);
}

void wTilfaeldigRaekkefoelge::Event_Open()
{
    CentreButton(*this);
}
