// The picture window's description: a fixed window without a maximise box
// whose client area is the picture. Positions are in pixels at 96 dots per inch.
#include "app/PictureForm.h"
#include "app/PictureImage.h"
#include "framework/FormDescription.h"

namespace {

TFormDescription PictureDescription()
{
    using F = TPictureForm;
    return {
        {.Caption = L"Picture: ",
         .Font = TFontSpec{L"MS Sans Serif", -11},
         .ClientWidth = kPictureWidth,
         .ClientHeight = kPictureHeight,
         .Events = {On(&TCustomForm::OnClose, &F::FormClose)},
         .Setup = Set<TPictureForm>([](TPictureForm& f) {
             f.SetWindowClassName(L"Kestrin Picture Form");
             f.SetBorderStyle(bsSingle);
             f.SetBorderIcons(biSystemMenu);
         })},
    };
}

}  // namespace

void TPictureForm::BuildDescription()
{
    static const TFormDescription description = PictureDescription();
    BuildForm(*this, description);
}
