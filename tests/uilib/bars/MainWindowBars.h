#pragma once
// The main window's bar manager as its form resource holds it: seven categories, the main menu bar with the
// five menus, the toolbar with its nine buttons, and every menu entry with its shortcut, image, help
// context and hint.
#include "BarsTestSupport.h"
#include "platform/vcl/FormWriter.h"
#include "uilib/bars/ubBarCommandItems.h"
#include "uilib/bars/ubBarSubItem.h"
#include "uilib/bars/ubBars.h"

namespace zel::test {

inline const char* const kMainWindowBars = R"(object Formzelmo: TFormBarsSample
  Caption = 'Zelmovi 3.0'
  object ubBarManager1: TubBarManager
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = 'Segoe UI'
    Font.Style = []
    Bars = <
      item
        Caption = 'Main Menu'
        DockedDockingStyle = dsTop
        DockedLeft = 0
        DockedTop = 0
        DockingStyle = dsTop
        FloatLeft = 0
        FloatTop = 0
        FloatClientWidth = 0
        FloatClientHeight = 0
        IsMainMenu = True
        ItemLinks = <
          item
            Item = File1
            Visible = True
          end
          item
            Item = Settings1
            Visible = True
          end
          item
            Item = Gaggets1
            Visible = True
          end
          item
            Item = Window1
            Visible = True
          end
          item
            Item = Help1
            Visible = True
          end>
        MultiLine = True
        Name = 'Custom 1'
        OneOnRow = True
        Row = 0
        UseOwnFont = False
        Visible = True
        WholeRow = True
      end
      item
        Caption = 'ToolBar'
        DockedDockingStyle = dsTop
        DockedLeft = 0
        DockedTop = 26
        DockingStyle = dsTop
        FloatLeft = 0
        FloatTop = 0
        FloatClientWidth = 0
        FloatClientHeight = 0
        ItemLinks = <
          item
            Item = FileNewItem
            Visible = True
          end
          item
            Item = FileOpenItem
            Visible = True
          end
          item
            Item = FileSaveItem
            Visible = True
          end
          item
            Item = FileSaveAsItem
            Visible = True
          end
          item
            Item = FilePrintItem
            Visible = True
          end
          item
            BeginGroup = True
            Item = GadgetsKeyboardItem
            Visible = True
          end
          item
            Item = GadgetsMonitorItem
            Visible = True
          end
          item
            BeginGroup = True
            Item = Index1
            Visible = True
          end
          item
            Item = FileExitItem
            Visible = True
          end>
        Name = 'ToolBar'
        OneOnRow = True
        Row = 1
        UseOwnFont = False
        Visible = True
        WholeRow = False
      end>
    Categories.Strings = (
      'Default'
      'File'
      'Settings'
      'Gadgets'
      'Window'
      'Help'
      'Menus')
    Categories.ItemsVisibles = (
      2
      2
      2
      2
      2
      2
      2)
    Categories.Visibles = (
      True
      True
      True
      True
      True
      True
      True)
    Style = bmsOffice11
    UseSystemFont = True
    DockControlHeights = (
      0
      0
      51
      0)
    object File1: TubBarSubItem
      Caption = '&File'
      Category = 6
      Hint = 'File related commands'
      Visible = ivAlways
      HelpContext = 5
      ItemLinks = <
        item
          Item = FileNewItem
          Visible = True
        end
        item
          BeginGroup = True
          Item = FileOpenItem
          Visible = True
        end
        item
          Item = FileImportFrom
          Visible = True
        end
        item
          Item = FileCloseItem
          Visible = True
        end
        item
          BeginGroup = True
          Item = FileSaveItem
          Visible = True
        end
        item
          Item = FileSaveAsItem
          Visible = True
        end
        item
          Item = FileExportto
          Visible = True
        end
        item
          Item = FileSaveAllItem
          Visible = True
        end
        item
          BeginGroup = True
          Item = FilePrintItem
          Visible = True
        end
        item
          BeginGroup = True
          Item = FileExitItem
          Visible = True
        end>
    end
    object Settings1: TubBarSubItem
      Caption = 'Settings'
      Category = 6
      Visible = ivAlways
      HelpContext = 17
      ItemLinks = <
        item
          Item = SetMidiMidiPortItem
          Visible = True
        end
        item
          Item = SetPreviewItem
          Visible = True
        end
        item
          BeginGroup = True
          Item = SetExpansionItem
          Visible = True
        end
        item
          Item = SetPatchAndPerf
          Visible = True
        end>
    end
    object Gaggets1: TubBarSubItem
      Caption = 'Gadgets'
      Category = 6
      Visible = ivAlways
      HelpContext = 65
      ItemLinks = <
        item
          Item = GadgetsKeyboardItem
          Visible = True
        end
        item
          Item = GadgetsMonitorItem
          Visible = True
        end>
    end
    object Window1: TubBarSubItem
      Caption = '&Window'
      Category = 6
      Hint = 'Window related commands such as Tile and Cascade'
      Visible = ivAlways
      HelpContext = 63
      ItemLinks = <
        item
          Item = WindowCascadeItem
          Visible = True
        end
        item
          Item = WindowTileItem
          Visible = True
        end
        item
          Item = WindowArrangeItem
          Visible = True
        end
        item
          Item = WindowMinimizeItem
          Visible = True
        end>
    end
    object Help1: TubBarSubItem
      Caption = '&Help'
      Category = 6
      Hint = 'Help topics'
      Visible = ivAlways
      HelpContext = 64
      ItemLinks = <
        item
          Item = Index1
          Visible = True
        end
        item
          BeginGroup = True
          Item = HelpAboutItem
          Visible = True
        end>
    end
    object FileNewItem: TubBarButton
      Caption = '&New'
      Category = 1
      Hint = 'Create a new file'
      Visible = ivAlways
      ImageIndex = 0
      HelpContext = 6
    end
    object FileOpenItem: TubBarButton
      Caption = '&Open'
      Category = 1
      Hint = 'Open an existing file'
      Visible = ivAlways
      ImageIndex = 1
      HelpContext = 7
      ShortCut = 16463
      OnClick = FileOpenItemClick
    end
    object FileImportFrom: TubBarButton
      Caption = '&Import From Xp'
      Category = 1
      Visible = ivAlways
      HelpContext = 8
      OnClick = FileImportFromClick
    end
    object FileCloseItem: TubBarButton
      Caption = '&Close'
      Category = 1
      Hint = 'Close current file'
      Visible = ivAlways
      HelpContext = 10
    end
    object FileSaveItem: TubBarButton
      Caption = '&Save'
      Category = 1
      Hint = 'Save current file'
      Visible = ivAlways
      ImageIndex = 2
      HelpContext = 11
      ShortCut = 16467
      OnClick = FileSaveItemClick
    end
    object FileSaveAsItem: TubBarButton
      Caption = 'Save &As...'
      Category = 1
      Hint = 'Save current file as...'
      Visible = ivAlways
      ImageIndex = 3
      HelpContext = 12
    end
    object FileExportto: TubBarButton
      Caption = '&Export To Xp'
      Category = 1
      Visible = ivAlways
      HelpContext = 9
    end
    object FileSaveAllItem: TubBarButton
      Caption = 'Save A&ll'
      Category = 1
      Visible = ivAlways
      HelpContext = 13
      ShortCut = 16449
    end
    object FilePrintItem: TubBarButton
      Caption = '&Print'
      Category = 1
      Visible = ivAlways
      ImageIndex = 4
      HelpContext = 14
    end
    object FileExitItem: TubBarButton
      Caption = 'E&xit'
      Category = 1
      Hint = 'Exit the application'
      Visible = ivAlways
      ImageIndex = 5
      HelpContext = 15
      ShortCut = 16472
    end
    object SetMidiMidiPortItem: TubBarButton
      Caption = '&Midi'
      Category = 2
      Visible = ivAlways
      HelpContext = 18
    end
    object SetPreviewItem: TubBarButton
      Caption = '&Preview'
      Category = 2
      Visible = ivAlways
      HelpContext = 27
    end
    object SetExpansionItem: TubBarButton
      Caption = '&Expansion'
      Category = 2
      Visible = ivAlways
      HelpContext = 23
    end
    object SetPatchAndPerf: TubBarButton
      Caption = '&Names'
      Category = 2
      Visible = ivAlways
      HelpContext = 24
      ShortCut = 16462
    end
    object GadgetsKeyboardItem: TubBarButton
      Caption = '&Keyboard'
      Category = 3
      Visible = ivAlways
      ImageIndex = 17
      HelpContext = 26
      ShortCut = 16459
    end
    object GadgetsMonitorItem: TubBarButton
      Caption = '&Monitor'
      Category = 3
      Visible = ivAlways
      ImageIndex = 7
      HelpContext = 25
      ShortCut = 16461
    end
    object WindowCascadeItem: TubBarButton
      Caption = '&Cascade'
      Category = 4
      Hint = 'Arrange windows to overlap'
      Visible = ivAlways
    end
    object WindowTileItem: TubBarButton
      Caption = '&Tile'
      Category = 4
      Hint = 'Arrange windows without overlap'
      Visible = ivAlways
    end
    object WindowArrangeItem: TubBarButton
      Caption = '&Arrange Icons'
      Category = 4
      Hint = 'Arrange window icons at bottom of main window'
      Visible = ivAlways
    end
    object WindowMinimizeItem: TubBarButton
      Caption = '&Minimize All'
      Category = 4
      Hint = 'Minimize all windows'
      Visible = ivAlways
    end
    object Index1: TubBarButton
      Caption = '&Index'
      Category = 5
      Visible = ivAlways
      ImageIndex = 9
    end
    object HelpAboutItem: TubBarButton
      Caption = '&About'
      Category = 5
      Visible = ivAlways
    end
  end
end)";

