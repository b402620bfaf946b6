#pragma once

// Framework-internal: the message box that tells a user the program met a
// failure it cannot go on from. It speaks Danish like the rest of the
// program, is titled with the application's name, and tells what went wrong
// to whoever asks for the details.

#include <QApplication>
#include <QMessageBox>

#include <functional>
#include <string>

namespace fw {

class FailureBox : public QMessageBox {
public:
    explicit FailureBox(const std::string& details)
        : QMessageBox(QMessageBox::Critical, QApplication::applicationDisplayName(),
            QString::fromUtf8("Der opstod en uventet fejl, og programmet lukkes."), QMessageBox::Ok)
    {
        setDetailedText(QString::fromStdString(details));
    }

    // Shows the box and waits until the user closes it. With no display
    // (the offscreen and minimal platforms) there is nobody to close it: the
    // box is only made, and handed to on_headless where a test has set it.
    void Show()
    {
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            exec();
        else if (on_headless)
            on_headless(*this);
    }

    static inline std::function<void(const FailureBox&)> on_headless;
};

}
