object FormPerformance: TFormPerformance
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Performance'
  ClientHeight = 116
  ClientWidth = 384
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 42
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnDragOver = FountainFill1DragOver
  OnResize = FormResize
  OnShow = FormShow
  object Shader1: TShader
    Left = 0
    Top = 0
    Width = 384
    Height = 116
    BevelOuter = bvNone
    FromColor = clNavy
    ToColor = clSkyBlue
    Steps = 40
    TabOrder = 0
    OnClick = FountainFill1Click
  end
  object PanelPerComm: TPanel
    Left = 8
    Top = 12
    Width = 368
    Height = 34
    TabOrder = 1
    OnDragOver = FountainFill1DragOver
    OnMouseDown = PerComMouseDown
    object PerCom: TPanel
      Left = 8
      Top = 6
      Width = 112
      Height = 22
      Caption = 'Common'
      Color = clBtnFace
      OnDblClick = PerComDblClick
      OnDragOver = PerComDragOver
      OnEndDrag = PerComEndDrag
      OnMouseDown = PerComMouseDown
    end
    object PerEff: TPanel
      Left = 128
      Top = 6
      Width = 112
      Height = 22
      Caption = 'Effects'
      Color = clBtnFace
      OnDblClick = PerEffDblClick
      OnDragOver = PerComDragOver
      OnEndDrag = PerComEndDrag
      OnMouseDown = PerComMouseDown
    end
    object PerParts: TPanel
      Left = 248
      Top = 6
      Width = 112
      Height = 22
      Caption = 'Parts'
      Color = clBtnFace
      OnDblClick = PerPartsDblClick
      OnDragOver = PerComDragOver
      OnEndDrag = PerComEndDrag
      OnMouseDown = PerComMouseDown
    end
  end
  object Panel1: TPanel
    Left = 8
    Top = 64
    Width = 368
    Height = 40
    TabOrder = 9
    OnDragOver = FountainFill1DragOver
    object SpeedNuovo: TSpeedButton
      Left = 6
      Top = 6
      Width = 50
      Height = 28
      Hint = 'New'
      Caption = 'New'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedNuovoClick
    end
    object SpeedCarica: TSpeedButton
      Left = 58
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Load Sysex'
      Caption = 'Load'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedCaricaClick
    end
    object SpeedSalva: TSpeedButton
      Left = 110
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Save Sysex'
      Caption = 'Save'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSalvaClick
    end
    object SpeedButton1: TSpeedButton
      Left = 162
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Save as'
      Caption = 'Save as'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton1Click
    end
    object SpeedButton3: TSpeedButton
      Left = 214
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Send '
      Caption = 'Send'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton3Click
    end
    object SpeedButton2: TSpeedButton
      Left = 266
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Receive'
      Caption = 'Receive'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton2Click
    end
    object SpeedHelp: TSpeedButton
      Left = 318
      Top = 6
      Width = 50
      Height = 28
      Hint = 'Help'
      Caption = 'Help'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedHelpClick
    end
  end
end
