#pragma once
// The main window: its creation steps in their fixed order, the clipboard
// buttons, the "Useless..." toggle, and the window side of the object block
// (the controls that decoding fills and encoding reads, the current block and
// the mask store). Its controls are built from its window description.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/HelpForm.h"
#include "app/PictureWindow.h"
#include "app/TrayBehaviour.h"
#include "app/editor/MaskGrid.h"
#include "app/editor/TypeSelection.h"
#include "app/editor/TerrainSelectors.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "object/Appearance.h"
#include "object/CatalogueFiles.h"
#include "object/ClipboardExchange.h"
#include "object/ObjectControls.h"
#include "object/ObjectFileCommands.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TImage;
class TPanel;
class TRadioButton;
class TSpeedButton;

class TForm1 : public TForm, private IObjectControls, private IAppearanceControls, private IHelpHost {
    CLASS_INFO(TForm1, TForm)

public:
    // Builds the window from its description and runs the creation steps.
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The start in the tray for a hidden or minimised start: the window stays
    // hidden and "Tray Icon" is checked.
    void TrayStart() { Tray().Start(); }
    // The tray behaviour of the window.
    TTrayBehaviour& Tray();

    // What the object block sees of the window.
    IObjectControls& ObjectControls() { return *this; }
    // The object catalogue read at start-up.
    const TObjectCatalogue& Catalogue() const { return catalogue_; }
    const std::vector<uint8_t>& CurrentObjectBlock() const { return block_; }
    const TMaskStore& MaskStore() const { return masks_; }
    UINT ClipboardFormat() const { return clipboard_.Format(); }

    // The grid cell at row 0..5, column 0..7.
    TImage* Cell(int row, int column) const { return grid_.Cell(row, column); }
    int LeftBrush() const { return grid_.LeftBrush(); }
    int RightBrush() const { return grid_.RightBrush(); }

    // The picture window's side of the main window.
    TPictureWindow& Picture() { return picture_; }

    // True while the help window is open; the open help window, or null.
    bool HelpOpen() const { return helpOpen_; }
    THelpForm* HelpWindow() const { return help_; }

    // Handlers bound by the window description.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDpiChanged(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void Button1Click(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton2Click(TObject* sender);
    void RadioButton3Click(TObject* sender);
    void Button2Click(TObject* sender);
    void Button3Click(TObject* sender);
    void Button5Click(TObject* sender);
    void Button4Click(TObject* sender);
    void Button6Click(TObject* sender);
    void CheckBox20Click(TObject* sender);
    void ELTrayIcon1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    void ComboNameChange(TObject* sender);
    void ComboBox1Change(TObject* sender);
    void ComboBox3Change(TObject* sender);
    void ComboBox4Change(TObject* sender);
    void Button7Click(TObject* sender);
    void Button8Click(TObject* sender);
    void ComboBox3KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void CheckBox21Click(TObject* sender);
    void KdWinController1WndProc(TObject* sender, TMessage& msg, bool& handled, TWndMethod next);
    void Image12MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image12MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image8Click(TObject* sender);
    void Image9Click(TObject* sender);
    void Image10Click(TObject* sender);
    void Image11Click(TObject* sender);
    void Image8ContextPopup(TObject* sender, POINT mousePos, bool& handled);
    void Image9ContextPopup(TObject* sender, POINT mousePos, bool& handled);
    void Image10ContextPopup(TObject* sender, POINT mousePos, bool& handled);
    void Image11ContextPopup(TObject* sender, POINT mousePos, bool& handled);
    void CheckAllClick(TObject* sender);
    void CheckNoneClick(TObject* sender);
    void IACheckControl19Click(TObject* sender);
    void IACheckControl20Click(TObject* sender);

protected:
    // System commands: minimise and restore go through the tray while "Tray Icon"
    // is checked; maximising is refused.
    void WndProc(TMessage& msg) override;

private:
    // The window description (MainFormDescription.cpp).
    void BuildDescription();

    // Creation steps of later parts, each doing what the order needs of it now.
    void BuildGrid();
    // The window's height to fit a grid panel of that height.
    void FitGridHeight(int panelHeight);
    // The terrain and check pictures drawn for the window's DPI (MainFormDescription.cpp).
    void LoadPictures();
    void LoadCatalogue();
    void FillTypeBoxes();
    void PrepareLegend();
    void SpaceTerrainControls();
    void LoadCommandLineFile();


    // IObjectControls
    std::vector<uint8_t>& CurrentBlock() override { return block_; }
    TMaskStore& Masks() override { return masks_; }
    std::string PictureName() const override;
    void SetPictureName(std::string_view bytes) override;
    std::wstring Text(std::wstring_view name) const override;
    void SelectByValue(std::wstring_view name, int32_t value) override;
    void RunChange(std::wstring_view name) override;
    bool Exists(std::wstring_view name) const override;
    bool Checked(std::wstring_view name) const override;
    void SetChecked(std::wstring_view name, bool checked) override;
    void RepaintGrid() override;
    void ShowGroups() override;
    void HideGroups() override;
    bool ObjectShown() const override;

    // IAppearanceControls (the rest is shared with IObjectControls)
    void SetPictureList(std::span<const std::string_view> names) override;

    // IHelpHost (MainFormHelp.cpp)
    bool TrayIconChecked() const override;
    void SetMainWindowVisible(bool visible) override;

    // The component of that name and class; a missing one is a fault of the
    // window's description.
    template <class T>
    T* Control(std::wstring_view name) const
    {
        T* control = FindComponentAs<T>(this, name);
        if (!control)
            throw EComponentError(L"The main window has no control \"" + std::wstring(name) + L"\" of that kind");
        return control;
    }

    std::vector<uint8_t> block_;
    TMaskStore masks_;
    TClipboardExchange clipboard_;
    // "&Save" and "&Load", with the file name they share.
    TObjectFileCommands files_;
    // The bytes of the picture name last shown, and the text the box made of them.
    std::string pictureBytes_;
    std::wstring pictureShown_;
    TMaskGrid grid_{masks_, block_};
    TTypeSelection types_{*this};
    TTerrainSelectors terrains_{*this};
    TUserLocaleCollation collation_;
    TObjectCatalogue catalogue_{collation_};
    TAppearance appearance_{catalogue_, *this};
    bool helpOpen_ = false;
    THelpForm* help_ = nullptr;  // owned by Button1Click while it shows the window
    std::unique_ptr<TTrayBehaviour> tray_;
    // Last, so that the picture window goes before everything it shows.
    TPictureWindow picture_{*this, grid_, block_};
};
