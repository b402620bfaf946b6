#pragma once

// Framework-internal: a window's own title bar, with only the buttons its
// properties allow. Qt's own decoration on Wayland shows minimize, maximize
// and close on every window, whatever its flags say; a window whose design
// forbids one of them draws this bar instead.

#include <QWidget>

#include <optional>

class QLabel;
class QToolButton;

namespace fw {

class TitleBar : public QWidget {
public:
    explicit TitleBar(QWidget* frame);

    // Whether the toolkit would draw a title bar showing every button.
    static bool Wanted();
    // For tests: as if it would (true) or not (false); nullopt asks the platform again.
    static void SetWanted(std::optional<bool> wanted);

    void SetButtons(bool minimize, bool maximize, bool close);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_title;
    QToolButton* m_minimize;
    QToolButton* m_maximize;
    QToolButton* m_close;
};

}
