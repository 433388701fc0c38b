object ubBarCustomizingForm: TubBarCustomizingForm
  Left = 360
  Top = 220
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Customize'
  ClientHeight = 330
  ClientWidth = 384
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OnClose = FormClose
  object BottomPanel: TPanel
    Left = 0
    Top = 296
    Width = 384
    Height = 34
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object BHelp: TBitBtn
      Left = 8
      Top = 5
      Width = 24
      Height = 24
      TabOrder = 0
      OnClick = BHelpClick
    end
    object BClose: TButton
      Left = 296
      Top = 5
      Width = 80
      Height = 24
      Cancel = True
      Caption = 'Close'
      Default = True
      ModalResult = 1
      TabOrder = 1
      OnClick = BCloseClick
    end
  end
  object PageControl: TPageControl
    Left = 0
    Top = 0
    Width = 384
    Height = 296
    ActivePage = TabSheet1
    Align = alClient
    TabOrder = 0
    OnChange = PageControlChange
    object TabSheet1: TTabSheet
      Caption = ' Toolbars '
      object LabelToobars: TLabel
        Left = 8
        Top = 6
        Width = 48
        Height = 13
        Caption = 'Toolb&ars:'
      end
      object BarsListBoxPlace: TListBox
        Left = 8
        Top = 22
        Width = 250
        Height = 236
        TabOrder = 0
      end
      object BBarNew: TButton
        Left = 268
        Top = 22
        Width = 98
        Height = 24
        Caption = '&New...'
        TabOrder = 1
        OnClick = BBarNewClick
      end
      object BBarRename: TButton
        Left = 268
        Top = 52
        Width = 98
        Height = 24
        Caption = 'R&ename...'
        TabOrder = 2
        OnClick = BBarRenameClick
      end
      object BBarDelete: TButton
        Left = 268
        Top = 82
        Width = 98
        Height = 24
        Caption = '&Delete'
        TabOrder = 3
        OnClick = BBarDeleteClick
      end
      object BBarReset: TButton
        Left = 268
        Top = 112
        Width = 98
        Height = 24
        Caption = '&Reset...'
        TabOrder = 4
        OnClick = BBarResetClick
      end
    end
    object TabSheet2: TTabSheet
      Caption = ' Commands '
      object LabelCategories: TLabel
        Left = 8
        Top = 6
        Width = 54
        Height = 13
        Caption = 'Cate&gories:'
      end
      object LabelCommands: TLabel
        Left = 140
        Top = 6
        Width = 54
        Height = 13
        Caption = 'Comman&ds:'
      end
      object CategoriesPopupButtonPlace: TBevel
        Left = 70
        Top = 4
        Width = 60
        Height = 16
        Shape = bsSpacer
      end
      object CommandsPopupButtonPlace: TBevel
        Left = 204
        Top = 4
        Width = 60
        Height = 16
        Shape = bsSpacer
      end
      object LCategories: TListBox
        Left = 8
        Top = 22
        Width = 124
        Height = 186
        TabOrder = 0
        OnClick = LCategoriesClick
        OnDragOver = LCategoriesDragOver
        OnEndDrag = LCategoriesEndDrag
        OnKeyDown = LCategoriesKeyDown
        OnMouseDown = LCategoriesMouseDown
      end
      object LCommandsPlace: TListBox
        Left = 140
        Top = 22
        Width = 228
        Height = 186
        ItemHeight = 22
        Style = lbOwnerDrawVariable
        TabOrder = 1
      end
      object LabelDescription: TLabel
        Left = 8
        Top = 216
        Width = 56
        Height = 13
        Caption = 'Description  '
      end
      object Bevel1: TBevel
        Left = 70
        Top = 222
        Width = 298
        Height = 2
        Shape = bsTopLine
      end
      object DescriptionLabel: TLabel
        Left = 8
        Top = 234
        Width = 360
        Height = 26
        AutoSize = False
        WordWrap = True
      end
    end
    object TabSheet3: TTabSheet
      Caption = ' Options '
      object StandardOptionsPanel: TPanel
        Left = 0
        Top = 0
        Width = 376
        Height = 268
        Align = alClient
        BevelOuter = bvNone
        TabOrder = 0
        object LabelMenuAnimations: TLabel
          Left = 8
          Top = 94
          Width = 82
          Height = 13
          Caption = '&Menu animations:'
        end
        object CBHint1: TCheckBox
          Left = 8
          Top = 10
          Width = 300
          Height = 17
          Caption = 'Show Tool&Tips on toolbars'
          TabOrder = 0
          OnClick = CBHint1Click
        end
        object CBHint2: TCheckBox
          Left = 26
          Top = 32
          Width = 280
          Height = 17
          Caption = 'Show s&hortcut keys in ToolTips'
          TabOrder = 1
          OnClick = CBHint2Click
        end
        object CBLargeIcons: TCheckBox
          Left = 8
          Top = 60
          Width = 300
          Height = 17
          Caption = '&Large icons'
          TabOrder = 2
          OnClick = CBLargeIconsClick
        end
        object ComboBoxMenuAnimations: TComboBox
          Left = 100
          Top = 90
          Width = 110
          Height = 21
          Style = csDropDownList
          TabOrder = 3
          OnChange = ComboBoxMenuAnimationsClick
        end
      end
      object EnhancedOptionsPanel: TPanel
        Left = 0
        Top = 0
        Width = 376
        Height = 268
        Align = alClient
        BevelOuter = bvNone
        TabOrder = 1
        object Label3: TLabel
          Left = 8
          Top = 6
          Width = 160
          Height = 13
          Caption = 'Personalized Menus and Toolbars  '
        end
        object Bevel3: TBevel
          Left = 170
          Top = 12
          Width = 198
          Height = 2
          Shape = bsTopLine
        end
        object Label2: TLabel
          Left = 8
          Top = 110
          Width = 30
          Height = 13
          Caption = 'Other  '
        end
        object Bevel2: TBevel
          Left = 40
          Top = 116
          Width = 328
          Height = 2
          Shape = bsTopLine
        end
        object Label1: TLabel
          Left = 18
          Top = 196
          Width = 82
          Height = 13
          Caption = '&Menu animations:'
        end
        object CBMenusShowRecentItemsFirst: TCheckBox
          Left = 18
          Top = 26
          Width = 340
          Height = 17
          Caption = 'Me&nus show recently used commands first'
          TabOrder = 0
          OnClick = CBMenusShowRecentItemsFirstClick
        end
        object CBShowFullMenusAfterDelay: TCheckBox
          Left = 34
          Top = 48
          Width = 324
          Height = 17
          Caption = 'Show f&ull menus after a short delay'
          TabOrder = 1
          OnClick = CBShowFullMenusAfterDelayClick
        end
        object BResetUsageData: TButton
          Left = 18
          Top = 74
          Width = 130
          Height = 24
          Caption = '&Reset my usage data'
          TabOrder = 2
          OnClick = BResetUsageDataClick
        end
        object CBLargeIconsEx: TCheckBox
          Left = 18
          Top = 128
          Width = 340
          Height = 17
          Caption = '&Large icons'
          TabOrder = 3
          OnClick = CBLargeIconsClick
        end
        object CBHint1Ex: TCheckBox
          Left = 18
          Top = 150
          Width = 340
          Height = 17
          Caption = 'Show Tool&Tips on toolbars'
          TabOrder = 4
          OnClick = CBHint1Click
        end
        object CBHint2Ex: TCheckBox
          Left = 34
          Top = 172
          Width = 324
          Height = 17
          Caption = 'Show s&hortcut keys in ToolTips'
          TabOrder = 5
          OnClick = CBHint2Click
        end
        object ComboBoxMenuAnimationsEx: TComboBox
          Left = 110
          Top = 192
          Width = 110
          Height = 21
          Style = csDropDownList
          TabOrder = 6
          OnChange = ComboBoxMenuAnimationsClick
        end
      end
    end
    object TabSheet4: TTabSheet
      Caption = ' All commands '
      object LAllCommands: TListBox
        Left = 8
        Top = 8
        Width = 360
        Height = 226
        ItemHeight = 16
        Style = lbOwnerDrawFixed
        TabOrder = 0
        OnClick = LAllCommandsClick
        OnDrawItem = LAllCommandsDrawItem
      end
      object CBShowCommandsWithShortCut: TCheckBox
        Left = 8
        Top = 242
        Width = 360
        Height = 17
        Caption = 'Show commands that may have a shortcut'
        Checked = True
        State = cbChecked
        TabOrder = 1
        OnClick = CBShowCommandsWithShortCutClick
      end
    end
    object TabSheet5: TTabSheet
      Caption = 'Groups'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 4
        Width = 160
        Height = 224
        Caption = ' Groups '
        TabOrder = 0
        object lbGroups: TListBox
          Left = 8
          Top = 18
          Width = 144
          Height = 168
          Style = lbOwnerDrawVariable
          TabOrder = 0
          OnClick = lbGroupsClick
          OnDrawItem = lbGroupsDrawItem
          OnEnter = lbGroupsEnter
          OnKeyDown = lbGroupsKeyDown
          OnMeasureItem = lbGroupsMeasureItem
        end
        object btnGroupAdd: TButton
          Left = 8
          Top = 192
          Width = 68
          Height = 24
          Caption = 'Add'
          TabOrder = 1
          OnClick = btnGroupAddClick
        end
        object btnGroupDelete: TButton
          Left = 84
          Top = 192
          Width = 68
          Height = 24
          Caption = 'Delete'
          TabOrder = 2
          OnClick = btnGroupDeleteClick
        end
      end
      object GroupBox2: TGroupBox
        Left = 176
        Top = 4
        Width = 192
        Height = 224
        Caption = ' Items '
        TabOrder = 1
        object lbGroupItems: TListBox
          Left = 8
          Top = 18
          Width = 176
          Height = 168
          MultiSelect = True
          Style = lbOwnerDrawVariable
          TabOrder = 0
          OnClick = lbGroupItemsClick
          OnDrawItem = lbGroupItemsDrawItem
          OnEnter = lbGroupItemsEnter
          OnKeyDown = lbGroupItemsKeyDown
          OnMeasureItem = lbGroupsMeasureItem
        end
        object btnGroupItemAdd: TButton
          Left = 8
          Top = 192
          Width = 84
          Height = 24
          Caption = '&Add...'
          TabOrder = 1
          OnClick = btnGroupItemAddClick
        end
        object btnGroupItemDelete: TButton
          Left = 100
          Top = 192
          Width = 84
          Height = 24
          Caption = 'Delete'
          TabOrder = 2
          OnClick = btnGroupItemDeleteClick
        end
      end
      object btnMoveUp: TButton
        Left = 8
        Top = 236
        Width = 84
        Height = 24
        Caption = 'Move Up'
        TabOrder = 2
        OnClick = btnMoveUpClick
      end
      object btnMoveDown: TButton
        Left = 100
        Top = 236
        Width = 84
        Height = 24
        Caption = 'Move Down'
        TabOrder = 3
        OnClick = btnMoveDownClick
      end
    end
  end
  object BarManager1: TubBarManager
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    Bars = <>
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    CanCustomize = False
    Style = bmsEnhanced
    object CategoriesAdd: TubBarButton
      Caption = 'Add...'
      Category = 0
      Visible = ivAlways
      OnClick = CategoriesAddClick
    end
    object CategoriesInsert: TubBarButton
      Caption = 'Insert...'
      Category = 0
      Visible = ivAlways
      ShortCut = 45
      OnClick = CategoriesInsertClick
    end
    object CategoriesRename: TubBarButton
      Caption = 'Rename...'
      Category = 0
      Visible = ivAlways
      OnClick = CategoriesRenameClick
    end
    object CategoriesVisible: TubBarButton
      Caption = 'Visible'
      Category = 0
      Visible = ivAlways
      ButtonStyle = bsChecked
      OnClick = CategoriesVisibleClick
    end
    object CategoriesItemsVisible: TubBarCombo
      Caption = 'Items Visible:'
      Category = 0
      Visible = ivAlways
      OnChange = CategoriesItemsVisibleChange
      Items.Strings = (
        'Never'
        'InCustomizing'
        'Always')
    end
    object CategoriesDelete: TubBarButton
      Caption = 'Delete'
      Category = 0
      Visible = ivAlways
      ShortCut = 46
      OnClick = CategoriesDeleteClick
    end
    object CommandsAdd: TubBarButton
      Caption = 'Add...'
      Category = 0
      Visible = ivAlways
      ShortCut = 45
      OnClick = CommandsAddClick
    end
    object CommandsDelete: TubBarButton
      Caption = 'Delete'
      Category = 0
      Visible = ivAlways
      ShortCut = 46
      OnClick = CommandsDeleteClick
    end
    object CommandsClear: TubBarButton
      Caption = 'Clear'
      Category = 0
      Visible = ivAlways
      OnClick = CommandsClearClick
    end
    object CommandsMoveUp: TubBarButton
      Caption = 'Move Up'
      Category = 0
      Visible = ivAlways
      ShortCut = 16422
      OnClick = CommandsMoveUpClick
    end
    object CommandsMoveDown: TubBarButton
      Caption = 'Move Down'
      Category = 0
      Visible = ivAlways
      ShortCut = 16424
      OnClick = CommandsMoveDownClick
    end
    object CommandsSubMenuEditor: TubBarButton
      Caption = 'SubMenu Editor...'
      Category = 0
      Visible = ivAlways
      OnClick = CommandsSubMenuEditorClick
    end
  end
  object CategoriesPopupMenu: TubBarPopupMenu
    ItemLinks = <
      item
        Item = CategoriesAdd
        Visible = True
      end
      item
        Item = CategoriesInsert
        Visible = True
      end
      item
        Item = CategoriesRename
        Visible = True
      end
      item
        BeginGroup = True
        Item = CategoriesVisible
        Visible = True
      end
      item
        Item = CategoriesItemsVisible
        Visible = True
      end
      item
        BeginGroup = True
        Item = CategoriesDelete
        Visible = True
      end>
    UseRecentItems = False
  end
  object CommandsPopupMenu: TubBarPopupMenu
    ItemLinks = <
      item
        Item = CommandsAdd
        Visible = True
      end
      item
        Item = CommandsDelete
        Visible = True
      end
      item
        Item = CommandsClear
        Visible = True
      end
      item
        BeginGroup = True
        Item = CommandsMoveUp
        Visible = True
      end
      item
        Item = CommandsMoveDown
        Visible = True
      end
      item
        BeginGroup = True
        Item = CommandsSubMenuEditor
        Visible = True
      end>
    UseRecentItems = False
  end
end