// A form that reads kMainWindowBars and records the clicks of its handlers.
class TFormBarsSample : public TForm {
public:
    // Text: the resource to read (it must live while the form is made).
    explicit TFormBarsSample(TComponent* AOwner, const char* Text = kMainWindowBars)
        : TForm(AOwner), resource_{"MainWindowBars", Text} {}
    std::string ClassName() const override { return "TFormBarsSample"; }
    const TFormResource* FormResource() const override { return &resource_; }
    void DefineBindings(TFormBindings& B) override {
        B.Field("ubBarManager1", Manager);
        B.Field("FileOpenItem", FileOpenItem);
        B.Field("FileImportFrom", FileImportFrom);
        B.Field("FileSaveItem", FileSaveItem);
        B.Field("File1", File1);
        B.Handler<TNotifyEvent>("FileOpenItemClick", [this](TObject* s) { Clicks.push_back(Name(s) + " open"); });
        B.Handler<TNotifyEvent>("FileImportFromClick", [this](TObject* s) { Clicks.push_back(Name(s) + " import"); });
        B.Handler<TNotifyEvent>("FileSaveItemClick", [](TObject*) { throw Exception("Disk full"); });
    }
    static std::string Name(TObject* s) {
        auto* c = dynamic_cast<TComponent*>(s);
        return c != nullptr ? c->GetName() : std::string("?");
    }

    TubBarManager* Manager = nullptr;
    TubBarButton* FileOpenItem = nullptr;
    TubBarButton* FileImportFrom = nullptr;
    TubBarButton* FileSaveItem = nullptr;
    TubBarSubItem* File1 = nullptr;
    std::vector<std::string> Clicks;

private:
    TFormResource resource_;
};

}  // namespace zel::test
