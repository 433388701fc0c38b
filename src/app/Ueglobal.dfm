object FormGlobal: TFormGlobal
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Global'
  ClientHeight = 190
  ClientWidth = 508
  Color = clWhite
  FormStyle = fsMDIChild
  HelpContext = 14
  OnCreate = FormCreate
  OnShow = FormShow
  OnClose = FormClose
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnClick = PanelClick
  OnDragOver = PanelDragOver
  object Panel: TPanel
    Left = 4
    Top = 4
    Width = 500
    Height = 182
    TabOrder = 0
    OnClick = PanelClick
    OnDragOver = PanelDragOver
    object Header: THeader
      Left = 4
      Top = 4
      Width = 492
      Height = 20
      AllowResize = False
      Sections.Strings = (
        'Type'
        'Name'
        'Src/Dest'
        'Modified Date')
    end
    object DrawGrid: TDrawGrid
      Left = 4
      Top = 24
      Width = 492
      Height = 129
      ColCount = 1
      DefaultColWidth = 470
      DefaultRowHeight = 18
      FixedCols = 0
      RowCount = 1
      FixedRows = 0
      Options = []
      ScrollBars = ssVertical
      TabOrder = 0
      OnDrawCell = DrawGridDrawCell
      OnMouseDown = DrawGridMouseDown
      OnDblClick = DrawGridDblClick
      OnDragOver = DrawGridDragOver
      OnEndDrag = DrawGridEndDrag
    end
  end
  object PopupMenu: TPopupMenu
    AutoPopup = False
    HelpContext = 39
    OnPopup = PopupMenuPopup
    object LoadSysex: TMenuItem
      Caption = 'Load Sysex'
      OnClick = LoadSysexClick
    end
    object SaveSysex: TMenuItem
      Caption = 'Save Sysex'
      OnClick = SaveSysexClick
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object ImportFrom: TMenuItem
      Caption = 'Import From'
      OnClick = ImportFromClick
    end
    object ExportTo: TMenuItem
      Caption = 'Export To'
      OnClick = ExportToClick
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object Send: TMenuItem
      Caption = 'Send'
      OnClick = SendClick
    end
    object Receive: TMenuItem
      Caption = 'Receive'
      OnClick = ReceiveClick
    end
    object N3: TMenuItem
      Caption = '-'
    end
    object Edit: TMenuItem
      Caption = 'Edit'
      OnClick = EditClick
    end
    object Print: TMenuItem
      Caption = 'Print'
      OnClick = PrintClick
    end
    object Open: TMenuItem
      Caption = 'Open'
      OnClick = OpenClick
    end
  end
end
