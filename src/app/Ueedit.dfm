object FormEdit: TFormEdit
  Left = 250
  Top = 180
  BorderStyle = bsDialog
  Caption = 'Edit property'
  ClientHeight = 193
  ClientWidth = 313
  HelpContext = 34
  Position = poScreenCenter
  OnShow = FormShow
  object LabelName: TLabel
    Left = 16
    Top = 10
    Caption = 'Name'
  end
  object Editname: TEdit
    Left = 16
    Top = 28
    Width = 185
    Height = 21
    MaxLength = 12
    TabOrder = 0
    OnChange = EditChange
  end
  object GroupBox1: TGroupBox
    Left = 16
    Top = 60
    Width = 281
    Height = 85
    Caption = 'Source/Destination'
    TabOrder = 1
    object LabelPosition: TLabel
      Left = 176
      Top = 22
      Caption = 'Position'
    end
    object User: TRadioButton
      Left = 12
      Top = 20
      Width = 121
      Height = 17
      Caption = ' User Memory'
      TabOrder = 0
      OnClick = LocationClick
    end
    object Card: TRadioButton
      Left = 12
      Top = 40
      Width = 121
      Height = 17
      Caption = ' Card Memory'
      TabOrder = 1
      OnClick = LocationClick
    end
    object Temp: TRadioButton
      Left = 12
      Top = 60
      Width = 121
      Height = 17
      Caption = ' Temporary'
      TabOrder = 2
      OnClick = LocationClick
    end
    object Position: TSpinEdit
      Left = 176
      Top = 40
      Width = 65
      Height = 22
      MaxValue = 128
      MinValue = 1
      Value = 1
      TabOrder = 3
      OnChange = EditChange
    end
  end
  object OKBtn: TButton
    Left = 64
    Top = 156
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    TabOrder = 2
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 174
    Top = 156
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
