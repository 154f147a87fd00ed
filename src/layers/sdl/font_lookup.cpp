#include "layers/sdl/font_lookup.h"

#include <fontconfig/fontconfig.h>

std::string findFontFile(const char* pattern)
{
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return path;
    if (FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern))) {
        FcConfigSubstitute(config, wanted, FcMatchPattern);
        FcDefaultSubstitute(wanted);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(config, wanted, &result)) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
                path = reinterpret_cast<const char*>(file);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(wanted);
    }
    FcConfigDestroy(config);
    return path;
}
