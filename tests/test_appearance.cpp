// The windows on desktops set up otherwise than the default: text legible in
// a dark palette as in a light one, whole and apart at large desktop fonts,
// and fields and a drawn number that a screen reader can name.

#include "framework/StaticText.h"
#include "framework/Values.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using Appearance = harness::ProgramTest;

// WCAG's relative luminance and contrast ratio.
double Luminance(const QColor& colour)
{
    auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The desktop's palette and font for one test, then back as they were.
struct DesktopLook {
    explicit DesktopLook(const QPalette& palette, const QFont& font = QApplication::font())
    {
        QApplication::setPalette(palette);
        QApplication::setFont(font);
    }
    ~DesktopLook()
    {
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }
    QPalette m_palette { QApplication::palette() };
    QFont m_font { QApplication::font() };
};

QPalette DarkPalette()
{
    QPalette dark = QApplication::palette();
    for (const auto& [role, colour] : { std::pair { QPalette::Window, 0x353535u }, { QPalette::Base, 0x2b2b2bu },
             { QPalette::Button, 0x3c3c3cu }, { QPalette::WindowText, 0xeeeeeeu }, { QPalette::Text, 0xeeeeeeu },
             { QPalette::ButtonText, 0xeeeeeeu } })
        dark.setColor(role, QColor(QRgb(colour)));
    return dark;
}

// Every window open, the random-number window with its largest number drawn
// and the random-order window with text in its field; the About window last.
std::vector<std::shared_ptr<fw::Window>> OpenEveryWindow(std::shared_ptr<fw::Window> launcher)
{
    auto numbers = harness::Open<wTilfaeldigtTal>();
    harness::Focus(harness::MaxTal(*numbers));
    harness::MaxTal(*numbers).SelectAll();
    harness::Type(harness::MaxTal(*numbers), "9999");
    fw::SetRndSource([] { return std::nextafter(1.0, 0.0); });
    harness::Key(*numbers, Qt::Key_Return);
    fw::SetRndSource({ });
    auto order = harness::Open<wTilfaeldigRaekkefoelge>();
    harness::Type(harness::Tekstfelt(*order), "en\nto");
    auto about = wOm::Get();
    about->ShowModal();
    harness::ProcessEvents();
    return { launcher, numbers, order, about };
}

// The windows that OpenEveryWindow opened, the About window first.
void CloseOpened(const std::vector<std::shared_ptr<fw::Window>>& windows)
{
    for (auto it = windows.rbegin(); it + 1 != windows.rend(); ++it)
        (*it)->Close();
    harness::ProcessEvents();
}

}

