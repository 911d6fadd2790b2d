#include "platform/desktopservices.h"

#include "platform/qtdesktopservices.h"

namespace {
std::unique_ptr<DesktopServices>& current()
{
    static std::unique_ptr<DesktopServices> services;
    return services;
}
} // namespace

DesktopServices& desktop()
{
    if (!current()) current() = std::make_unique<QtDesktopServices>();
    return *current();
}

std::unique_ptr<DesktopServices> installDesktopServices(std::unique_ptr<DesktopServices> services)
{
    std::unique_ptr<DesktopServices> previous = std::move(current());
    current() = std::move(services);
    return previous;
}
