object FormMonitor: TFormMonitor
  Left = 0
  Top = 0
  Width = 378
  Height = 278
  Caption = 'Monitor'
  FormStyle = fsMDIChild
  HelpContext = 31
  OnClose = FormClose
  OnCreate = FormCreate
  OnResize = FormResize
  object PanelIn: TPanel
    Left = 4
    Top = 4
    Width = 362
    Height = 115
    TabOrder = 0
    object Label1: TLabel
      Left = 9
      Top = 5
      Caption = 'Message In'
    end
    object MemoInput: TMemo
      Left = 9
      Top = 22
      Width = 344
      Height = 87
      ScrollBars = ssBoth
      WordWrap = False
      TabOrder = 0
    end
  end
  object PanelOut: TPanel
    Left = 4
    Top = 123
    Width = 362
    Height = 115
    TabOrder = 1
    object Label2: TLabel
      Left = 9
      Top = 5
      Caption = 'Message Out'
    end
    object MemoOutput: TMemo
      Left = 9
      Top = 22
      Width = 344
      Height = 87
      ScrollBars = ssBoth
      WordWrap = False
      TabOrder = 0
    end
  end
end
