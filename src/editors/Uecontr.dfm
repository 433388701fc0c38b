object FormControl: TFormControl
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Control'
  ClientHeight = 566
  ClientWidth = 688
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 3
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupVelCrossFadeDepth: TGroupBox
    Left = 8
    Top = 8
    Width = 152
    Height = 190
    Caption = 'Vel Cross Fade Depth'
    object VelCrossFadeDepth: TPanSlider
      Left = 54
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = VelCrossFadeDepthEndchange
    end
  end
  object GroupVelRangeLow: TGroupBox
    Left = 164
    Top = 8
    Width = 152
    Height = 190
    Caption = 'Velocity Range Lower'
    object VelRangeLow: TPanSlider
      Left = 54
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 1
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = VelRangeLowEndchange
    end
  end
  object GroupVelRangeUp: TGroupBox
    Left = 320
    Top = 8
    Width = 152
    Height = 190
    Caption = 'Velocity Range Upper'
    object VelRangeUp: TPanSlider
      Left = 54
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 1
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = VelRangeUpEndchange
    end
  end
  object GroupKeyRange: TGroupBox
    Left = 476
    Top = 8
    Width = 148
    Height = 74
    Caption = 'Key Range'
    object LabelKeyLow: TLabel
      Left = 8
      Top = 22
      Caption = 'Lower'
    end
    object KeyRangeLow: TMyEdit
      Left = 56
      Top = 18
      Width = 80
      Height = 21
      EditType = Note
      Onchange = KeyRangeLowchange
      OnEndChange = KeyRangeLowEndChange
    end
    object LabelKeyUp: TLabel
      Left = 8
      Top = 48
      Caption = 'Upper'
    end
    object KeyRangeUp: TMyEdit
      Left = 56
      Top = 44
      Width = 80
      Height = 21
      EditType = Note
      Code = 127
      Onchange = KeyRangeUpchange
      OnEndChange = KeyRangeUpEndChange
    end
  end
  object GroupSwitches: TGroupBox
    Left = 476
    Top = 86
    Width = 148
    Height = 148
    Caption = 'Switches'
    object RedCtrlSwitch: TCheckBox
      Left = 8
      Top = 18
      Width = 132
      Height = 17
      Caption = 'Red Ctrl Switch'
      OnClick = RedCtrlSwitchClick
    end
    object VolCtrlSwitch: TCheckBox
      Left = 8
      Top = 38
      Width = 132
      Height = 17
      Caption = 'Volume Ctrl Switch'
      OnClick = VolCtrlSwitchClick
    end
    object Hold1ctrlswitch: TCheckBox
      Left = 8
      Top = 58
      Width = 132
      Height = 17
      Caption = 'Hold-1 Ctrl Switch'
      OnClick = Hold1ctrlswitchClick
    end
    object BendCtrlSwitch: TCheckBox
      Left = 8
      Top = 78
      Width = 132
      Height = 17
      Caption = 'Bender Ctrl Switch'
      OnClick = BendCtrlSwitchClick
    end
    object LabelPanCtrl: TLabel
      Left = 8
      Top = 102
      Caption = 'Pan Control switch'
    end
    object PanCtrlSwitch: TComboBox
      Left = 8
      Top = 118
      Width = 132
      Height = 21
      Style = csDropDownList
      DropDownCount = 3
      ItemHeight = 13
      OnChange = PanCtrlSwitchChange
      Items.Strings = (
        'Off'
        'Continuous'
        'Key-On')
    end
  end
  object GroupControllers: TGroupBox
    Left = 8
    Top = 240
    Width = 290
    Height = 282
    Caption = 'Controllers'
    object Speed1: TSpeedButton
      Left = 8
      Top = 18
      Width = 88
      Height = 22
      GroupIndex = 1
      Caption = 'Controller 1'
      Tag = 1
      OnClick = Speed1Click
    end
    object Speed2: TSpeedButton
      Left = 98
      Top = 18
      Width = 88
      Height = 22
      GroupIndex = 1
      Caption = 'Controller 2'
      Tag = 2
      OnClick = Speed1Click
    end
    object Speed3: TSpeedButton
      Left = 188
      Top = 18
      Width = 88
      Height = 22
      GroupIndex = 1
      Caption = 'Controller 3'
      Tag = 3
      OnClick = Speed1Click
    end
    object LabelDest1: TLabel
      Left = 8
      Top = 46
      Caption = 'Dest 1'
    end
    object Dest1: TComboBox
      Tag = 1
      Left = 8
      Top = 62
      Width = 64
      Height = 21
      Style = csDropDownList
      DropDownCount = 19
      ItemHeight = 13
      OnChange = Dest1Change
      Items.Strings = (
        'Off'
        'Pch'
        'Cut'
        'Res'
        'Lev'
        'Pan'
        'Mix'
        'Cho'
        'Rev'
        'PL1'
        'PL2'
        'FL1'
        'FL2'
        'AL1'
        'AL2'
        'pL1'
        'pL2'
        'L1R'
        'L2R')
    end
    object LabelDepth1: TLabel
      Left = 8
      Top = 88
      Caption = 'Depth 1'
    end
    object Depth1: TPanSlider
      Left = 18
      Top = 104
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Tag = 1
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = Depth1Endchange
    end
    object LabelDest2: TLabel
      Left = 78
      Top = 46
      Caption = 'Dest 2'
    end
    object Dest2: TComboBox
      Tag = 2
      Left = 78
      Top = 62
      Width = 64
      Height = 21
      Style = csDropDownList
      DropDownCount = 19
      ItemHeight = 13
      OnChange = Dest1Change
      Items.Strings = (
        'Off'
        'Pch'
        'Cut'
        'Res'
        'Lev'
        'Pan'
        'Mix'
        'Cho'
        'Rev'
        'PL1'
        'PL2'
        'FL1'
        'FL2'
        'AL1'
        'AL2'
        'pL1'
        'pL2'
        'L1R'
        'L2R')
    end
    object LabelDepth2: TLabel
      Left = 78
      Top = 88
      Caption = 'Depth 2'
    end
    object Depth2: TPanSlider
      Left = 88
      Top = 104
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Tag = 2
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = Depth1Endchange
    end
    object LabelDest3: TLabel
      Left = 148
      Top = 46
      Caption = 'Dest 3'
    end
    object Dest3: TComboBox
      Tag = 3
      Left = 148
      Top = 62
      Width = 64
      Height = 21
      Style = csDropDownList
      DropDownCount = 19
      ItemHeight = 13
      OnChange = Dest1Change
      Items.Strings = (
        'Off'
        'Pch'
        'Cut'
        'Res'
        'Lev'
        'Pan'
        'Mix'
        'Cho'
        'Rev'
        'PL1'
        'PL2'
        'FL1'
        'FL2'
        'AL1'
        'AL2'
        'pL1'
        'pL2'
        'L1R'
        'L2R')
    end
    object LabelDepth3: TLabel
      Left = 148
      Top = 88
      Caption = 'Depth 3'
    end
    object Depth3: TPanSlider
      Left = 158
      Top = 104
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Tag = 3
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = Depth1Endchange
    end
    object LabelDest4: TLabel
      Left = 218
      Top = 46
      Caption = 'Dest 4'
    end
    object Dest4: TComboBox
      Tag = 4
      Left = 218
      Top = 62
      Width = 64
      Height = 21
      Style = csDropDownList
      DropDownCount = 19
      ItemHeight = 13
      OnChange = Dest1Change
      Items.Strings = (
        'Off'
        'Pch'
        'Cut'
        'Res'
        'Lev'
        'Pan'
        'Mix'
        'Cho'
        'Rev'
        'PL1'
        'PL2'
        'FL1'
        'FL2'
        'AL1'
        'AL2'
        'pL1'
        'pL2'
        'L1R'
        'L2R')
    end
    object LabelDepth4: TLabel
      Left = 218
      Top = 88
      Caption = 'Depth 4'
    end
    object Depth4: TPanSlider
      Left = 228
      Top = 104
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Tag = 4
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = Depth1Endchange
    end
  end
  object LabelOutputassign: TLabel
    Left = 306
    Top = 244
    Caption = 'Output Assign'
  end
  object Outputassign: TComboBox
    Left = 394
    Top = 240
    Width = 90
    Height = 21
    Style = csDropDownList
    DropDownCount = 4
    ItemHeight = 13
    OnChange = OutputassignChange
    Items.Strings = (
      'Mix'
      'EFX'
      'Output 1'
      'Output 2')
  end
  object GroupOutputlevel: TGroupBox
    Left = 306
    Top = 268
    Width = 96
    Height = 190
    Caption = 'Output Level'
    object Outputlevel: TPanSlider
      Left = 26
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = OutputlevelEndchange
    end
  end
  object GroupChorussendlevel: TGroupBox
    Left = 406
    Top = 268
    Width = 131
    Height = 190
    Caption = 'Chorus Send Level'
    object Chorussendlevel: TPanSlider
      Left = 43
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = ChorussendlevelEndchange
    end
  end
  object GroupReverbSendLevel: TGroupBox
    Left = 541
    Top = 268
    Width = 131
    Height = 190
    Caption = 'Reverb Send Level'
    object ReverbSendLevel: TPanSlider
      Left = 43
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = ReverbSendLevelEndchange
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 526
    Width = 680
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
      Left = 597
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
