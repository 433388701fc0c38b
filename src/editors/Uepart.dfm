object FormPart: TFormPart
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Parts'
  ClientHeight = 354
  ClientWidth = 640
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 37
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object Panel14: TPanel
    Left = 4
    Top = 4
    Width = 620
    Height = 36
    object LabelSelected: TLabel
      Left = 4
      Top = 12
      Width = 76
      Height = 13
      Caption = 'Selected Part'
    end
    object SpeedButton1: TSpeedButton
      Left = 80
      Top = 6
      Width = 24
      Height = 24
      Tag = 1
      GroupIndex = 1
      Caption = '1'
      OnClick = SpeedButton1Click
    end
    object SpeedButton2: TSpeedButton
      Left = 105
      Top = 6
      Width = 24
      Height = 24
      Tag = 2
      GroupIndex = 1
      Caption = '2'
      OnClick = SpeedButton1Click
    end
    object SpeedButton3: TSpeedButton
      Left = 130
      Top = 6
      Width = 24
      Height = 24
      Tag = 3
      GroupIndex = 1
      Caption = '3'
      OnClick = SpeedButton1Click
    end
    object SpeedButton4: TSpeedButton
      Left = 155
      Top = 6
      Width = 24
      Height = 24
      Tag = 4
      GroupIndex = 1
      Caption = '4'
      OnClick = SpeedButton1Click
    end
    object SpeedButton5: TSpeedButton
      Left = 180
      Top = 6
      Width = 24
      Height = 24
      Tag = 5
      GroupIndex = 1
      Caption = '5'
      OnClick = SpeedButton1Click
    end
    object SpeedButton6: TSpeedButton
      Left = 205
      Top = 6
      Width = 24
      Height = 24
      Tag = 6
      GroupIndex = 1
      Caption = '6'
      OnClick = SpeedButton1Click
    end
    object SpeedButton7: TSpeedButton
      Left = 230
      Top = 6
      Width = 24
      Height = 24
      Tag = 7
      GroupIndex = 1
      Caption = '7'
      OnClick = SpeedButton1Click
    end
    object SpeedButton8: TSpeedButton
      Left = 255
      Top = 6
      Width = 24
      Height = 24
      Tag = 8
      GroupIndex = 1
      Caption = '8'
      OnClick = SpeedButton1Click
    end
    object SpeedButton9: TSpeedButton
      Left = 280
      Top = 6
      Width = 24
      Height = 24
      Tag = 9
      GroupIndex = 1
      Caption = '9'
      OnClick = SpeedButton1Click
    end
    object SpeedButton10: TSpeedButton
      Left = 305
      Top = 6
      Width = 24
      Height = 24
      Tag = 10
      GroupIndex = 1
      Caption = '10'
      OnClick = SpeedButton1Click
    end
    object SpeedButton11: TSpeedButton
      Left = 330
      Top = 6
      Width = 24
      Height = 24
      Tag = 11
      GroupIndex = 1
      Caption = '11'
      OnClick = SpeedButton1Click
    end
    object SpeedButton12: TSpeedButton
      Left = 355
      Top = 6
      Width = 24
      Height = 24
      Tag = 12
      GroupIndex = 1
      Caption = '12'
      OnClick = SpeedButton1Click
    end
    object SpeedButton13: TSpeedButton
      Left = 380
      Top = 6
      Width = 24
      Height = 24
      Tag = 13
      GroupIndex = 1
      Caption = '13'
      OnClick = SpeedButton1Click
    end
    object SpeedButton14: TSpeedButton
      Left = 405
      Top = 6
      Width = 24
      Height = 24
      Tag = 14
      GroupIndex = 1
      Caption = '14'
      OnClick = SpeedButton1Click
    end
    object SpeedButton15: TSpeedButton
      Left = 430
      Top = 6
      Width = 24
      Height = 24
      Tag = 15
      GroupIndex = 1
      Caption = '15'
      OnClick = SpeedButton1Click
    end
    object SpeedButton16: TSpeedButton
      Left = 455
      Top = 6
      Width = 24
      Height = 24
      Tag = 16
      GroupIndex = 1
      Caption = '16'
      OnClick = SpeedButton1Click
    end
  end
  object Panel1: TPanel
    Left = 4
    Top = 44
    Width = 620
    Height = 262
    object Panel8: TPanel
      Left = 6
      Top = 6
      Width = 480
      Height = 250
      object MidiRecSwitch: TCheckBox
        Left = 8
        Top = 10
        Width = 140
        Height = 17
        Tag = 0
        Caption = 'Midi Receive Switch'
        OnClick = CheckClick
      end
      object LabelChannel: TLabel
        Left = 160
        Top = 12
        Width = 70
        Height = 13
        Caption = 'Midi Channel'
      end
      object MidiChannel: TMyEdit
        Left = 234
        Top = 8
        Width = 60
        Height = 21
        Tag = 1
        EditType = MinMax
        Min = 1
        Max = 16
        Code = 1
        OnEndChange = ValueEndChange
      end
      object CopyBtn: TButton
        Left = 320
        Top = 6
        Width = 60
        Height = 25
        Caption = 'Copy'
        OnClick = CopyBtnClick
      end
      object PasteBtn: TButton
        Left = 390
        Top = 6
        Width = 60
        Height = 25
        Caption = 'Paste'
        OnClick = PasteBtnClick
      end
      object LabelGroup: TLabel
        Left = 8
        Top = 42
        Width = 84
        Height = 13
        Caption = 'Patch Group'
      end
      object ComboPatch: TComboBox
        Left = 94
        Top = 38
        Width = 106
        Height = 21
        Style = csDropDownList
        DropDownCount = 11
        ItemHeight = 13
        OnChange = ComboPatchChange
      end
      object LabelPN: TLabel
        Left = 206
        Top = 42
        Width = 80
        Height = 13
        Caption = 'Patch Name'
      end
      object Patchname: TEdit
        Left = 288
        Top = 38
        Width = 108
        Height = 21
        ReadOnly = True
        OnChange = PatchnameChange
      end
      object ButtonPN: TButton
        Left = 400
        Top = 37
        Width = 24
        Height = 25
        Caption = 'B'
        OnClick = ButtonPNClick
      end
      object ComboRhythmName: TComboBox
        Left = 288
        Top = 38
        Width = 136
        Height = 21
        Style = csDropDownList
        ItemHeight = 13
        Visible = False
        OnChange = ComboRhythmNameChange
      end
      object LabelPartLevel: TLabel
        Left = 10
        Top = 70
        Width = 44
        Height = 13
        Caption = 'Level'
      end
      object PartLevel: TPanSlider
        Left = 6
        Top = 84
        Width = 44
        Height = 140
        Tag = 6
        BevelOuter = bvNone
        Min = 0
        Max = 127
        SLeft = 12
        STop = 24
        SWidth = 20
        SHeight = 110
        ELeft = 4
        ETop = 4
        EWidth = 36
        EHeight = 16
        OnEndchange = SliderEndchange
      end
      object LabelOutputLevel: TLabel
        Left = 60
        Top = 70
        Width = 44
        Height = 13
        Caption = 'Output'
      end
      object OutputLevel: TPanSlider
        Left = 56
        Top = 84
        Width = 44
        Height = 140
        Tag = 11
        BevelOuter = bvNone
        Min = 0
        Max = 127
        SLeft = 12
        STop = 24
        SWidth = 20
        SHeight = 110
        ELeft = 4
        ETop = 4
        EWidth = 36
        EHeight = 16
        OnEndchange = SliderEndchange
      end
      object LabelChorusSendlevel: TLabel
        Left = 110
        Top = 70
        Width = 44
        Height = 13
        Caption = 'Chorus'
      end
      object ChorusSendlevel: TPanSlider
        Left = 106
        Top = 84
        Width = 44
        Height = 140
        Tag = 12
        BevelOuter = bvNone
        Min = 0
        Max = 127
        SLeft = 12
        STop = 24
        SWidth = 20
        SHeight = 110
        ELeft = 4
        ETop = 4
        EWidth = 36
        EHeight = 16
        OnEndchange = SliderEndchange
      end
      object LabelReverbSendLevel: TLabel
        Left = 160
        Top = 70
        Width = 44
        Height = 13
        Caption = 'Reverb'
      end
      object ReverbSendLevel: TPanSlider
        Left = 156
        Top = 84
        Width = 44
        Height = 140
        Tag = 13
        BevelOuter = bvNone
        Min = 0
        Max = 127
        SLeft = 12
        STop = 24
        SWidth = 20
        SHeight = 110
        ELeft = 4
        ETop = 4
        EWidth = 36
        EHeight = 16
        OnEndchange = SliderEndchange
      end
      object LabelPan: TLabel
        Left = 214
        Top = 74
        Width = 70
        Height = 13
        Caption = 'Pan'
      end
      object ClickPan: TClickEdit
        Left = 300
        Top = 70
        Width = 60
        Height = 21
        Min = -64
        Max = 63
        Stereo = True
        OnEndchange = ClickPanEndchange
      end
      object LabelCoarse: TLabel
        Left = 214
        Top = 102
        Width = 70
        Height = 13
        Caption = 'Coarse Tune'
      end
      object PitchCoarsetune: TMyEdit
        Left = 300
        Top = 98
        Width = 70
        Height = 21
        Tag = 8
        EditType = MinMaxS
        Min = -48
        Max = 48
        Code = -48
        OnEndChange = ValueEndChange
      end
      object LabelFine: TLabel
        Left = 214
        Top = 130
        Width = 70
        Height = 13
        Caption = 'Fine Tune'
      end
      object Pitchfinetune: TMyEdit
        Left = 300
        Top = 126
        Width = 70
        Height = 21
        Tag = 9
        EditType = MinMaxS
        Min = -50
        Max = 50
        Code = -50
        OnEndChange = ValueEndChange
      end
      object LabelOutput: TLabel
        Left = 214
        Top = 158
        Width = 70
        Height = 13
        Caption = 'Output Assign'
      end
      object Outputassign: TComboBox
        Left = 300
        Top = 154
        Width = 80
        Height = 21
        Style = csDropDownList
        ItemHeight = 13
        OnChange = OutputassignChange
        Items.Strings = (
        'Mix'
        'EFX'
        'Output 1'
        'Output 2'
        'Patch')
      end
      object RecPrgChange: TCheckBox
        Left = 214
        Top = 184
        Width = 150
        Height = 17
        Tag = 14
        Caption = 'Receive Prg Change'
        OnClick = CheckClick
      end
      object RecVolume: TCheckBox
        Left = 214
        Top = 204
        Width = 150
        Height = 17
        Tag = 15
        Caption = 'Receive Volume'
        OnClick = CheckClick
      end
      object RecHold1: TCheckBox
        Left = 214
        Top = 224
        Width = 150
        Height = 17
        Tag = 16
        Caption = 'Receive Hold-1'
        OnClick = CheckClick
      end
      object LabelKeyRange: TLabel
        Left = 380
        Top = 70
        Width = 70
        Height = 13
        Caption = 'Key Range'
      end
      object LabelLower: TLabel
        Left = 380
        Top = 136
        Width = 36
        Height = 13
        Caption = 'Lower'
      end
      object Keylower: TMyEdit
        Left = 380
        Top = 150
        Width = 76
        Height = 21
        Tag = 17
        EditType = Note
        Min = 0
        Max = 127
        Code = 0
        Onchange = KeylowerChange
        OnEndChange = ValueEndChange
      end
      object LabelUpper: TLabel
        Left = 380
        Top = 92
        Width = 36
        Height = 13
        Caption = 'Upper'
      end
      object Keyupper: TMyEdit
        Left = 380
        Top = 106
        Width = 76
        Height = 21
        Tag = 18
        EditType = Note
        Min = 0
        Max = 127
        Code = 0
        Onchange = KeyupperChange
        OnEndChange = ValueEndChange
      end
    end
    object PanelXP1: TPanel
      Left = 490
      Top = 6
      Width = 120
      Height = 36
      Caption = 'XP 1'
    end
    object PanelXP2: TPanel
      Left = 490
      Top = 46
      Width = 120
      Height = 36
      Caption = 'XP 2'
    end
    object PanelXP3: TPanel
      Left = 490
      Top = 86
      Width = 120
      Height = 36
      Caption = 'XP 3'
    end
    object PanelXP4: TPanel
      Left = 490
      Top = 126
      Width = 120
      Height = 36
      Caption = 'XP 4'
    end
    object PanelXP5: TPanel
      Left = 490
      Top = 166
      Width = 120
      Height = 36
      Caption = 'XP 5'
    end
  end
  object PanelBtn: TPanel
    Left = 4
    Top = 312
    Width = 620
    Height = 36
    object Btnclose: TButton
      Left = 8
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
    object BtnReverAll: TButton
      Left = 136
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert All'
      OnClick = BtnReverAllClick
    end
    object Btnrevert: TButton
      Left = 262
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert'
      OnClick = BtnRevertClick
    end
    object BtnUndo: TButton
      Left = 400
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Undo'
      OnClick = BtnUndoClick
    end
  end
  object Timer1: TTimer
    Enabled = False
    OnTimer = Timer1Timer
  end
end
