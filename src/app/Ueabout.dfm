object FormeditorAbout: TFormeditorAbout
  Left = 200
  Top = 108
  BorderStyle = bsDialog
  Caption = 'About'
  ClientHeight = 153
  ClientWidth = 298
  Position = poScreenCenter
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 281
    Height = 97
    BevelOuter = bvLowered
    TabOrder = 0
    object ProductName: TLabel
      Left = 16
      Top = 20
      Caption = 'Zelmovi'
      Font.Height = -19
      Font.Name = 'Arial'
      Font.Style = [fsBold]
    end
    object Version: TLabel
      Left = 16
      Top = 60
      Caption = 'Version : 3.0'
    end
  end
  object OKButton: TButton
    Left = 111
    Top = 116
    Width = 75
    Height = 25
    Caption = 'Close'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
end
