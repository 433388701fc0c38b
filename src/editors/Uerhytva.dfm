object FormrhyTva: TFormrhyTva
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'TVA'
  ClientHeight = 320
  ClientWidth = 470
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 51
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
    object LabelVelSens: TLabel
      Left = 8
      Top = 8
      Width = 80
      Height = 13
      Caption = 'Vel Sens'
    end
    object VelocitySens: TMyEdit
      Left = 8
      Top = 24
      Width = 74
      Height = 21
      Tag = 42
      EditType = MinMaxS
      Min = -100
      Max = 150
      Step = 2
      Code = -100
      OnEndChange = VelocitySensEndChange
    end
    object LabelVelTime: TLabel
      Left = 8
      Top = 54
      Width = 80
      Height = 13
      Caption = 'Vel Time Sens'
    end
    object VelTimeSens: TMyEdit
      Left = 8
      Top = 70
      Width = 74
      Height = 21
      Tag = 43
      EditType = IntM100P100
      Min = 0
      Max = 14
      Code = 0
      OnEndChange = VelTimeSensEndChange
    end
    object LabelPan: TLabel
      Left = 8
      Top = 100
      Width = 80
      Height = 13
      Caption = 'Pan'
    end
    object ClickPan: TClickEdit
      Left = 8
      Top = 116
      Width = 60
      Height = 21
      Min = -63
      Max = 63
      Stereo = True
      OnEndchange = ClickPanEndchange
    end
    object LabelLevel: TLabel
      Left = 94
      Top = 8
      Width = 50
      Height = 13
      Caption = 'Level'
    end
    object ToneLevel: TPanSlider
      Left = 90
      Top = 24
      Width = 44
      Height = 166
      Tag = 41
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = ToneLevelEndchange
    end
    object LabelRndPan: TLabel
      Left = 140
      Top = 8
      Width = 50
      Height = 13
      Caption = 'Rnd Pan'
    end
    object RndPanDepth: TPanSlider
      Left = 140
      Top = 24
      Width = 44
      Height = 166
      Tag = 52
      BevelOuter = bvNone
      Min = 0
      Max = 63
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = RndPanDepthEndchange
    end
    object LabelAltPan: TLabel
      Left = 194
      Top = 8
      Width = 50
      Height = 13
      Caption = 'Alt Pan'
    end
    object AltPanDepth: TPanSlider
      Left = 192
      Top = 24
      Width = 44
      Height = 166
      Tag = 53
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Stereo = True
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = AltPanDepthEndchange
    end
    object Graph: TPanGraph
      Left = 244
      Top = 24
      Width = 212
      Height = 166
      GraphType = LastLocked
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
