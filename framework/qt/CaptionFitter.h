#pragma once

// Framework-internal: a push button's caption kept inside the button.

#include <QFont>
#include <QObject>
#include <QPushButton>
#include <QSize>
#include <QString>

namespace fw {

// Watches a push button: where its caption does not fit between the style's
// margins (large desktop fonts), the caption's type shrinks until it does.
// The font the button is given stays the one wanted; a larger box or a
// shorter caption brings it back.
class CaptionFitter : public QObject {
public:
    // Once per button; the watcher goes with the button.
    static void Watch(QPushButton& button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CaptionFitter(QPushButton& button);
    void Refit();

    QPushButton& m_button;
    QFont m_wanted;
    QString m_fitted_caption;
    bool m_setting_font { false };
};

}
