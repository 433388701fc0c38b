object frmAddGroupItems: TfrmAddGroupItems
  Left = 300
  Top = 200
  Caption = 'Add Group Items'
  ClientHeight = 321
  ClientWidth = 329
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object lbGroupItems: TListBox
    Left = 8
    Top = 8
    Width = 313
    Height = 273
    TabOrder = 0
  end
  object btnOk: TButton
    Left = 166
    Top = 290
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object btnCancel: TButton
    Left = 246
    Top = 290
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
