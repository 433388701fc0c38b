object ubBarNameEd: TubBarNameEd
  Left = 400
  Top = 300
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'Add Toolbar'
  ClientHeight = 84
  ClientWidth = 288
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  object LName: TLabel
    Left = 8
    Top = 8
    Width = 70
    Height = 13
    Caption = '&Toolbar name:'
    FocusControl = EName
  end
  object EName: TEdit
    Left = 8
    Top = 24
    Width = 272
    Height = 21
    TabOrder = 0
    OnChange = ENameChange
  end
  object BOK: TButton
    Left = 124
    Top = 54
    Width = 75
    Height = 24
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object BCancel: TButton
    Left = 205
    Top = 54
    Width = 75
    Height = 24
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
