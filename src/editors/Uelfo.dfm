object FormLFO: TFormLFO
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'LFO'
  ClientHeight = 482
  ClientWidth = 434
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 22
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupWave: TGroupBox
    Left = 8
    Top = 8
    Width = 144
    Height = 100
    Caption = 'Waveform'
    object Image1: TImage
      Left = 8
      Top = 18
      Width = 64
      Height = 48
    end
    object Precedente: TBitBtn
      Left = 80
      Top = 18
      Width = 26
      Height = 48
      Caption = '<'
      OnClick = PrecedenteClick
    end
    object Successivo: TBitBtn
      Left = 110
      Top = 18
      Width = 26
      Height = 48
      Caption = '>'
      OnClick = SuccessivoClick
    end
    object LabelWave: TLabel
      Left = 8
      Top = 76
      Width = 128
      AutoSize = False
      Alignment = taCenter
      Caption = 'Triangolar'
    end
  end
  object KeyTrigger: TCheckBox
    Left = 8
    Top = 120
    Width = 110
    Height = 17
    Caption = ' Key Trigger'
    OnClick = KeyTriggerClick
  end
  object LabelLFORate: TLabel
    Left = 8
    Top = 156
    Caption = 'LFO Rate'
  end
  object LFORate: TMyEdit
    Left = 112
    Top = 152
    Width = 80
    Height = 21
    EditType = Int0M880
    OnEndChange = LFORateEndChange
  end
  object LabelOffsetLevel: TLabel
    Left = 8
    Top = 184
    Caption = 'Offset Level'
  end
  object OffsetLevel: TMyEdit
    Left = 112
    Top = 180
    Width = 80
    Height = 21
    EditType = MinMaxS
    Min = -100
    Max = 100
    Step = 50
    Code = -100
    OnEndChange = OffsetLevelEndChange
  end
  object LabelExternalSync: TLabel
    Left = 8
    Top = 212
    Caption = 'External Syncronicity'
  end
  object ExternalSync: TComboBox
    Left = 140
    Top = 208
    Width = 84
    Height = 21
    Style = csDropDownList
    DropDownCount = 3
    ItemHeight = 13
    OnChange = ExternalSyncChange
    Items.Strings = (
      'LFO-Off'
      'Clock'
      'Tap')
  end
  object LabelFadeMode: TLabel
    Left = 232
    Top = 12
    Caption = 'Fade Mode'
  end
  object FadeMode: TComboBox
    Left = 296
    Top = 8
    Width = 96
    Height = 21
    Style = csDropDownList
    DropDownCount = 4
    ItemHeight = 13
    OnChange = FadeModeChange
    Items.Strings = (
      'On-In'
      'On-Out'
      'Off-In'
      'Off-Out')
  end
  object FadeGraph: TFadeGraph
    Left = 232
    Top = 36
    Width = 160
    Height = 140
    BevelOuter = bvLowered
    OnEndchange = FadeGraphEndchange
  end
  object GroupPitchLFODepth: TGroupBox
    Left = 8
    Top = 240
    Width = 117
    Height = 190
    Caption = 'Pitch LFO Depth'
    object PitchLFODepth: TPanSlider
      Left = 36
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = PitchLFODepthEndchange
    end
  end
  object GroupTVFLfoDepth: TGroupBox
    Left = 129
    Top = 240
    Width = 103
    Height = 190
    Caption = 'TVF LFO Depth'
    object TVFLfoDepth: TPanSlider
      Left = 29
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = TVFLfoDepthEndchange
    end
  end
  object GroupTVALfoDepth: TGroupBox
    Left = 236
    Top = 240
    Width = 103
    Height = 190
    Caption = 'TVA LFO Depth'
    object TVALfoDepth: TPanSlider
      Left = 29
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = TVALfoDepthEndchange
    end
  end
  object GroupPanDepth: TGroupBox
    Left = 343
    Top = 240
    Width = 75
    Height = 190
    Caption = 'Pan Depth'
    object PanDepth: TPanSlider
      Left = 15
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = PanDepthEndchange
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 442
    Width = 426
    Height = 36
    TabOrder = 99
    object BtnUndo: TButton
      Left = 8
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Undo'
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 90
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert'
      OnClick = BtnRevertClick
    end
    object Btnclose: TButton
      Left = 343
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
