#pragma once
#include "BgDialog.h"
#include "ParameterSlider.h"
#include <memory>
#include <vector>

// A skinned dialog with a given background bitmap (0 for none).
class CBackgroundDialog : public CBgDialog
{
public:
    explicit CBackgroundDialog(int bitmapId) { SetBackgroundBitmapId(bitmapId); }
};

// A small editor: sliders in the stereo chorus editor's colours over a panel bitmap.
class CSkinnedDialog : public CBgDialog
{
public:
    CSkinnedDialog();
    std::vector<std::unique_ptr<CParameterSlider>> sliders;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
};
