#include "CaptionFont.h"

win::CFont CreateCaptionFont(int pixels)
{
    win::CClientDC screen(nullptr);
    const int pointsTimesTen = 80;
    LOGFONTA font{};
    font.lfHeight = pixels > 0 ? -pixels : -MulDiv(GetDeviceCaps(screen.Get(), LOGPIXELSY), pointsTimesTen, 720);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    return win::CFont(CreateFontIndirectA(&font));
}

win::CFont CreateVerdanaFont(int height, int weight)
{
    return win::CFont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Verdana"));
}
