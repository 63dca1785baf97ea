// The main window's description: every control with its place, caption, hint,
// anchors, tab order and handlers. Positions are in pixels at 96 dots per inch.
#include "app/FlatStyleSettings.h"
#include "app/MainForm.h"
#include "app/ScaledPictures.h"
#include "app/editor/ValueLists.h"
#include "app/res/Resource.h"
#include "controls/KdFlatStyle.h"
#include "controls/KdStringer.h"
#include "controls/KdWinController.h"
#include "framework/ComboBox.h"
#include "framework/Dialogs.h"
#include "framework/Edits.h"
#include "framework/ExtCtrls.h"
#include "framework/FormDescription.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/SpeedButton.h"
#include "framework/StdCtrls.h"
#include "widgets/ELTrayIcon.h"
#include "widgets/IACheckControl.h"

namespace {

constexpr TAnchors kAllSides = akLeft | akTop | akRight | akBottom;

// The appearance boxes explain where the catalogue comes from; the tool tip
// part (before "|") is empty.
constexpr const wchar_t* kCatalogueHint =
    L"|[BU]Heroes3 WOG[B]: []Extract ZOBJCTS.TXT from Heroes3\\Data\\H3bitmap.lod, rename it to Objects.txt "
    L"and place to the Data directoiry of this program.\r\n\r\n[BU]Heroes3 SOD, Heroes3 ROE[B]:[] Extract "
    L"Objects.txt from Heroes3\\Data\\H3bitmap.lod and place it to the Data directoiry of this program.\r\n\r\n"
    L"[BU]Heroes3 AB[B]:[] Extract Objects.txt from Heroes3\\Data\\H3ab_bmp.lod and place it to the Data "
    L"directoiry of this program.";

// Terrain controls by number, and their hints in the block's bit order.
const wchar_t* const kTerrainControlNames[19] = {
    nullptr,           L"IACheckControl1",  L"IACheckControl2",  L"IACheckControl3",  L"IACheckControl4",
    L"IACheckControl5",  L"IACheckControl6",  L"IACheckControl7",  L"IACheckControl8",  L"IACheckControl9",
    L"IACheckControl10", L"IACheckControl11", L"IACheckControl12", L"IACheckControl13", L"IACheckControl14",
    L"IACheckControl15", L"IACheckControl16", L"IACheckControl17", L"IACheckControl18"};
const wchar_t* const kTerrainHints[9] = {L"Dirt",  L"Sand",         L"Grass", L"Snow", L"Swamp",
                                         L"Rough", L"Subterranean", L"Lava",  L"Water"};
// The image lists the two rows share, one per terrain.
const wchar_t* const kTerrainImageLists[9] = {L"ImageList1", L"ImageList2", L"ImageList3",
                                              L"ImageList4", L"ImageList5", L"ImageList6",
                                              L"ImageList7", L"ImageList8", L"ImageList9"};
constexpr int kTerrainPictureSize = 33;

// The DPI the window is laid out for.
int DpiOf(const TComponent& form)
{
    const auto* window = dynamic_cast<const TControl*>(&form);
    return window ? window->CurrentDpi() : kDesignDpi;
}

// An image list of the terrain pictures of a bitmap resource strip, drawn for the window's DPI.
TBinder PicturesFrom(int resourceId)
{
    return Set<TImageList>([resourceId](TImageList& list, TComponent& form) {
        const int dpi = DpiOf(form);
        const int side = ScaleForDpi(kTerrainPictureSize, dpi);
        list.SetSize(side, side);
        TBitmap strip;
        LoadScaledPicture(strip, resourceId, dpi);
        list.Add(strip, nullptr);
    });
}

// An image showing a bitmap resource drawn for the window's DPI.
TBinder PictureFrom(int resourceId)
{
    return Set<TImage>([resourceId](TImage& image, TComponent& form) {
        LoadScaledPicture(*image.Picture(), resourceId, DpiOf(form));
    });
}

TBinder Bevels()
{
    return Set<TPanel>([](TPanel& p) {
        p.SetBevelOuter(bvRaised);
        p.SetBevelInner(bvLowered);
    });
}

TBinder Transparent() { return Set<TLabel>([](TLabel& l) { l.SetTransparent(true); }); }

// The nine terrain switches of a row: numbered from `first`, 32 pixels apart in
// the description (start-up spaces them), pictures of their terrain's image list,
// of a fixed size, all checked.
void AddTerrainRow(TFormDescription& d, int first, const wchar_t* parent, int top, int tabOrder)
{
    for (int i = 0; i < 9; ++i)
        d.push_back({.Class = L"TIACheckControl",
                     .Name = kTerrainControlNames[first + i],
                     .Parent = parent,
                     .Bounds = TBoundsSpec{8 + 32 * i, top, kTerrainPictureSize, kTerrainPictureSize},
                     .Caption = L"",
                     .Hint = kTerrainHints[i],
                     .TabOrder = tabOrder + i,
                     .Setup = Set<TIACheckControl>([i](TIACheckControl& c, TComponent& form) {
                         c.SetStyle(iaccsBitmap);
                         c.SetAutoSize(false);
                         c.SetImageList(FindComponentAs<TImageList>(&form, kTerrainImageLists[i]));
                         c.SetChecked(true);
                     })});
}

// The built-in value lists, each a holder with its tag and lines.
void AddValueLists(TFormDescription& d)
{
    for (const TValueListData& list : BuiltInValueLists()) {
        const TValueListData* data = &list;
        d.push_back({.Class = L"TKdStringer", .Name = list.Name, .Setup = Set<TKdStringer>([data](TKdStringer& s) {
                         s.SetTag(data->Tag);
                         TStringList& items = s.Items();
                         items.BeginUpdate();
                         for (const wchar_t* line : data->Lines)
                             items.Add(line);
                         items.EndUpdate();
                     })});
    }
}

// The window controllers of the type and subtype boxes; the last two watch
// no control.
void AddWinControllers(TFormDescription& d)
{
    const wchar_t* const names[] = {L"KdWinController1", L"KdWinController2", L"KdWinController3", L"KdWinController4"};
    const wchar_t* const boxes[] = {L"ComboBox1", L"ComboBox2", nullptr, nullptr};
    for (int i = 0; i < 4; ++i) {
        const wchar_t* box = boxes[i];
        d.push_back({.Class = L"TKdWinController", .Name = names[i],
                     .Events = {On(&TKdWinController::OnWndProc, &TForm1::KdWinController1WndProc)},
                     .Setup = Set<TKdWinController>([box](TKdWinController& c, TComponent& form) {
                         c.SetActive(true);
                         c.SetPriority(200);
                         if (box)
                             c.SetControl(FindComponentAs<TControl>(&form, box));
                     })});
    }
}

TFormDescription MainDescription()
{
    using F = TForm1;
    TFormDescription d = {
        // The window itself.
        {.Caption = L"Kestrin",
         .ShowHint = true,
         .Font = TFontSpec{L"MS Sans Serif", -11},
         .ClientWidth = 471,
         .ClientHeight = 516,
         .Events = {On(&TCustomForm::OnCreate, &F::FormCreate), On(&TCustomForm::OnShow, &F::FormShow),
                    On(&TCustomForm::OnDpiChanged, &F::FormDpiChanged)},
         .Setup = Set<TForm1>([](TForm1& f) {
             f.SetWindowClassName(L"Kestrin Main Form");
             f.SetBorderStyle(bsSingle);
             f.SetBorderIcons(biSystemMenu | biMinimize);
             f.SetPosition(poScreenCenter);
         })},

        // Clipboard format and edition.
        {.Class = L"TRadioButton", .Name = L"RadioButton1", .Bounds = TBoundsSpec{13, 13, 76, 17},
         .Caption = kEditions[0].Caption, .Hint = kEditions[0].Hint, .TabOrder = 0,
         .Events = {On(&TControl::OnClick, &F::RadioButton1Click)},
         .Setup = Set<TRadioButton>([](TRadioButton& r) { r.SetChecked(true); })},
        {.Class = L"TRadioButton", .Name = L"RadioButton2", .Bounds = TBoundsSpec{93, 13, 36, 17},
         .Caption = kEditions[1].Caption, .Hint = kEditions[1].Hint, .TabOrder = 1,
         .Events = {On(&TControl::OnClick, &F::RadioButton2Click)}},
        {.Class = L"TRadioButton", .Name = L"RadioButton3", .Bounds = TBoundsSpec{133, 13, 44, 17},
         .Caption = kEditions[2].Caption, .Hint = kEditions[2].Hint, .TabOrder = 2,
         .Events = {On(&TControl::OnClick, &F::RadioButton3Click)}},
        {.Class = L"TEdit", .Name = L"Edit1", .Bounds = TBoundsSpec{182, 10, 39, 21}, .Caption = kDefaultFormatNumber,
         .TabOrder = 3},
        {.Class = L"TButton", .Name = L"Button2", .Bounds = TBoundsSpec{232, 8, 73, 25}, .Caption = L"Load Format",
         .Hint = L"Choose the version of MapEditor and click this button", .TabOrder = 11,
         .Events = {On(&TControl::OnClick, &F::Button2Click)}},
        {.Class = L"TCheckBox", .Name = L"CheckBox20", .Bounds = TBoundsSpec{312, 12, 73, 17}, .Caption = L"Tray Icon",
         .TabOrder = 9, .Events = {On(&TControl::OnClick, &F::CheckBox20Click)}},
        {.Class = L"TButton", .Name = L"Button1", .Bounds = TBoundsSpec{400, 8, 67, 25}, .Caption = L"Help",
         .TabOrder = 14, .Events = {On(&TControl::OnClick, &F::Button1Click)}},

        // Object exchange.
        {.Class = L"TButton", .Name = L"Button3", .Bounds = TBoundsSpec{8, 40, 49, 25}, .Caption = L"Paste",
         .TabOrder = 4, .Events = {On(&TControl::OnClick, &F::Button3Click)}},
        {.Class = L"TButton", .Name = L"Button5", .Bounds = TBoundsSpec{57, 40, 49, 25}, .Caption = L"&Copy",
         .TabOrder = 5, .Events = {On(&TControl::OnClick, &F::Button5Click)}},
        {.Class = L"TButton", .Name = L"Button6", .Bounds = TBoundsSpec{112, 40, 49, 25}, .Caption = L"&Load",
         .TabOrder = 6, .Events = {On(&TControl::OnClick, &F::Button6Click)}},
        {.Class = L"TButton", .Name = L"Button4", .Bounds = TBoundsSpec{161, 40, 49, 25}, .Caption = L"&Save",
         .TabOrder = 7, .Events = {On(&TControl::OnClick, &F::Button4Click)}},
        {.Class = L"TCheckBox", .Name = L"CheckBox21", .Bounds = TBoundsSpec{216, 44, 184, 17},
         .Caption = L"Types in alphabetical order", .TabOrder = 8,
         .Events = {On(&TControl::OnClick, &F::CheckBox21Click)}},
        {.Class = L"TSpeedButton", .Name = L"SpeedButton1", .Bounds = TBoundsSpec{400, 40, 65, 25},
         .Caption = L"Useless...", .Hint = L"Don't press this button. :)\r\nThare are some useless properties.",
         .Events = {On(&TControl::OnClick, &F::SpeedButton1Click)},
         .Setup = Set<TSpeedButton>([](TSpeedButton& b) {
             // A group of its own in which all buttons may be up: a toggle.
             b.SetGroupIndex(1);
             b.SetAllowAllUp(true);
         })},

        // "Appearance".
        {.Class = L"TGroupBox", .Name = L"GroupBox4", .Bounds = TBoundsSpec{8, 72, 457, 81}, .Caption = L"Appearance",
         .TabOrder = 13, .Visible = false},
        {.Class = L"TLabel", .Name = L"Label3", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{7, 21, 36, 13},
         .Caption = L"Picture:"},
        {.Class = L"TComboBox", .Name = L"ComboName", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{48, 16, 169, 21},
         .Hint = kCatalogueHint, .TabOrder = 0, .Events = {On(&TCustomCombo::OnChange, &F::ComboNameChange)}},
        {.Class = L"TButton", .Name = L"Button8", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{224, 16, 49, 21},
         .Caption = L"Paste", .TabOrder = 1, .Events = {On(&TControl::OnClick, &F::Button8Click)}},
        {.Class = L"TButton", .Name = L"Button7", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{273, 16, 49, 21},
         .Caption = L"Copy", .TabOrder = 2, .Events = {On(&TControl::OnClick, &F::Button7Click)}},
        {.Class = L"TCheckBox", .Name = L"CheckBox17", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{336, 21, 110, 15},
         .Caption = L"A part of ground", .Hint = L"Objects with this flag are always placed under objects without it.",
         .TabOrder = 3},
        {.Class = L"TLabel", .Name = L"Label4", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{9, 48, 27, 13},
         .Caption = L"Type:"},
        {.Class = L"TComboBox", .Name = L"ComboBox3", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{48, 45, 170, 21},
         .Hint = kCatalogueHint, .TabOrder = 4,
         .Events = {On(&TCustomCombo::OnChange, &F::ComboBox3Change), On(&TWinControl::OnKeyDown, &F::ComboBox3KeyDown)}},
        {.Class = L"TLabel", .Name = L"Label7", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{222, 48, 42, 13},
         .Caption = L"Subtype:"},
        {.Class = L"TComboBox", .Name = L"ComboBox4", .Parent = L"GroupBox4", .Bounds = TBoundsSpec{268, 45, 181, 21},
         .Hint = kCatalogueHint, .TabOrder = 5,
         .Events = {On(&TCustomCombo::OnChange, &F::ComboBox4Change),
                    On(&TWinControl::OnKeyDown, &F::ComboBox3KeyDown)}},

        // "Properties".
        {.Class = L"TGroupBox", .Name = L"GroupBox1", .Bounds = TBoundsSpec{8, 156, 457, 351}, .Caption = L"Properties",
         .Anchors = kAllSides, .TabOrder = 10, .Visible = false},
        {.Class = L"TLabel", .Name = L"Label1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{9, 24, 27, 13},
         .Caption = L"Type:"},
        {.Class = L"TComboBox", .Name = L"ComboBox1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{48, 21, 170, 21},
         .TabOrder = 0,
         .Events = {On(&TCustomCombo::OnChange, &F::ComboBox1Change), On(&TWinControl::OnKeyDown, &F::ComboBox3KeyDown)}},
        {.Class = L"TLabel", .Name = L"Label2", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{222, 24, 42, 13},
         .Caption = L"Subtype:"},
        {.Class = L"TComboBox", .Name = L"ComboBox2", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{268, 21, 181, 21},
         .TabOrder = 1, .Events = {On(&TWinControl::OnKeyDown, &F::ComboBox3KeyDown)}},
    };

    AddTerrainRow(d, 1, L"GroupBox1", 48, 2);

    const TDescriptionRow properties[] = {
        {.Class = L"TLabel", .Name = L"Label13", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{413, 49, 11, 13},
         .Caption = L"All"},
        {.Class = L"TImage", .Name = L"CheckAll", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{403, 64, 16, 16},
         .Events = {On(&TControl::OnClick, &F::CheckAllClick)}, .Setup = PictureFrom(IDB_CHECK_ALL)},
        {.Class = L"TImage", .Name = L"CheckNone", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{420, 64, 16, 16},
         .Events = {On(&TControl::OnClick, &F::CheckNoneClick)}, .Setup = PictureFrom(IDB_CHECK_NONE)},
        {.Class = L"TPanel", .Name = L"Panel1", .Parent = L"GroupBox1", .Bounds = TBoundsSpec{8, 88, 441, 255},
         .Caption = L"", .Anchors = kAllSides, .TabOrder = 11, .Setup = Bevels()},
        {.Class = L"TImage", .Name = L"Image8", .Parent = L"Panel1", .Bounds = TBoundsSpec{8, 8, 17, 17},
         .Events = {On(&TControl::OnClick, &F::Image8Click), On(&TControl::OnContextPopup, &F::Image8ContextPopup)}},
        {.Class = L"TLabel", .Name = L"Label6", .Parent = L"Panel1", .Bounds = TBoundsSpec{28, 10, 66, 13},
         .Caption = L"Not an object",
         .Events = {On(&TControl::OnClick, &F::Image8Click), On(&TControl::OnContextPopup, &F::Image8ContextPopup)}},
        {.Class = L"TImage", .Name = L"Image9", .Parent = L"Panel1", .Bounds = TBoundsSpec{120, 8, 17, 17},
         .Events = {On(&TControl::OnClick, &F::Image9Click), On(&TControl::OnContextPopup, &F::Image9ContextPopup)}},
        {.Class = L"TLabel", .Name = L"Label8", .Parent = L"Panel1", .Bounds = TBoundsSpec{140, 10, 31, 13},
         .Caption = L"Object",
         .Events = {On(&TControl::OnClick, &F::Image9Click), On(&TControl::OnContextPopup, &F::Image9ContextPopup)}},
        {.Class = L"TImage", .Name = L"Image10", .Parent = L"Panel1", .Bounds = TBoundsSpec{192, 8, 17, 17},
         .Events = {On(&TControl::OnClick, &F::Image10Click),
                    On(&TControl::OnContextPopup, &F::Image10ContextPopup)}},
        {.Class = L"TLabel", .Name = L"Label9", .Parent = L"Panel1", .Bounds = TBoundsSpec{212, 10, 25, 13},
         .Caption = L"Enter",
         .Events = {On(&TControl::OnClick, &F::Image10Click),
                    On(&TControl::OnContextPopup, &F::Image10ContextPopup)}},
        {.Class = L"TImage", .Name = L"Image11", .Parent = L"Panel1", .Bounds = TBoundsSpec{256, 8, 17, 17},
         .Events = {On(&TControl::OnClick, &F::Image11Click),
                    On(&TControl::OnContextPopup, &F::Image11ContextPopup)}},
        {.Class = L"TLabel", .Name = L"Label10", .Parent = L"Panel1", .Bounds = TBoundsSpec{276, 10, 98, 13},
         .Caption = L"Non-enterable enter",
         .Events = {On(&TControl::OnClick, &F::Image11Click),
                    On(&TControl::OnContextPopup, &F::Image11ContextPopup)}},
        {.Class = L"TImage", .Name = L"Image15", .Parent = L"Panel1", .Bounds = TBoundsSpec{400, 8, 17, 17}},
        {.Class = L"TLabel", .Name = L"Label11", .Parent = L"Panel1", .Bounds = TBoundsSpec{404, 10, 7, 13},
         .Caption = L"L", .Font = TFontSpec{.Style = fsBold}, .Setup = Transparent()},
        {.Class = L"TImage", .Name = L"Image16", .Parent = L"Panel1", .Bounds = TBoundsSpec{416, 8, 17, 17}},
        {.Class = L"TLabel", .Name = L"Label12", .Parent = L"Panel1", .Bounds = TBoundsSpec{420, 10, 8, 13},
         .Caption = L"R", .Font = TFontSpec{.Style = fsBold}, .Setup = Transparent()},
        {.Class = L"TImage", .Name = L"Image12", .Parent = L"Panel1", .Bounds = TBoundsSpec{8, 31, 54, 35},
         .Visible = false,
         .Events = {On(&TControl::OnMouseDown, &F::Image12MouseDown), On(&TControl::OnMouseMove, &F::Image12MouseMove)}},

        // "Useless Properties": where the map editor lists the object.
        {.Class = L"TGroupBox", .Name = L"GroupBox2", .Bounds = TBoundsSpec{8, 156, 457, 351},
         .Caption = L"Useless Properties", .TabOrder = 12, .Visible = false},
        {.Class = L"TLabel", .Name = L"Label5", .Parent = L"GroupBox2", .Bounds = TBoundsSpec{9, 18, 83, 13},
         .Caption = L"Map Editor Page:"},
        {.Class = L"TGroupBox", .Name = L"GroupBox3", .Parent = L"GroupBox2", .Bounds = TBoundsSpec{8, 40, 441, 65},
         .Caption = L"", .TabOrder = 5},
    };
    d.insert(d.end(), std::begin(properties), std::end(properties));

    AddTerrainRow(d, 10, L"GroupBox3", 24, 0);

    const TDescriptionRow useless[] = {
        {.Class = L"TLabel", .Name = L"Label14", .Parent = L"GroupBox3", .Bounds = TBoundsSpec{405, 28, 11, 13},
         .Caption = L"All"},
        {.Class = L"TImage", .Name = L"Image1", .Parent = L"GroupBox3", .Bounds = TBoundsSpec{395, 41, 16, 16},
         .Events = {On(&TControl::OnClick, &F::IACheckControl20Click)}, .Setup = PictureFrom(IDB_CHECK_ALL)},
        {.Class = L"TImage", .Name = L"Image2", .Parent = L"GroupBox3", .Bounds = TBoundsSpec{412, 41, 16, 16},
         .Events = {On(&TControl::OnClick, &F::IACheckControl19Click)}, .Setup = PictureFrom(IDB_CHECK_NONE)},
        // "Terrain" stands on the frame's top edge in place of a caption.
        {.Class = L"TRadioButton", .Name = L"RadioButton8", .Parent = L"GroupBox2", .Bounds = TBoundsSpec{16, 41, 55, 17},
         .Caption = L"Terrain", .TabOrder = 6},
        {.Class = L"TRadioButton", .Name = L"RadioButton9", .Parent = L"GroupBox2",
         .Bounds = TBoundsSpec{16, 112, 81, 17}, .Caption = L"Towns", .TabOrder = 0},
        {.Class = L"TRadioButton", .Name = L"RadioButton10", .Parent = L"GroupBox2",
         .Bounds = TBoundsSpec{104, 112, 81, 17}, .Caption = L"Monsters", .TabOrder = 1},
        {.Class = L"TRadioButton", .Name = L"RadioButton11", .Parent = L"GroupBox2",
         .Bounds = TBoundsSpec{192, 112, 81, 17}, .Caption = L"Heroes", .TabOrder = 2},
        {.Class = L"TRadioButton", .Name = L"RadioButton12", .Parent = L"GroupBox2",
         .Bounds = TBoundsSpec{272, 112, 81, 17}, .Caption = L"Artifacts", .TabOrder = 3},
        {.Class = L"TRadioButton", .Name = L"RadioButton13", .Parent = L"GroupBox2",
         .Bounds = TBoundsSpec{360, 112, 81, 17}, .Caption = L"Resources", .TabOrder = 4},

        // The terrain pictures, one image list per terrain, shared by both rows.
        {.Class = L"TImageList", .Name = kTerrainImageLists[0], .Setup = PicturesFrom(IDB_TERRAIN_DIRT)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[1], .Setup = PicturesFrom(IDB_TERRAIN_SAND)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[2], .Setup = PicturesFrom(IDB_TERRAIN_GRASS)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[3], .Setup = PicturesFrom(IDB_TERRAIN_SNOW)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[4], .Setup = PicturesFrom(IDB_TERRAIN_SWAMP)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[5], .Setup = PicturesFrom(IDB_TERRAIN_ROUGH)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[6], .Setup = PicturesFrom(IDB_TERRAIN_SUBTERRANEAN)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[7], .Setup = PicturesFrom(IDB_TERRAIN_LAVA)},
        {.Class = L"TImageList", .Name = kTerrainImageLists[8], .Setup = PicturesFrom(IDB_TERRAIN_WATER)},

        // The object file dialogs.
        {.Class = L"TOpenDialog", .Name = L"OpenDialog1", .Setup = Set<TOpenDialog>([](TOpenDialog& d) {
             d.SetFilter(kObjectFileFilter);
             d.SetOptions(kOpenDialogOptions);
         })},
        {.Class = L"TSaveDialog", .Name = L"SaveDialog1", .Setup = Set<TSaveDialog>([](TSaveDialog& d) {
             d.SetFilter(kObjectFileFilter);
             d.SetOptions(kSaveDialogOptions);
         })},

        // Flat frames over the edit boxes and combo boxes while the visual-styles theme is off.
        {.Class = L"TKdFlatStyle", .Name = L"KdFlatStyle1",
         .Setup = FlatStyleSettings(KdepsRelief, {clBtnShadow, clBtnFace, cl3DLight, clWindow})},

        // The tray icon and its menu; "Tray Icon" switches the icon on.
        {.Class = L"TPopupMenu", .Name = L"PopupMenu1"},
        {.Class = L"TMenuItem", .Name = L"Show1", .Parent = L"PopupMenu1", .Caption = L"&Show",
         .Events = {On(&TMenuItem::OnClick, &F::ELTrayIcon1Click)}},
        {.Class = L"TMenuItem", .Name = L"N1", .Parent = L"PopupMenu1", .Caption = L"-"},
        {.Class = L"TMenuItem", .Name = L"Exit1", .Parent = L"PopupMenu1", .Caption = L"E&xit",
         .Events = {On(&TMenuItem::OnClick, &F::Exit1Click)}},
        {.Class = L"TELTrayIcon", .Name = L"ELTrayIcon1", .Events = {On(&TELTrayIcon::OnClick, &F::ELTrayIcon1Click)},
         .Setup = Set<TELTrayIcon>([](TELTrayIcon& t, TComponent& form) {
             t.SetHint(L"Kestrin");
             t.SetPopupMenu(FindComponentAs<TPopupMenu>(&form, L"PopupMenu1"));
             t.SetHideTaskBarButton(true);
         })},
    };
    d.insert(d.end(), std::begin(useless), std::end(useless));

    AddValueLists(d);
    AddWinControllers(d);
    return d;
}

// The check-all and check-none pictures of both rows.
struct TCheckPicture {
    const wchar_t* Image;
    int ResourceId;
};
constexpr TCheckPicture kCheckPictures[] = {
    {L"CheckAll", IDB_CHECK_ALL}, {L"CheckNone", IDB_CHECK_NONE}, {L"Image1", IDB_CHECK_ALL}, {L"Image2", IDB_CHECK_NONE}};
constexpr int kTerrainPictureIds[9] = {IDB_TERRAIN_DIRT,  IDB_TERRAIN_SAND,         IDB_TERRAIN_GRASS,
                                       IDB_TERRAIN_SNOW,  IDB_TERRAIN_SWAMP,        IDB_TERRAIN_ROUGH,
                                       IDB_TERRAIN_SUBTERRANEAN, IDB_TERRAIN_LAVA, IDB_TERRAIN_WATER};

}  // namespace

void TForm1::LoadPictures()
{
    for (int i = 0; i < 9; ++i) {
        auto* list = Control<TImageList>(kTerrainImageLists[i]);
        list->Clear();
        PicturesFrom(kTerrainPictureIds[i])(*list, *this);
    }
    for (const TCheckPicture& check : kCheckPictures)
        PictureFrom(check.ResourceId)(*Control<TImage>(check.Image), *this);
}

void TForm1::BuildDescription()
{
    RegisterComponentClass<TKdStringer>();
    RegisterComponentClass<TKdWinController>();
    RegisterComponentClass<TOpenDialog>();
    RegisterComponentClass<TSaveDialog>();
    RegisterComponentClass<TIACheckControl>();
    RegisterComponentClass<TKdFlatStyle>();
    RegisterComponentClass<TELTrayIcon>();
    static const TFormDescription description = MainDescription();
    BuildForm(*this, description);
}
