object FormNames: TFormNames
  Left = 260
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Select Name'
  ClientHeight = 296
  ClientWidth = 584
  Position = poScreenCenter
  HelpContext = 32
  OnCreate = FormCreate
  object StringGrid1: TStringGrid
    Left = 8
    Top = 8
    Width = 568
    Height = 244
    ColCount = 6
    RowCount = 43
    FixedCols = 0
    FixedRows = 0
    DefaultColWidth = 90
    DefaultRowHeight = 19
    ScrollBars = ssVertical
    TabOrder = 0
  end
  object BitBtn3: TBitBtn
    Left = 200
    Top = 262
    Width = 77
    Height = 25
    TabOrder = 1
    Kind = bkOK
    ModalResult = 0
    OnClick = BitBtn3Click
  end
  object BitBtn1: TBitBtn
    Left = 306
    Top = 262
    Width = 77
    Height = 25
    TabOrder = 2
    Kind = bkCancel
    OnClick = BitBtn1Click
  end
end
