object FormEffect: TFormEffect
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Effect'
  ClientHeight = 408
  ClientWidth = 631
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 6
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object TabbedNotebook1: TTabbedNotebook
    Left = 4
    Top = 4
    Width = 623
    Height = 360
    PageIndex = 0
    TabOrder = 0
    OnChange = TabbedNotebook1Change
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 1'
      object Panel30: TPanel
        Left = 4
        Top = 4
        Width = 607
        Height = 146
          object PanelOutput: TPanel
            Left = 8
            Top = 4
            Width = 141
            Height = 44
            BevelWidth = 2
            object LabelOutputassign: TLabel
              Left = 8
              Top = 3
              Caption = 'EFX Output Assign'
            end
            object Outputassign: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 8
              ItemHeight = 13
              OnChange = OutputassignChange
              Items.Strings = (
                'Mix'
                'Output 1'
                'Output 2')
            end
          end
          object EfxOutputlevel: TPanSlider
            Left = 152
            Top = 4
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = EfxOutputlevelEndchange
            object LabelEfxOutputlevel: TLabel
              Left = 8
              Top = 5
              Caption = 'Output Level'
            end
          end
          object EfxReverbsendlevel: TPanSlider
            Left = 78
            Top = 50
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = EfxReverbsendlevelEndchange
            object LabelEfxReverbsendlevel: TLabel
              Left = 8
              Top = 5
              Caption = 'Reverb Send'
            end
          end
          object EfxChorusSendLevel: TPanSlider
            Left = 222
            Top = 50
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = EfxChorusSendLevelEndchange
            object LabelEfxChorusSendLevel: TLabel
              Left = 8
              Top = 5
              Caption = 'Chorus Send'
            end
          end
          object Panelefxsource: TPanel
            Left = 296
            Top = 50
            Width = 141
            Height = 44
            BevelWidth = 2
            object Labelefxsource: TLabel
              Left = 8
              Top = 3
              Caption = 'EFX Source'
            end
            object efxsource: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 16
              ItemHeight = 13
              OnChange = efxsourceChange
              Items.Strings = (
                'Perform'
                '1'
                '2'
                '3'
                '4'
                '5'
                '6'
                '7'
                '8'
                '9'
                '11'
                '12'
                '13'
                '14'
                '15'
                '16')
            end
          end
          object PanelCtrl1: TPanel
            Left = 8
            Top = 96
            Width = 141
            Height = 44
            BevelWidth = 2
            object LabelCtrl1: TLabel
              Left = 8
              Top = 3
              Caption = 'EFX Ctrl Source 1'
            end
            object EFXCtrlSource1: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 11
              ItemHeight = 13
              OnChange = EFXCtrlSource1Change
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
                'AfterTouch')
            end
          end
          object EfxCtrlDepth1: TPanSlider
            Left = 152
            Top = 96
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = -63
            Max = 63
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = EfxCtrlDepth1Endchange
            object LabelEfxCtrlDepth1: TLabel
              Left = 8
              Top = 5
              Caption = 'Depth 1'
            end
          end
          object PanelCtrl2: TPanel
            Left = 296
            Top = 96
            Width = 141
            Height = 44
            BevelWidth = 2
            object LabelCtrl2: TLabel
              Left = 8
              Top = 3
              Caption = 'EFX Ctrl Source 2'
            end
            object EfxCtrlSource2: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 11
              ItemHeight = 13
              OnChange = EfxCtrlSource2Change
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
                'AfterTouch')
            end
          end
          object EfxCtrlDepth2: TPanSlider
            Left = 440
            Top = 96
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = -63
            Max = 63
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = EfxCtrlDepth2Endchange
            object LabelEfxCtrlDepth2: TLabel
              Left = 8
              Top = 5
              Caption = 'Depth 2'
            end
          end
        end
        object Panel3: TPanel
          Left = 4
          Top = 154
          Width = 300
          Height = 150
          object LabelChorus: TLabel
            Left = 8
            Top = 2
            Caption = 'Chorus'
          end
          object ChorusLevel: TPanSlider
            Left = 4
            Top = 16
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ChorusLevelEndchange
            object LabelChorusLevel: TLabel
              Left = 8
              Top = 5
              Caption = 'Level'
            end
          end
          object ChorusRate: TPanSlider
            Left = 4
            Top = 60
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ChorusRateEndchange
            object LabelChorusRate: TLabel
              Left = 8
              Top = 5
              Caption = 'Rate'
            end
          end
          object ChorusDepth: TPanSlider
            Left = 4
            Top = 104
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ChorusDepthEndchange
            object LabelChorusDepth: TLabel
              Left = 8
              Top = 5
              Caption = 'Depth'
            end
          end
          object ChorusPredelay: TPanSlider
            Left = 150
            Top = 16
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ChorusPredelayEndchange
            object LabelChorusPredelay: TLabel
              Left = 8
              Top = 5
              Caption = 'Pre Delay'
            end
          end
          object Chorusfeedback: TPanSlider
            Left = 150
            Top = 60
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ChorusfeedbackEndchange
            object LabelChorusfeedback: TLabel
              Left = 8
              Top = 5
              Caption = 'Feedback'
            end
          end
          object PanelChorusOutput: TPanel
            Left = 150
            Top = 104
            Width = 141
            Height = 44
            BevelWidth = 2
            object LabelChorusOutputassign: TLabel
              Left = 8
              Top = 3
              Caption = 'Output Assign'
            end
            object ChorusOutputassign: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 8
              ItemHeight = 13
              OnChange = ChorusOutputassignChange
              Items.Strings = (
                'Mix'
                'Reverb'
                'Mix+Reverb')
            end
          end
        end
        object Panel4: TPanel
          Left = 308
          Top = 154
          Width = 303
          Height = 150
          object LabelReverb: TLabel
            Left = 8
            Top = 2
            Caption = 'Reverb'
          end
          object PanelReverbType: TPanel
            Left = 4
            Top = 16
            Width = 141
            Height = 44
            BevelWidth = 2
            object LabelReverbtype: TLabel
              Left = 8
              Top = 3
              Caption = 'Reverb Type'
            end
            object Reverbtype: TComboBox
              Left = 8
              Top = 18
              Width = 123
              Height = 21
              Style = csDropDownList
              DropDownCount = 8
              ItemHeight = 13
              OnChange = ReverbtypeChange
              Items.Strings = (
                'Room 1'
                'Room 2'
                'Stage 1'
                'Stage 2'
                'Hall 1'
                'Hall 2'
                'Delay'
                'Pan-Dly')
            end
          end
          object Reverblevel: TPanSlider
            Left = 4
            Top = 60
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ReverblevelEndchange
            object LabelReverblevel: TLabel
              Left = 8
              Top = 5
              Caption = 'Level'
            end
          end
          object ReverbTime: TPanSlider
            Left = 4
            Top = 104
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ReverbTimeEndchange
            object LabelReverbTime: TLabel
              Left = 8
              Top = 5
              Caption = 'Time'
            end
          end
          object Reverbfeedback: TPanSlider
            Left = 152
            Top = 16
            Width = 141
            Height = 44
            BevelWidth = 2
            Vertical = False
            Min = 0
            Max = 127
            SLeft = 10
            STop = 21
            SWidth = 120
            SHeight = 18
            ELeft = 100
            ETop = 4
            EWidth = 28
            EHeight = 15
            ThumbColor = 16744576
            TrackColor = clAqua
            ThumbHeight = 9
            TrackWidth = 7
            OnEndchange = ReverbfeedbackEndchange
            object LabelReverbfeedback: TLabel
              Left = 8
              Top = 5
              Caption = 'Feedback'
            end
          end
          object Panel7: TPanel
            Left = 152
            Top = 60
            Width = 141
            Height = 88
            BevelWidth = 2
            object LabelDamp: TLabel
              Left = 8
              Top = 4
              Caption = 'Reverb HF Damp '
            end
            object Precedente: TBitBtn
              Left = 8
              Top = 26
              Width = 24
              Height = 46
              Caption = '<'
              OnClick = PrecedenteClick
            end
            object Image1: TImage
              Left = 38
              Top = 26
              Width = 64
              Height = 46
            end
            object Successivo: TBitBtn
              Left = 108
              Top = 26
              Width = 24
              Height = 46
              Caption = '>'
              OnClick = SuccessivoClick
            end
          end
        end
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Page 2'
      object PanelEFX: TPanel
        Left = 4
        Top = 4
        Width = 602
        Height = 297
        BevelOuter = bvLowered
        object Panel15: TPanel
          Left = 156
          Top = 8
          Width = 289
          Height = 52
          BevelWidth = 2
          object LabelEfxType: TLabel
            Left = 10
            Top = 6
            Caption = 'EFX Type'
          end
          object EFXType: TComboBox
            Left = 10
            Top = 22
            Width = 220
            Height = 21
            Style = csDropDownList
            DropDownCount = 15
            ItemHeight = 13
            OnChange = EFXTypeChange
            Items.Strings = (
              '  1 : Stereo Equalizer'
              '  2 : Overdrive'
              '  3 : Distorsion'
              '  4 : Phaser'
              '  5 : Spectrum'
              '  6 : Enhancer'
              '  7 : Auto-Waw'
              '  8 : Rotary'
              '  9 : Compressor'
              '10 : Limiter'
              '11 : Hexa-Chorus'
              '12 : Tremolo-Chorus'
              '13 : Space-D'
              '14 : Stereo-Chorus'
              '15 : Stereo-Flanger'
              '16 : Step-Flanger'
              '17 : Stereo-Delay'
              '18 : Modulation-Delay'
              '19 : Triple-Tap-Delay'
              '20 : Quadruple-Tap-Delay'
              '21 : Time-Control-delay'
              '22 : Voice-Pitch-Shifter'
              '23 : FBK-Pitch-Shifter'
              '24 : Reverb'
              '25 : Gate-Reverb'
              '26 : Overdrive -> Chorus'
              '27 : Overdrive -> Flanger'
              '28 : Overdrive -> Delay'
              '29 : Distorsion -> Chorus'
              '30 : Distorsion -> Flanger'
              '31 : Distorsion -> Delay'
              '32 : Enhancer -> Chorus'
              '33 : Enhancer -> Flanger'
              '34 : Enhancer -> Delay'
              '35 : Chorus -> Delay'
              '36 : Flanger -> Delay'
              '37 : Chorus -> Flanger'
              '38 : Chorus / Delay'
              '39 : Flanger / Delay'
              '40 : Chorus / Flanger')
          end
        end
        object Panel23: TPanel
          Left = 156
          Top = 72
          Width = 289
          Height = 139
          BevelWidth = 2
          object Image2: TImage
            Left = 13
            Top = 14
            Width = 263
            Height = 111
          end
        end
      end
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 368
    Width = 623
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
      Left = 540
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      TabOrder = 2
      OnClick = BtncloseClick
    end
  end
  object Timer: TTimer
    Enabled = False
    OnTimer = TimerTimer
  end
end
