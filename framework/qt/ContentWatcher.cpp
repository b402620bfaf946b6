#include "qt/ContentWatcher.h"

#include <QEvent>

namespace fw {

bool ContentWatcher::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        m_impl.ContentResized();
    return false;
}

}
