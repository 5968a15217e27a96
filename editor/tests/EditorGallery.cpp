// Not a check of numbers but a picture book: the skinned dialog into gallery/*.png.
#include "EditorTestIds.h"
#include "Gdi.h"
#include "PixelCapture.h"
#include "TestDialogs.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <string>

namespace {

void Save(const testing_support::SImage& image, const std::string& name)
{
    CreateDirectoryA("gallery", nullptr);
    ASSERT_TRUE(image.SavePng("gallery/" + name + ".png"));
    ASSERT_TRUE(image.Magnified(2).SavePng("gallery/" + name + "-x2.png"));
}

testing_support::SImage Shot(CBgDialog& dialog, int templateId, int width, int height)
{
    testing_support::CHostWindow host(width + 10, height + 10);
    if (!dialog.Create(templateId, host.Get()))
        return {};
    testing_support::Place(dialog.GetHwnd(), 0, 0, width, height);
    testing_support::RedrawNow(dialog.GetHwnd());
    return testing_support::CaptureClient(dialog.GetHwnd());
}

} // namespace

TEST(Gallery, SkinnedDialogWithSliders)
{
    CSkinnedDialog dialog; // the panel is 176 × 100: copied 1:1 to (4, 4)
    Save(Shot(dialog, IDD_SKINNED, 180, 104), "skinned-dialog");
}

TEST(Gallery, BackgroundCopiedStretchedAndMissing)
{
    CBackgroundDialog copied(IDB_PANEL), stretched(IDB_PANEL), missing(0);
    const auto one = Shot(copied, IDD_BACKGROUND, 186, 110);
    const auto two = Shot(stretched, IDD_BACKGROUND, 260, 150);
    const auto three = Shot(missing, IDD_BACKGROUND, 120, 80);
    auto sheet = testing_support::SImage::Filled(one.width + two.width + three.width + 40,
                                                  two.height + 20, RGB(60, 60, 60));
    sheet.Paste(one, 10, 10);
    sheet.Paste(two, one.width + 20, 10);
    sheet.Paste(three, one.width + two.width + 30, 10);
    Save(sheet, "backgrounds");
}
