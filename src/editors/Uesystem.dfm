object FormSystem: TFormSystem
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'System'
  ClientHeight = 104
  ClientWidth = 392
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 58
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnDragOver = FormDragOver
  OnResize = FormResize
  OnShow = FormShow
  object Shader1: TShader
    Left = 0
    Top = 0
    Width = 392
    Height = 104
    BevelOuter = bvNone
    FromColor = clNavy
    ToColor = clSkyBlue
    Steps = 40
    TabOrder = 0
    OnClick = FountainFill1Click
  end
  object PanelSystem: TPanel
    Left = 8
    Top = 8
    Width = 376
    Height = 36
    TabOrder = 1
    OnDragOver = FormDragOver
    OnMouseDown = SysSetupMouseDown
    object SysSetup: TPanel
      Left = 6
      Top = 6
      Width = 84
      Height = 24
      Caption = 'Setup'
      Color = clBtnFace
      Tag = 0
      OnDblClick = SysSetupDblClick
      OnDragOver = SysSetupDragOver
      OnEndDrag = SysSetupEndDrag
      OnMouseDown = SysSetupMouseDown
    end
    object SysMidi: TPanel
      Left = 96
      Top = 6
      Width = 84
      Height = 24
      Caption = 'Midi'
      Color = clBtnFace
      Tag = 0
      OnDblClick = SysMidiDblClick
      OnDragOver = SysSetupDragOver
      OnEndDrag = SysSetupEndDrag
      OnMouseDown = SysSetupMouseDown
    end
    object SysPreview: TPanel
      Left = 186
      Top = 6
      Width = 84
      Height = 24
      Caption = 'Preview'
      Color = clBtnFace
      Tag = 0
      OnDblClick = SysPreviewDblClick
      OnDragOver = SysSetupDragOver
      OnEndDrag = SysSetupEndDrag
      OnMouseDown = SysSetupMouseDown
    end
    object SysScaleTune: TPanel
      Left = 276
      Top = 6
      Width = 100
      Height = 24
      Caption = 'Scale Tune'
      Color = clBtnFace
      Tag = 0
      OnDblClick = SysScaleTuneDblClick
      OnDragOver = SysSetupDragOver
      OnEndDrag = SysSetupEndDrag
      OnMouseDown = SysSetupMouseDown
    end
  end
  object Panel1: TPanel
    Left = 8
    Top = 52
    Width = 376
    Height = 44
    TabOrder = 2
    OnDragOver = FormDragOver
    object SpeedNuovo: TSpeedButton
      Left = 6
      Top = 7
      Width = 50
      Height = 30
      Hint = 'New'
      Caption = 'New'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedNuovoClick
    end
    object SpeedCarica: TSpeedButton
      Left = 58
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Load Sysex'
      Caption = 'Load'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedCaricaClick
    end
    object SpeedSalva: TSpeedButton
      Left = 110
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Save Sysex'
      Caption = 'Save'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSalvaClick
    end
    object SpeedButton1: TSpeedButton
      Left = 162
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Save as'
      Caption = 'Save as'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton1Click
    end
    object SpeedButton3: TSpeedButton
      Left = 214
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Send '
      Caption = 'Send'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton3Click
    end
    object SpeedButton2: TSpeedButton
      Left = 266
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Receive'
      Caption = 'Receive'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton2Click
    end
    object SpeedHelp: TSpeedButton
      Left = 318
      Top = 7
      Width = 50
      Height = 30
      Hint = 'Help'
      Caption = 'Help'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedHelpClick
    end
  end
end
