object FormRhyPitch: TFormRhyPitch
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Pitch'
  ClientHeight = 320
  ClientWidth = 470
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 50
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object PanelKeys: TPanel
    Left = 4
    Top = 4
    Width = 462
    Height = 70
    object KeySelector: TKeySelector
      Left = 8
      Top = 8
      Width = 384
      Height = 56
      KeyWidth = 10
      OnChange = KeySelectorChange
      OnEndchange = KeySelectorEndchange
    end
    object Key: TLabel
      Left = 400
      Top = 28
      Width = 50
      Height = 13
      Caption = 'C 2  '
    end
  end
  object PanelBody: TPanel
    Left = 4
    Top = 78
    Width = 462
    Height = 200
    object LabelSource: TLabel
      Left = 8
      Top = 8
      Width = 80
      Height = 13
      Caption = 'Source Key'
    end
    object SourceKey: TMyEdit
      Left = 8
      Top = 24
      Width = 74
      Height = 21
      Tag = 12
      EditType = Note
      Min = 0
      Max = 127
      Code = 0
      OnEndChange = SourceKeyEndChange
    end
    object LabelRnd: TLabel
      Left = 8
      Top = 54
      Width = 80
      Height = 13
      Caption = 'Rand Depth'
    end
    object RndPitchDepth: TMyEdit
      Left = 8
      Top = 70
      Width = 74
      Height = 21
      Tag = 14
      EditType = IntM0P1200
      Min = 0
      Max = 30
      Code = 0
      OnEndChange = RndPitchDepthEndChange
    end
    object LabelVelSens: TLabel
      Left = 8
      Top = 100
      Width = 80
      Height = 13
      Caption = 'Env Vel Sen'
    end
    object VelSens: TMyEdit
      Left = 8
      Top = 116
      Width = 74
      Height = 21
      Tag = 16
      EditType = MinMaxS
      Min = -100
      Max = 150
      Step = 2
      Code = -100
      OnEndChange = VelSensEndChange
    end
    object LabelVelTime: TLabel
      Left = 8
      Top = 146
      Width = 80
      Height = 13
      Caption = 'Vel Time Sens'
    end
    object VeltimeSens: TMyEdit
      Left = 8
      Top = 162
      Width = 74
      Height = 21
      Tag = 17
      EditType = IntM100P100
      Min = 0
      Max = 14
      Code = 0
      OnEndChange = VeltimeSensEndChange
    end
    object LabelFine: TLabel
      Left = 90
      Top = 8
      Width = 58
      Height = 13
      Caption = 'Fine Tune'
    end
    object FineTune: TPanSlider
      Left = 96
      Top = 24
      Width = 44
      Height = 166
      Tag = 13
      BevelOuter = bvNone
      Min = -50
      Max = 50
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = FineTuneEndchange
    end
    object LabelEnvDepth: TLabel
      Left = 150
      Top = 8
      Width = 58
      Height = 13
      Caption = 'Env Depth'
    end
    object PitchenvDepth: TPanSlider
      Left = 156
      Top = 24
      Width = 44
      Height = 166
      Tag = 15
      BevelOuter = bvNone
      Min = -12
      Max = 12
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = PitchenvDepthEndchange
    end
    object Graph: TPanGraph
      Left = 210
      Top = 24
      Width = 246
      Height = 166
      GraphType = FirstHalf
      OnEndchange = GraphEndchange
    end
  end
  object PanelBtn: TPanel
    Left = 4
    Top = 282
    Width = 462
    Height = 38
    object BtnUndo: TButton
      Left = 6
      Top = 6
      Width = 64
      Height = 25
      Caption = '&Undo'
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 74
      Top = 6
      Width = 64
      Height = 25
      Caption = '&Revert'
      OnClick = BtnRevertClick
    end
    object BtnReverAll: TButton
      Left = 142
      Top = 6
      Width = 72
      Height = 25
      Caption = '&Revert All'
      OnClick = BtnReverAllClick
    end
    object CopyBtn: TButton
      Left = 218
      Top = 6
      Width = 56
      Height = 25
      Caption = 'Copy'
      OnClick = CopyBtnClick
    end
    object PasteBtn: TButton
      Left = 278
      Top = 6
      Width = 56
      Height = 25
      Caption = 'Paste'
      OnClick = PasteBtnClick
    end
    object Btnclose: TButton
      Left = 384
      Top = 6
      Width = 70
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
