#include "runtime/qt/font_setup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace rt {

FontSetup::FontSetup() : m_thread([] { FcInit(); }) {}

FontSetup::~FontSetup() {
    wait();
}

void FontSetup::wait() {
    if (m_thread.joinable()) m_thread.join();
}

std::string FontSetup::installed_family(std::string_view family) {
    wait();
    const std::string name(family);
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                          &FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(
        FcFontMatch(nullptr, pattern.get(), &result), &FcPatternDestroy);
    FcChar8* matched = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &matched) != FcResultMatch)
        return name;
    return reinterpret_cast<const char*>(matched);
}

} // namespace rt
