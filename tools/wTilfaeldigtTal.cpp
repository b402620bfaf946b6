#include "tools/wTilfaeldigtTal.h"

#include "framework/Application.h"
#include "framework/Design.h"
#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"
#include "framework/Values.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

const fw::DesignList kWindow = fw::Design{}
    .Int("Placement", 2)
    .Int("Width", 203)
    .Int("Height", 233)
    .Int("MinWidth", 64)
    .Int("MinHeight", 64)
    .Int("MaxWidth", 32000)
    .Int("MaxHeight", 32000)
    .Int("Frame", 0)
    .Bool("Composite", false)
    .Bool("HasBackColor", false)
    .Color("BackColor", 0xFFFFFF)
    .Str("Title", "Tilfældigt tal")
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

const fw::DesignList kStaticText1 = fw::Design{}
    .Str("InitialParent", "")
    .Str("DataField", "")
    .Str("DataSource", "")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Bool("Enabled", true)
    .Bool("Multiline", false)
    .Color("TextColor", 0x000000)
    .Int("TextAlign", 0)
    .Str("Text", "Minimum:")
    .Int("TabIndex", 0)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 20)
    .Int("Width", 71)
    .Int("Top", 14)
    .Int("Left", 20)
    .Int("Index", INT32_MIN)
    .Str("Name", "StaticText1");

const fw::DesignList kStaticText3 = fw::Design{}
    .Str("InitialParent", "")
    .Str("DataField", "")
    .Str("DataSource", "")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Bool("Enabled", true)
    .Bool("Multiline", false)
    .Color("TextColor", 0x000000)
    .Int("TextAlign", 0)
    .Str("Text", "Maximum:")
    .Int("TabIndex", 1)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 20)
    .Int("Width", 71)
    .Int("Top", 46)
    .Int("Left", 20)
    .Int("Index", INT32_MIN)
    .Str("Name", "StaticText3");

const fw::DesignList kMinTal = fw::Design{}
    .Str("InitialParent", "")
    .Str("DataField", "")
    .Str("DataSource", "")
    .Int("Alignment", 0)
    .Bool("AcceptTabs", false)
    .Int("LimitText", 4)
    .Bool("ReadOnly", true)
    .Str("Mask", "")
    .Str("Text", "1")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Str("Format", "")
    .Bool("Enabled", true)
    .Color("BackColor", 0xFFFFFF)
    .Color("TextColor", 0x000000)
    .Bool("UseFocusRing", true)
    .Bool("Password", false)
    .Bool("Styled", false)
    .Bool("ScrollbarVertical", true)
    .Bool("ScrollbarHorizontal", false)
    .Bool("Multiline", false)
    .Bool("Border", true)
    .Int("TabIndex", 2)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 22)
    .Int("Width", 53)
    .Int("Top", 13)
    .Int("Left", 103)
    .Int("Index", INT32_MIN)
    .Str("Name", "MinTal");

const fw::DesignList kMaxTal = fw::Design{}
    .Str("InitialParent", "")
    .Str("DataField", "")
    .Str("DataSource", "")
    .Int("Alignment", 0)
    .Bool("AcceptTabs", false)
    .Int("LimitText", 4)
    .Bool("ReadOnly", false)
    .Str("Mask", "")
    .Str("Text", "10")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 0)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Str("Format", "")
    .Bool("Enabled", true)
    .Color("BackColor", 0xFFFFFF)
    .Color("TextColor", 0x000000)
    .Bool("UseFocusRing", true)
    .Bool("Password", false)
    .Bool("Styled", false)
    .Bool("ScrollbarVertical", true)
    .Bool("ScrollbarHorizontal", false)
    .Bool("Multiline", false)
    .Bool("Border", true)
    .Int("TabIndex", 3)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 22)
    .Int("Width", 53)
    .Int("Top", 45)
    .Int("Left", 103)
    .Int("Index", INT32_MIN)
    .Str("Name", "MaxTal");

const fw::DesignList kKnap = fw::Design{}
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
    .Bool("Cancel", false)
    .Bool("Default", true)
    .Str("Caption", "Find tilfældigt tal")
    .Int("TabIndex", 4)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", false)
    .Bool("LockTop", false)
    .Bool("LockLeft", false)
    .Int("Height", 20)
    .Int("Width", 148)
    .Int("Top", 79)
    .Int("Left", 20)
    .Int("Index", INT32_MIN)
    .Str("Name", "Knap");

