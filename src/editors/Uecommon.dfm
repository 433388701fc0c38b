object FormCommon: TFormCommon
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Common'
  ClientHeight = 420
  ClientWidth = 572
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 2
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object TabbedNotebook1: TTabbedNotebook
    Left = 4
    Top = 4
    Width = 564
    Height = 372
    PageIndex = 0
    TabOrder = 0
    OnChange = TabbedNotebook1Change
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 1'
      object LabelName: TLabel
        Left = 8
        Top = 10
        Caption = 'Name'
      end
      object EditName: TEdit
        Left = 44
        Top = 6
        Width = 110
        Height = 21
        MaxLength = 12
        TabOrder = 0
        OnKeyPress = EditNameKeyPress
        OnKeyUp = EditNameKeyUp
      end
      object GroupLevel: TGroupBox
        Left = 8
        Top = 36
        Width = 64
        Height = 190
        Caption = 'Level'
        object PatchLevel: TPanSlider
          Left = 10
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
          OnEndchange = PatchLevelEndchange
        end
      end
      object GroupAnalog: TGroupBox
        Left = 76
        Top = 36
        Width = 64
        Height = 190
        Caption = 'Analog'
        object AnalogfeelDepth: TPanSlider
          Left = 10
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
          OnEndchange = AnalogfeelDepthEndchange
        end
      end
      object GroupPortTime: TGroupBox
        Left = 144
        Top = 36
        Width = 64
        Height = 190
        Caption = 'Port Time'
        object PortTime: TPanSlider
          Left = 10
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
          OnEndchange = PortTimeEndchange
        end
      end
      object GroupPan: TGroupBox
        Left = 214
        Top = 36
        Width = 90
        Height = 44
        Caption = 'Pan'
        object ClickPan: TClickEdit
          Left = 8
          Top = 18
          Width = 74
          Height = 18
          Min = -64
          Max = 63
          Stereo = True
          OnEndchange = ClickPanEndchange
        end
      end
      object GroupTempo: TGroupBox
        Left = 214
        Top = 84
        Width = 90
        Height = 46
        Caption = 'Tempo'
        object DefaultTempo: TMyEdit
          Left = 8
          Top = 18
          Width = 74
          Height = 21
          EditType = MinMax
          Min = 20
          Max = 250
          Code = 20
          OnEndChange = DefaultTempoEndChange
        end
      end
      object GroupBender: TGroupBox
        Left = 214
        Top = 134
        Width = 90
        Height = 72
        Caption = 'Bender'
        object BenderUp: TMyEdit
          Left = 8
          Top = 18
          Width = 74
          Height = 21
          EditType = MinMaxS
          Min = 0
          Max = 12
          Code = 0
          OnEndChange = BenderUpEndChange
        end
        object BenderDown: TMyEdit
          Left = 8
          Top = 44
          Width = 74
          Height = 21
          EditType = MinMaxS
          Min = -48
          Max = 0
          Code = 0
          OnEndChange = BenderDownEndChange
        end
      end
      object GroupOctave: TGroupBox
        Left = 214
        Top = 210
        Width = 90
        Height = 46
        Caption = 'Octave Shift'
        object OctaveShift: TMyEdit
          Left = 8
          Top = 18
          Width = 74
          Height = 21
          EditType = MinMaxS
          Min = -3
          Max = 3
          Code = 0
          OnEndChange = OctaveShiftEndChange
        end
      end
      object GroupKeyAssign: TGroupBox
        Left = 310
        Top = 36
        Width = 100
        Height = 60
        Caption = 'Key Assign'
        object KeyAssModePoly: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Poly'
          OnClick = KeyAssModePolyClick
        end
        object KeyAssModeSolo: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Solo'
          OnClick = KeyAssModePolyClick
        end
      end
      object SoloLegato: TCheckBox
        Left = 310
        Top = 102
        Width = 110
        Height = 17
        Caption = 'Solo Legato'
        OnClick = SoloLegatoClick
      end
      object PortSwitch: TCheckBox
        Left = 310
        Top = 122
        Width = 150
        Height = 17
        Caption = 'Portamento Switch'
        OnClick = PortSwitchClick
      end
      object GroupPortMode: TGroupBox
        Left = 310
        Top = 146
        Width = 100
        Height = 60
        Caption = 'Port Mode'
        object PortModeNormal: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Normal'
          OnClick = PortModeNormalClick
        end
        object PortModeLegato: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Legato'
          OnClick = PortModeNormalClick
        end
      end
      object GroupPortType: TGroupBox
        Left = 310
        Top = 212
        Width = 100
        Height = 60
        Caption = 'Port Type'
        object PortTypeRAte: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Rate'
          OnClick = PortTypeRAteClick
        end
        object PortTypeTime: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Time'
          OnClick = PortTypeRAteClick
        end
      end
      object GroupPortStart: TGroupBox
        Left = 404
        Top = 212
        Width = 100
        Height = 60
        Caption = 'Port Start'
        object PortStartPitch: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Pitch'
          OnClick = PortStartPitchClick
        end
        object PortStartNote: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Note'
          OnClick = PortStartPitchClick
        end
      end
      object GroupVoice: TGroupBox
        Left = 414
        Top = 36
        Width = 104
        Height = 60
        Caption = 'Voice Priority'
        object VoiceLast: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = ' Last'
          OnClick = VoiceLastClick
        end
        object VoiceLoudest: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = ' Loudest'
          OnClick = VoiceLastClick
        end
      end
      object GroupStretch: TGroupBox
        Left = 214
        Top = 260
        Width = 96
        Height = 48
        Caption = 'Stretch Tune'
        object Stretch1: TSpeedButton
          Left = 5
          Top = 18
          Width = 21
          Height = 22
          GroupIndex = 1
          Caption = 'Off'
          Tag = 0
          OnClick = Stretch1Click
        end
        object Stretch2: TSpeedButton
          Left = 27
          Top = 18
          Width = 21
          Height = 22
          GroupIndex = 1
          Caption = '1'
          Tag = 1
          OnClick = Stretch1Click
        end
        object Stretch3: TSpeedButton
          Left = 49
          Top = 18
          Width = 21
          Height = 22
          GroupIndex = 1
          Caption = '2'
          Tag = 2
          OnClick = Stretch1Click
        end
        object Stretch4: TSpeedButton
          Left = 71
          Top = 18
          Width = 21
          Height = 22
          GroupIndex = 1
          Caption = '3'
          Tag = 3
          OnClick = Stretch1Click
        end
      end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 2'
      object GroupStruct12: TGroupBox
        Left = 8
        Top = 6
        Width = 266
        Height = 184
        Caption = 'Structure Tones 1 and 2'
        object PanelN12: TPanel
          Left = 42
          Top = 19
          Width = 182
          Height = 20
          BevelOuter = bvLowered
          Color = clAqua
          object Label12: TLabel
            Left = 0
            Top = 0
            Width = 180
            Height = 18
            Alignment = taCenter
            AutoSize = False
            Caption = 'Type 1'
            Layout = tlCenter
            Transparent = True
          end
        end
        object Image12: TImage
          Left = 8
          Top = 44
          Width = 250
          Height = 104
          Tag = 1
        end
        object Precedente: TBitBtn
          Left = 8
          Top = 18
          Width = 30
          Height = 22
          Caption = '<'
          OnClick = PrecedenteClick
        end
        object Successivo: TBitBtn
          Left = 228
          Top = 18
          Width = 30
          Height = 22
          Caption = '>'
          OnClick = SuccessivoClick
        end
        object LabelBoost1: TLabel
          Left = 8
          Top = 158
          Caption = 'Booster'
        end
        object Booster121: TSpeedButton
          Left = 56
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 2
          Caption = '0'
          Tag = 0
          OnClick = Booster121Click
        end
        object Booster122: TSpeedButton
          Left = 100
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 2
          Caption = '+6'
          Tag = 1
          OnClick = Booster121Click
        end
        object Booster123: TSpeedButton
          Left = 144
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 2
          Caption = '+12'
          Tag = 2
          OnClick = Booster121Click
        end
        object Booster124: TSpeedButton
          Left = 188
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 2
          Caption = ' +18 '
          Tag = 3
          OnClick = Booster121Click
        end
      end
      object GroupStruct34: TGroupBox
        Left = 282
        Top = 6
        Width = 266
        Height = 184
        Caption = 'Structure Tones 3 and 4'
        object PanelN34: TPanel
          Left = 42
          Top = 19
          Width = 182
          Height = 20
          BevelOuter = bvLowered
          Color = clAqua
          object Label34: TLabel
            Left = 0
            Top = 0
            Width = 180
            Height = 18
            Alignment = taCenter
            AutoSize = False
            Caption = 'Type 1'
            Layout = tlCenter
            Transparent = True
          end
        end
        object Image34: TImage
          Left = 8
          Top = 44
          Width = 250
          Height = 104
          Tag = 3
        end
        object BitBtn1: TBitBtn
          Left = 8
          Top = 18
          Width = 30
          Height = 22
          Caption = '<'
          OnClick = BitBtn1Click
        end
        object BitBtn2: TBitBtn
          Left = 228
          Top = 18
          Width = 30
          Height = 22
          Caption = '>'
          OnClick = BitBtn2Click
        end
        object LabelBoost3: TLabel
          Left = 8
          Top = 158
          Caption = 'Booster'
        end
        object Booster341: TSpeedButton
          Left = 56
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 3
          Caption = '0'
          Tag = 0
          OnClick = Booster341Click
        end
        object Booster342: TSpeedButton
          Left = 100
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 3
          Caption = '+6'
          Tag = 1
          OnClick = Booster341Click
        end
        object Booster343: TSpeedButton
          Left = 144
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 3
          Caption = '+12'
          Tag = 2
          OnClick = Booster341Click
        end
        object Booster344: TSpeedButton
          Left = 188
          Top = 154
          Width = 42
          Height = 22
          GroupIndex = 3
          Caption = ' +18 '
          Tag = 3
          OnClick = Booster341Click
        end
      end
      object GroupEfxCtrl: TGroupBox
        Left = 8
        Top = 196
        Width = 123
        Height = 80
        Caption = 'EFX Ctrl Hold/Peak'
        object EfxCtrlOff: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Off'
          OnClick = EfxCtrlOffClick
        end
        object EfxCtrlHold: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Hold'
          OnClick = EfxCtrlOffClick
        end
        object EfxCtrlPeak: TRadioButton
          Left = 8
          Top = 56
          Width = 86
          Height = 17
          Caption = 'Peak'
          OnClick = EfxCtrlOffClick
        end
      end
      object GroupCtrl1: TGroupBox
        Left = 135
        Top = 196
        Width = 123
        Height = 80
        Caption = 'Ctrl 1 Hold/Peak'
        object Ctrl1Off: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Off'
          OnClick = Ctrl1OffClick
        end
        object Ctrl1Hold: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Hold'
          OnClick = Ctrl1OffClick
        end
        object Ctrl1Peak: TRadioButton
          Left = 8
          Top = 56
          Width = 86
          Height = 17
          Caption = 'Peak'
          OnClick = Ctrl1OffClick
        end
      end
      object GroupCtrl2: TGroupBox
        Left = 262
        Top = 196
        Width = 123
        Height = 80
        Caption = 'Ctrl 2 Hold/Peak'
        object Ctrl2Off: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Off'
          OnClick = Ctrl2OffClick
        end
        object Ctrl2Hold: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Hold'
          OnClick = Ctrl2OffClick
        end
        object Ctrl2Peak: TRadioButton
          Left = 8
          Top = 56
          Width = 86
          Height = 17
          Caption = 'Peak'
          OnClick = Ctrl2OffClick
        end
      end
      object GroupCtrl3: TGroupBox
        Left = 389
        Top = 196
        Width = 123
        Height = 80
        Caption = 'Ctrl 3 Hold/Peak'
        object Ctrl3Off: TRadioButton
          Left = 8
          Top = 16
          Width = 86
          Height = 17
          Caption = 'Off'
          OnClick = Ctrl3OffClick
        end
        object Ctrl3Hold: TRadioButton
          Left = 8
          Top = 36
          Width = 86
          Height = 17
          Caption = 'Hold'
          OnClick = Ctrl3OffClick
        end
        object Ctrl3Peak: TRadioButton
          Left = 8
          Top = 56
          Width = 86
          Height = 17
          Caption = 'Peak'
          OnClick = Ctrl3OffClick
        end
      end
      object LabelPatchCtrlSource2: TLabel
        Left = 8
        Top = 312
        Caption = 'Control Source 2'
      end
      object PatchCtrlSource2: TComboBox
        Left = 104
        Top = 308
        Width = 110
        Height = 21
        Style = csDropDownList
        DropDownCount = 16
        ItemHeight = 13
        TabOrder = 0
        OnChange = PatchCtrlSource2Change
        Items.Strings = (
          'Off'
          'Sys-Ctrl 1'
          'Sys-Ctrl 2'
          'Modulation'
          'Breath'
          'Foot'
          'Volume'
          'Pan'
          'Expression'
          'Bender'
          'AfterTouch'
          'LFO 1'
          'LFO 2'
          'Velocity'
          'Keyfollow'
          'Playmate')
      end
      object LabelPatchCtrlSource3: TLabel
        Left = 264
        Top = 312
        Caption = 'Control Source 3'
      end
      object PatchCtrlSource3: TComboBox
        Left = 360
        Top = 308
        Width = 110
        Height = 21
        Style = csDropDownList
        DropDownCount = 16
        ItemHeight = 13
        TabOrder = 0
        OnChange = PatchCtrlSource3Change
        Items.Strings = (
          'Off'
          'Sys-Ctrl 1'
          'Sys-Ctrl 2'
          'Modulation'
          'Breath'
          'Foot'
          'Volume'
          'Pan'
          'Expression'
          'Bender'
          'AfterTouch'
          'LFO 1'
          'LFO 2'
          'Velocity'
          'Keyfollow'
          'Playmate')
      end
      object VelRangeSwitch: TCheckBox
        Left = 8
        Top = 284
        Width = 140
        Height = 17
        Caption = 'Vel Range Switch'
        OnClick = VelRangeSwitchClick
      end
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 380
    Width = 564
    Height = 36
    TabOrder = 1
    object BtnUndo: TButton
      Left = 8
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Undo'
      TabOrder = 0
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 90
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert'
      TabOrder = 1
      OnClick = BtnRevertClick
    end
    object Btnclose: TButton
      Left = 481
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      TabOrder = 2
      OnClick = BtncloseClick
    end
  end
end
