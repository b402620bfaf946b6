#pragma once

// Framework-internal: how the toolkit describes our own widgets to assistive technology.

#include <QAccessible>

namespace fw {

// From now on, every widget of class W is described by an A made for it.
// Called before the first W is made, so that none is ever described otherwise.
template<class W, class A>
void InstallAccessible()
{
    static const bool installed = (QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
        if (auto* widget = dynamic_cast<W*>(object))
            return new A(widget);
        return nullptr;
    }), true);
    (void)installed;
}

}
