object FormRhythm: TFormRhythm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Rhythm'
  ClientHeight = 160
  ClientWidth = 426
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 48
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
    Width = 426
    Height = 160
    BevelOuter = bvNone
    FromColor = clNavy
    ToColor = clSkyBlue
    Steps = 40
    TabOrder = 0
    OnClick = FountainFill1Click
  end
  object PanelName: TPanel
    Left = 8
    Top = 8
    Width = 410
    Height = 34
    TabOrder = 1
    OnDragOver = FountainFill1DragOver
    object LabelName: TLabel
      Left = 10
      Top = 10
      Width = 86
      Height = 13
      Caption = 'Rhythm Name'
    end
    object EditName: TEdit
      Left = 100
      Top = 6
      Width = 120
      Height = 21
      MaxLength = 12
      TabOrder = 0
      OnKeyPress = EditNameKeyPress
      OnKeyUp = EditNameKeyUp
    end
  end
  object PanelRhythm: TPanel
    Left = 8
    Top = 54
    Width = 410
    Height = 34
    TabOrder = 2
    OnDragOver = FountainFill1DragOver
    OnMouseDown = RhyMainMouseDown
    object RhyMain: TPanel
      Left = 8
      Top = 6
      Width = 94
      Height = 22
      Caption = 'Main'
      Color = clBtnFace
      OnDblClick = RhyMainDblClick
      OnDragOver = RhyMainDragOver
      OnEndDrag = RhyMainEndDrag
      OnMouseDown = RhyMainMouseDown
    end
    object RhyPitch: TPanel
      Left = 108
      Top = 6
      Width = 94
      Height = 22
      Caption = 'Pitch'
      Color = clBtnFace
      OnDblClick = RhyPitchDblClick
      OnDragOver = RhyMainDragOver
      OnEndDrag = RhyMainEndDrag
      OnMouseDown = RhyMainMouseDown
    end
    object RhyTVF: TPanel
      Left = 208
      Top = 6
      Width = 94
      Height = 22
      Caption = 'TVF'
      Color = clBtnFace
      OnDblClick = RhyTVFDblClick
      OnDragOver = RhyMainDragOver
      OnEndDrag = RhyMainEndDrag
      OnMouseDown = RhyMainMouseDown
    end
    object RhyTVA: TPanel
      Left = 308
      Top = 6
      Width = 94
      Height = 22
      Caption = 'TVA'
      Color = clBtnFace
      OnDblClick = RhyTVADblClick
      OnDragOver = RhyMainDragOver
      OnEndDrag = RhyMainEndDrag
      OnMouseDown = RhyMainMouseDown
    end
  end
  object Panel1: TPanel
    Left = 8
    Top = 108
    Width = 410
    Height = 40
    TabOrder = 9
    OnDragOver = FountainFill1DragOver
    object SpeedNuovo: TSpeedButton
      Left = 6
      Top = 6
      Width = 52
      Height = 28
      Hint = 'New'
      Caption = 'New'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedNuovoClick
    end
    object SpeedCarica: TSpeedButton
      Left = 63
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Load Sysex'
      Caption = 'Load'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedCaricaClick
    end
    object SpeedSalva: TSpeedButton
      Left = 120
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Save Sysex'
      Caption = 'Save'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSalvaClick
    end
    object SpeedButton1: TSpeedButton
      Left = 177
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Save as'
      Caption = 'Save as'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton1Click
    end
    object SpeedButton3: TSpeedButton
      Left = 234
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Send '
      Caption = 'Send'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton3Click
    end
    object SpeedButton2: TSpeedButton
      Left = 291
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Receive'
      Caption = 'Receive'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedButton2Click
    end
    object SpeedHelp: TSpeedButton
      Left = 348
      Top = 6
      Width = 52
      Height = 28
      Hint = 'Help'
      Caption = 'Help'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedHelpClick
    end
  end
end