// In a light palette at a 12-point desktop font, and in a dark one at a font
// given in pixels as a higher screen resolution gives it:
// - black, the design's default text colour, is the palette's text colour:
//   every label, field and button keeps a contrast of 4.5:1 or more on its
//   background, and the fields take the palette's colours;
// - every label's and button's text fits its box (a wrapped label's lines, one
//   line's width and ink, a caption between the style's margins) and no two
//   texts of a window overlap.
// A colour the design chooses shows as given.
TEST_F(Appearance, EveryTextIsLegibleWholeAndApartInLightAndDarkPalettesAtLargeFonts)
{
    QFont points = QApplication::font(), pixels = QApplication::font();
    points.setPointSizeF(12);
    pixels.setPixelSize(17);
    for (const auto& [palette, font] : { std::pair { QApplication::palette(), points }, { DarkPalette(), pixels } }) {
        SCOPED_TRACE(font.toString().toStdString());
        DesktopLook look(palette, font);
        const auto windows = OpenEveryWindow(launcher);
        for (const auto& window : windows) {
            std::vector<std::pair<std::string, QRect>> texts;
            for (const auto& control : window->Controls()) {
                SCOPED_TRACE(window->Title() + " " + control->Name());
                QWidget* widget = harness::WidgetOf(*control);
                QColor colour, back;
                QRectF box;
                QString text;
                bool wrapped = false;
                if (auto* label = qobject_cast<QLabel*>(widget)) {
                    colour = label->palette().color(QPalette::WindowText);
                    back = label->parentWidget()->palette().color(label->parentWidget()->backgroundRole());
                    box = label->contentsRect();
                    text = label->text();
                    wrapped = label->wordWrap();
                } else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
                    colour = widget->palette().color(QPalette::Text);
                    back = widget->palette().color(QPalette::Base);
                    EXPECT_EQ(colour, palette.color(QPalette::Text));
                    EXPECT_EQ(back, palette.color(QPalette::Base));
                } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
                    colour = widget->palette().color(QPalette::ButtonText);
                    back = widget->palette().color(QPalette::Button);
                    QStyleOptionButton option;
                    option.initFrom(button);
                    option.text = text = button->text();
                    box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                } else {
                    continue;
                }
                EXPECT_GE(Contrast(colour, back), 4.5) << colour.name().toStdString() << " on " << back.name().toStdString();
                if (text.isEmpty())
                    continue;
                const QFontMetricsF metrics(widget->font());
                QRectF used;
                if (wrapped) {
                    used = metrics.boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
                    EXPECT_LE(used.bottom(), box.bottom()) << used.height() << " tall in " << box.height();
                } else {
                    // One line stands in the middle of the box; its ink must not be cut.
                    const qreal baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
                    used = metrics.tightBoundingRect(text).translated(box.left(), baseline);
                    EXPECT_GE(used.top(), box.top() - 1);
                    EXPECT_LE(used.bottom(), box.bottom() + 1);
                    EXPECT_LE(metrics.horizontalAdvance(text), box.width() + 0.01) << text.toStdString();
                }
                EXPECT_LE(used.width(), box.width() + 0.01) << text.toStdString();
                if (qobject_cast<QLabel*>(widget))
                    texts.emplace_back(control->Name(), used.toAlignedRect().translated(widget->pos()).adjusted(0, 0, -1, -1));
            }
            for (size_t i = 0; i < texts.size(); ++i)
                for (size_t j = i + 1; j < texts.size(); ++j)
                    EXPECT_FALSE(texts[i].second.intersects(texts[j].second)) << window->Title() << ": " << texts[i].first << " and " << texts[j].first;
        }
        CloseOpened(windows);
    }
    auto numbers = harness::Open<wTilfaeldigtTal>();
    fw::ControlAs<fw::StaticText>(*numbers, "Tal").SetProperty("TextColor", fw::Rgb { 200, 0, 0 });
    EXPECT_EQ(harness::WidgetOf(fw::ControlNamed(*numbers, "Tal"))->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

namespace {

std::vector<std::pair<QObject*, QAccessible::Event>> g_updates;

// What a screen reader is told, from Qt's accessibility, for one test. The
// toolkit tells nothing until a screen reader turns its accessibility on, as
// the desktop's accessibility bus does.
struct ScreenReader {
    ScreenReader()
    {
        g_updates.clear();
        m_handler = QAccessible::installUpdateHandler([](QAccessibleEvent* event) { g_updates.emplace_back(event->object(), event->type()); });
        Platform().setActive(true);
    }
    ~ScreenReader()
    {
        Platform().setActive(false);
        QAccessible::installUpdateHandler(m_handler);
    }
    static QPlatformAccessibility& Platform() { return *QGuiApplicationPrivate::platformIntegration()->accessibility(); }
    QAccessible::UpdateHandler m_handler { };
};

QString NameOf(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); }

}

// Each number field is named by the label before it, the list field by its
// window's title; a number drawn is told as a new name of the label showing it.
TEST_F(Appearance, AScreenReaderNamesEveryFieldAndHearsTheDrawnNumber)
{
    ScreenReader reader;
    auto numbers = harness::Open<wTilfaeldigtTal>();
    auto order = harness::Open<wTilfaeldigRaekkefoelge>();
    const std::pair<QWidget*, QString> fields[] = {
        { harness::WidgetOf(harness::MinTal(*numbers)), "Minimum:" },
        { harness::WidgetOf(harness::MaxTal(*numbers)), "Maximum:" },
        { harness::WidgetOf(harness::Tekstfelt(*order)), "Tilfældig rækkefølge" },
    };
    for (const auto& [field, name] : fields) {
        EXPECT_EQ(NameOf(field), name);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->role(), QAccessible::EditableText);
    }

    numbers->Show();
    harness::ProcessEvents();
    QWidget* tal = harness::WidgetOf(fw::ControlNamed(*numbers, "Tal"));
    g_updates.clear();
    fw::SetRndSource([] { return 0.5; });
    harness::Key(*numbers, Qt::Key_Return);
    fw::SetRndSource({ });
    EXPECT_EQ(NameOf(tal), "6");
    EXPECT_NE(std::find(g_updates.begin(), g_updates.end(), std::pair { static_cast<QObject*>(tal), QAccessible::NameChanged }), g_updates.end());
}
