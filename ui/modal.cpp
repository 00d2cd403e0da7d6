#include "ui/modal.h"

#include <utility>

namespace {
ModalHandler& InstalledHandler()
{
    static ModalHandler handler;
    return handler;
}
}  // namespace

int RunModal(const ModalRequest& request, const std::function<int()>& run)
{
    // A copy: the handler may install another one while it runs.
    const ModalHandler handler = InstalledHandler();
    if (handler) return handler(request, run);
    return run();
}

ModalHandler SetModalHandler(ModalHandler handler) { return std::exchange(InstalledHandler(), std::move(handler)); }
