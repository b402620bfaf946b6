#pragma once

// Framework-internal: the message box that tells a user the program met a
// failure it cannot go on from. It speaks Danish like the rest of the program;
// the failure's class and message, as written to standard error, are there
// for whoever asks for the details.

#include <QApplication>
#include <QMessageBox>

#include <string>

namespace fw {

class FailureBox : public QMessageBox {
public:
    FailureBox(const std::string& name, const std::string& message)
        : QMessageBox(QMessageBox::Critical, QApplication::applicationName(),
            QString::fromUtf8("Der opstod en uventet fejl, og programmet lukkes."), QMessageBox::Ok)
    {
        setDetailedText(QString::fromStdString(name + ": " + message));
    }
};

}
