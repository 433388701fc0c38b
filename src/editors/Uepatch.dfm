object FormPatch: TFormPatch
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Patch'
  ClientHeight = 262
  ClientWidth = 474
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 38
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
    Width = 474
    Height = 262
    BevelOuter = bvNone
    FromColor = clNavy
    ToColor = clSkyBlue
    Steps = 40
    TabOrder = 0
    OnClick = FountainFill1Click
  end
  object PanelComEff: TPanel
    Left = 8
    Top = 8
    Width = 128
    Height = 32
    TabOrder = 1
    OnDragOver = FountainFill1DragOver
    OnMouseDown = Control1MouseDown
      object Common: TPanel
        Left = 6
        Top = 5
        Width = 56
        Height = 22
        Caption = 'Common'
        Color = clBtnFace
        Tag = 0
        OnDblClick = CommonDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Effects: TPanel
        Left = 66
        Top = 5
        Width = 56
        Height = 22
        Caption = 'Effects'
        Color = clBtnFace
        Tag = 0
        OnDblClick = EffectsDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
  end
  object PanelTone1: TPanel
    Left = 8
    Top = 48
    Width = 458
    Height = 32
    Tag = 1
    TabOrder = 2
    OnDragOver = FountainFill1DragOver
    OnMouseDown = Control1MouseDown
    object CheckBox1: TCheckBox
      Left = 6
      Top = 8
      Width = 60
      Height = 17
      Caption = 'Tone 1'
      Tag = 1
      TabOrder = 0
      OnClick = CheckBox1Click
    end
      object Wave1: TPanel
        Left = 70
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Wave'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Wave1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Pitch1: TPanel
        Left = 125
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Pitch'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Pitch1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object TVF: TPanel
        Left = 180
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVF'
        Color = clBtnFace
        Tag = 1
        OnDblClick = TVFDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tva1: TPanel
        Left = 235
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVA'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Tva1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo11: TPanel
        Left = 290
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 1'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Lfo11DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo21: TPanel
        Left = 345
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 2'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Lfo21DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Control1: TPanel
        Left = 400
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Control'
        Color = clBtnFace
        Tag = 1
        OnDblClick = Control1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
  end
  object PanelTone2: TPanel
    Left = 8
    Top = 86
    Width = 458
    Height = 32
    Tag = 2
    TabOrder = 3
    OnDragOver = FountainFill1DragOver
    OnMouseDown = Control1MouseDown
    object CheckBox2: TCheckBox
      Left = 6
      Top = 8
      Width = 60
      Height = 17
      Caption = 'Tone 2'
      Tag = 2
      TabOrder = 0
      OnClick = CheckBox1Click
    end
      object Wave2: TPanel
        Left = 70
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Wave'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Wave1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Pitch2: TPanel
        Left = 125
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Pitch'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Pitch1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tvf2: TPanel
        Left = 180
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVF'
        Color = clBtnFace
        Tag = 2
        OnDblClick = TVFDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tva2: TPanel
        Left = 235
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVA'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Tva1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo12: TPanel
        Left = 290
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO1'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Lfo11DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo22: TPanel
        Left = 345
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 2'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Lfo21DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Control2: TPanel
        Left = 400
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Control'
        Color = clBtnFace
        Tag = 2
        OnDblClick = Control1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
  end
  object PanelTone3: TPanel
    Left = 8
    Top = 124
    Width = 458
    Height = 32
    Tag = 3
    TabOrder = 4
    OnDragOver = FountainFill1DragOver
    OnMouseDown = Control1MouseDown
    object CheckBox3: TCheckBox
      Left = 6
      Top = 8
      Width = 60
      Height = 17
      Caption = 'Tone 3'
      Tag = 3
      TabOrder = 0
      OnClick = CheckBox1Click
    end
      object Wave3: TPanel
        Left = 70
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Wave'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Wave1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Pitch3: TPanel
        Left = 125
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Pitch'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Pitch1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tvf3: TPanel
        Left = 180
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVF'
        Color = clBtnFace
        Tag = 3
        OnDblClick = TVFDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tva3: TPanel
        Left = 235
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVA'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Tva1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo13: TPanel
        Left = 290
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 1'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Lfo11DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo23: TPanel
        Left = 345
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 2'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Lfo21DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Control3: TPanel
        Left = 400
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Control'
        Color = clBtnFace
        Tag = 3
        OnDblClick = Control1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
  end
  object PanelTone4: TPanel
    Left = 8
    Top = 162
    Width = 458
    Height = 32
    Tag = 4
    TabOrder = 5
    OnDragOver = FountainFill1DragOver
    OnMouseDown = Control1MouseDown
    object CheckBox4: TCheckBox
      Left = 6
      Top = 8
      Width = 60
      Height = 17
      Caption = 'Tone 4'
      Tag = 4
      TabOrder = 0
      OnClick = CheckBox1Click
    end
      object Wave4: TPanel
        Left = 70
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Wave'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Wave1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Pitch4: TPanel
        Left = 125
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Pitch'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Pitch1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tvf4: TPanel
        Left = 180
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVF'
        Color = clBtnFace
        Tag = 4
        OnDblClick = TVFDblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Tva4: TPanel
        Left = 235
        Top = 5
        Width = 52
        Height = 22
        Caption = 'TVA'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Tva1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo14: TPanel
        Left = 290
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 1'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Lfo11DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object Lfo24: TPanel
        Left = 345
        Top = 5
        Width = 52
        Height = 22
        Caption = 'LFO 2'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Lfo21DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
      object control4: TPanel
        Left = 400
        Top = 5
        Width = 52
        Height = 22
        Caption = 'Control'
        Color = clBtnFace
        Tag = 4
        OnDblClick = Control1DblClick
        OnDragOver = Control1DragOver
        OnEndDrag = Control1EndDrag
        OnMouseDown = Control1MouseDown
      end
  end
  object Panel1: TPanel
    Left = 8
    Top = 208
    Width = 458
    Height = 46
    TabOrder = 6
    OnDragOver = FountainFill1DragOver
    object SpeedNuovo: TSpeedButton
      Left = 6
      Top = 8
      Width = 60
      Height = 30
      Hint = 'New'
      Caption = 'New'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedNuovoClick
    end
    object SpeedCarica: TSpeedButton
      Left = 70
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Load Sysex'
      Caption = 'Load'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedCaricaClick
    end
    object SpeedSalva: TSpeedButton
      Left = 134
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Save Sysex'
      Caption = 'Save'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSalvaClick
    end
    object SpeedSaveAs: TSpeedButton
      Left = 198
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Save as'
      Caption = 'Save as'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSaveAsClick
    end
    object SpeedSend: TSpeedButton
      Left = 262
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Send '
      Caption = 'Send'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedSendClick
    end
    object SpeedReceive: TSpeedButton
      Left = 326
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Receive'
      Caption = 'Receive'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedReceiveClick
    end
    object SpeedHelp: TSpeedButton
      Left = 390
      Top = 8
      Width = 60
      Height = 30
      Hint = 'Help'
      Caption = 'Help'
      ParentShowHint = False
      ShowHint = True
      OnClick = SpeedHelpClick
    end
  end
end
