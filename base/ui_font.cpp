#include "base/ui_font.h"

#include <cstring>

namespace base {

LOGFONTA UiLogFont(int height, int weight) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfOutPrecision = OUT_STROKE_PRECIS;
    lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    lf.lfQuality = DRAFT_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    static const char face[] = "微软雅黑";
    static_assert(sizeof(face) <= LF_FACESIZE, "face name fits LOGFONT");
    std::memcpy(lf.lfFaceName, face, sizeof(face));
    return lf;
}

base::UniqueFont MakeUiFont(int height, int weight) {
    LOGFONTA lf = UiLogFont(height, weight);
    return base::UniqueFont(CreateFontIndirectA(&lf));
}

} // namespace base
