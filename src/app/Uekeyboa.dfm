object FormKeyboard: TFormKeyboard
  Left = 0
  Top = 0
  Width = 384
  Height = 123
  Caption = 'Keyboard'
  FormStyle = fsMDIChild
  Visible = True
  OnClose = FormClose
  OnCreate = FormCreate
  OnResize = FormResize
  OnShow = FormShow
  object KeySelector: TKeySelector
    Left = 4
    Top = 4
    Width = 372
    Height = 56
    KeySelected = -1
    KeyWidth = 10
    OnChange = KeySelectorChange
    OnEndchange = KeySelectorEndchange
  end
  object Label1: TLabel
    Left = 8
    Top = 70
    Caption = 'Base Octave'
  end
  object SpeedButton1: TSpeedButton
    Tag = -1
    Left = 84
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '-1'
    OnClick = SpeedButtonClick
  end
  object SpeedButton2: TSpeedButton
    Tag = 0
    Left = 116
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '0'
    OnClick = SpeedButtonClick
  end
  object SpeedButton3: TSpeedButton
    Tag = 1
    Left = 148
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '1'
    OnClick = SpeedButtonClick
  end
  object SpeedButton4: TSpeedButton
    Tag = 2
    Left = 180
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '2'
    OnClick = SpeedButtonClick
  end
  object SpeedButton5: TSpeedButton
    Tag = 3
    Left = 212
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '3'
    OnClick = SpeedButtonClick
  end
  object SpeedButton6: TSpeedButton
    Tag = 4
    Left = 244
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '4'
    OnClick = SpeedButtonClick
  end
  object SpeedButton7: TSpeedButton
    Tag = 5
    Left = 276
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '5'
    OnClick = SpeedButtonClick
  end
  object SpeedButton8: TSpeedButton
    Tag = 6
    Left = 308
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '6'
    OnClick = SpeedButtonClick
  end
  object SpeedButton9: TSpeedButton
    Tag = 7
    Left = 340
    Top = 66
    Width = 30
    Height = 22
    GroupIndex = 1
    Caption = '7'
    OnClick = SpeedButtonClick
  end
end
