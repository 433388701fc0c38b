object FormUpdateNames: TFormUpdateNames
  Left = 300
  Top = 220
  BorderStyle = bsDialog
  Caption = 'Updating names'
  ClientHeight = 113
  ClientWidth = 316
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  object Label1: TLabel
    Left = 12
    Top = 12
    Width = 292
    Height = 13
    AutoSize = False
    Caption = 'Now Receving Data Card Performance Names'
  end
  object Gauge1: TGauge
    Left = 12
    Top = 36
    Width = 292
    Height = 22
    ForeColor = clAqua
    Progress = 0
  end
  object cancelBtn: TBitBtn
    Left = 120
    Top = 72
    Width = 77
    Height = 25
    TabOrder = 0
    Kind = bkCancel
    OnClick = cancelBtnClick
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 800
    OnTimer = Timer1Timer
    Left = 16
    Top = 72
  end
end
