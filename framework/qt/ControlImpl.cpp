#include "qt/ControlImpl.h"

namespace fw {

Control::Impl::~Impl()
{
    // The connections go first: a dying widget may still emit signals.
    receiver.reset();
    delete widget.data();
}

void Control::Impl::DropWidget()
{
    receiver = std::make_unique<QObject>();
    delete widget.data();
    widget = nullptr;
}

}
