#pragma once

// Framework-internal: tells a window when its content area changes size.

#include "qt/WindowImpl.h"

#include <QObject>

namespace fw {

// Watches the content area of a window, whose locks and Resized follow each change of its size.
class ContentWatcher : public QObject {
public:
    ContentWatcher(Window::Impl& impl, QObject* parent) : QObject(parent), m_impl(impl) { }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Window::Impl& m_impl;
};

}
