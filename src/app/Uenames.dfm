object FormNames: TFormNames
  Left = 260
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Select Name'
  ClientHeight = 292
  ClientWidth = 584
  Position = poScreenCenter
  HelpContext = 32
  OnCreate = FormCreate
  object BitBtn3: TBitBtn
    Left = 200
    Top = 258
    Width = 77
    Height = 25
    TabOrder = 1
    Kind = bkOK
    ModalResult = 0
  end
  object BitBtn1: TBitBtn
    Left = 306
    Top = 258
    Width = 77
    Height = 25
    TabOrder = 2
    Kind = bkCancel
    OnClick = BitBtn1Click
  end
end
