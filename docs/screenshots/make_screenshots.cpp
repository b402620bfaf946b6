// Opens each of the program's four windows on the offscreen platform, as a
// user would see them, and saves a picture of each into the given folder.

#include "framework/EditField.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/WindowClass.h"
#include "shell/App.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

static bool Save(const fw::Window& window, const QDir& folder, const char* name)
{
    harness::ProcessEvents();
    const QString path = folder.filePath(QString::fromLatin1(name));
    const bool saved = harness::FrameOf(window)->grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

static bool SaveAll(const QDir& folder);

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshots FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    harness::StartRuntime();
    const bool ok = SaveAll(QDir(QString::fromLocal8Bit(argv[1])));
    harness::StopRuntime();
    return ok ? 0 : 1;
}

static bool SaveAll(const QDir& folder)
{
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
    bool ok = Save(*wHapsavi::Get(), folder, "launcher.png");

    auto number = wTilfaeldigtTal::Get();
    number->Show();
    harness::Key(*number, Qt::Key_Return);
    ok = Save(*number, folder, "random-number.png") && ok;

    auto order = wTilfaeldigRaekkefoelge::Get();
    order->Show();
    ControlAs<fw::EditField>(*order, "Tekstfelt").SetText("Anna\rBo\rCarl\rDitte\rEmil");
    ok = Save(*order, folder, "random-order.png") && ok;

    auto about = wOm::Get();
    about->ShowModal();
    return Save(*about, folder, "about.png") && ok;
}