const fw::DesignList kTal = fw::Design{}
    .Str("InitialParent", "")
    .Str("DataField", "")
    .Str("DataSource", "")
    .Bool("Underline", false)
    .Bool("Italic", false)
    .Bool("Bold", false)
    .Int("TextSize", 96)
    .Str("TextFont", "System")
    .Bool("AutoDeactivate", true)
    .Str("HelpTag", "")
    .Bool("Visible", true)
    .Bool("Enabled", true)
    .Bool("Multiline", false)
    .Color("TextColor", 0x000000)
    .Int("TextAlign", 1)
    .Str("Text", "")
    .Int("TabIndex", 5)
    .Int("TabPanelIndex", 0)
    .Bool("LockBottom", false)
    .Bool("LockRight", true)
    .Bool("LockTop", false)
    .Bool("LockLeft", true)
    .Int("Height", 104)
    .Int("Width", 169)
    .Int("Top", 111)
    .Int("Left", 14)
    .Int("Index", INT32_MIN)
    .Str("Name", "Tal");

}

// The window shows the application's one shared menu bar as its own.
void wTilfaeldigtTal::Layout()
{
    SetMenuBar(fw::AppMenuBar());
    fw::SetProperties(*this, kWindow);
}

void wTilfaeldigtTal::CreateControls0()
{
    auto& minimum = CreateControl<fw::StaticText>(*this, "StaticText1", kStaticText1);
    auto& maximum = CreateControl<fw::StaticText>(*this, "StaticText3", kStaticText3);

    auto& min_tal = CreateControl<fw::EditField>(*this, "MinTal", kMinTal);
    min_tal.on_text_change = [this] { MinTal_TextChange(); };
    auto& max_tal = CreateControl<fw::EditField>(*this, "MaxTal", kMaxTal);
    max_tal.on_text_change = [this] { MaxTal_TextChange(); };
    // "Minimum:" and "Maximum:" name their fields to a screen reader too.
    minimum.SetLabelFor(min_tal);
    maximum.SetLabelFor(max_tal);
    CreateControl<fw::PushButton>(*this, "Knap", kKnap).on_action = [this] { Knap_Action(); };

    CreateControl<fw::StaticText>(*this, "Tal", kTal);
}

void wTilfaeldigtTal::MinTal_TextChange()
{
    SaetKnap();
}

void wTilfaeldigtTal::MaxTal_TextChange()
{
    SaetKnap();
}

void wTilfaeldigtTal::Knap_Action()
{
    const int32_t min = fw::ToInt32(fw::Val(ControlAs<fw::EditField>(*this, "MinTal").Text()));
    const int32_t max = fw::ToInt32(fw::Val(ControlAs<fw::EditField>(*this, "MaxTal").Text()));
    if (!(min < max))
        return;

    // A maximum such as "9e99" saturates to the largest Int32, so the range
    // is counted in 64 bits: max - min + 1 may not fit in an Int32.
    const double min_d = static_cast<double>(min);
    const double u = fw::Rnd();
    const int64_t n = static_cast<int64_t>(max) - static_cast<int64_t>(min) + 1;
    const double n_d = static_cast<double>(n);
    const double p = u * n_d;
    const double f = fw::Floor(p);
    const double s = min_d + f;
    // Rounding near the top of a range of 2^31 values must not step past the maximum.
    const int32_t r = std::clamp(fw::ToInt32(s), min, max);

    ControlAs<fw::StaticText>(*this, "Tal").SetText(fw::Str(r));
}

void wTilfaeldigtTal::SaetKnap()
{
    auto& knap = ControlAs<fw::PushButton>(*this, "Knap");
    const double a = fw::Val(ControlAs<fw::EditField>(*this, "MinTal").Text());
    const double b = fw::Val(ControlAs<fw::EditField>(*this, "MaxTal").Text());
    knap.SetEnabled(a < b);
    ControlAs<fw::StaticText>(*this, "Tal").SetText("");
}
