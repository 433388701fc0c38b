object Formintro: TFormintro
  Left = 0
  Top = 0
  BorderStyle = bsNone
  ClientHeight = 324
  ClientWidth = 514
  Color = clBlack
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  object ImageIntro: TImage
    Left = 0
    Top = 0
    Width = 514
    Height = 324
    Align = alClient
  end
  object LabelVer: TLabel
    Left = 150
    Top = 190
    Width = 214
    Height = 16
    Alignment = taCenter
    AutoSize = False
    Caption = 'Version 3.0'
    Font.Color = clWhite
    Font.Height = -13
    Font.Name = 'Segoe UI'
    Transparent = True
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 2000
    OnTimer = Timer1Timer
  end
end
