#pragma once

// Framework-internal: how the toolkit describes our own widgets to assistive technology.

#include <QAccessible>

namespace fw {

template<class W, class A>
QAccessibleInterface* DescribeAs(const QString&, QObject* object)
{
    if (auto* widget = dynamic_cast<W*>(object))
        return new A(widget);
    return nullptr;
}

// From now on, every widget of class W is described by an A made for it.
// Called before each W is made: the toolkit forgets its factories when it
// goes, and a runtime may follow another in one process; installing one
// twice does nothing.
template<class W, class A>
void InstallAccessible()
{
    QAccessible::installFactory(&DescribeAs<W, A>);
}

}
