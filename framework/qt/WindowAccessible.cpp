#include "qt/WindowAccessible.h"

#include <QWidget>

namespace fw {

QAccessible::Role WindowAccessible::role() const
{
    return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
}

}
