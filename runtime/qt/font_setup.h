#pragma once

#include <string>
#include <string_view>
#include <thread>

namespace rt {

// The fonts' set-up, begun before the toolkit needs it. Reading fontconfig's
// configuration and caches is the largest single cost of the window's first
// frame, and the toolkit's connection to the display is another; this runs
// the first on a thread of its own while the second goes on.
class FontSetup {
public:
    FontSetup();
    ~FontSetup();
    FontSetup(const FontSetup&) = delete;
    FontSetup& operator=(const FontSetup&) = delete;

    // The installed family that fontconfig draws `family` with: the family
    // itself where it is installed, else its configured stand-in (a metric
    // twin where there is one). Asking for that family by name spares the
    // toolkit its own search through every fallback for a missing family.
    std::string installed_family(std::string_view family);

private:
    void wait();

    std::thread m_thread;
};

} // namespace rt
