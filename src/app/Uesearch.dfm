object FormSearch: TFormSearch
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Search Items'
  ClientHeight = 440
  ClientWidth = 536
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  object Panel: TPanel
    Left = 4
    Top = 4
    Width = 528
    Height = 396
    BevelOuter = bvLowered
    TabOrder = 0
    object LabelName: TLabel
      Left = 8
      Top = 12
      Width = 28
      Height = 13
      Caption = 'Name'
    end
    object Label5: TLabel
      Left = 292
      Top = 12
      Width = 44
      Height = 13
      Caption = 'Progress'
    end
    object SearchString: TEdit
      Left = 44
      Top = 8
      Width = 150
      Height = 21
      MaxLength = 12
      TabOrder = 0
    end
    object Btnsearch: TButton
      Left = 204
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Search'
      Default = True
      TabOrder = 1
      OnClick = BtnsearchClick
    end
    object Gauge: TGauge
      Left = 344
      Top = 10
      Width = 172
      Height = 20
      ForeColor = clAqua
    end
    object GroupBoxFor: TGroupBox
      Left = 8
      Top = 40
      Width = 128
      Height = 100
      Caption = 'Search For'
      TabOrder = 2
      object Patch: TCheckBox
        Left = 10
        Top = 18
        Width = 110
        Height = 17
        Caption = ' Patch'
        Checked = True
        State = cbChecked
        TabOrder = 0
      end
      object Performance: TCheckBox
        Left = 10
        Top = 37
        Width = 110
        Height = 17
        Caption = ' Performance'
        Checked = True
        State = cbChecked
        TabOrder = 1
      end
      object Rhythm: TCheckBox
        Left = 10
        Top = 56
        Width = 110
        Height = 17
        Caption = ' Rhythm'
        Checked = True
        State = cbChecked
        TabOrder = 2
      end
      object system: TCheckBox
        Left = 10
        Top = 75
        Width = 110
        Height = 17
        Caption = ' System'
        Checked = True
        State = cbChecked
        TabOrder = 3
      end
    end
    object GroupBoxVari: TGroupBox
      Left = 144
      Top = 40
      Width = 160
      Height = 100
      Caption = 'Options'
      TabOrder = 3
      object CaseSens: TCheckBox
        Left = 10
        Top = 16
        Width = 140
        Height = 16
        Caption = ' Case Sensitive'
        TabOrder = 0
      end
      object substring: TCheckBox
        Left = 10
        Top = 32
        Width = 140
        Height = 16
        Caption = ' Substring'
        Checked = True
        State = cbChecked
        TabOrder = 1
      end
      object Date: TCheckBox
        Left = 10
        Top = 48
        Width = 140
        Height = 16
        Caption = ' Date'
        TabOrder = 2
        OnClick = DateClick
      end
      object Time: TCheckBox
        Left = 10
        Top = 64
        Width = 140
        Height = 16
        Caption = ' Time'
        TabOrder = 3
        OnClick = DateClick
      end
      object Selected: TCheckBox
        Left = 10
        Top = 80
        Width = 140
        Height = 16
        Caption = ' Search into Selected'
        TabOrder = 4
      end
    end
    object GroupDate: TGroupBox
      Left = 312
      Top = 40
      Width = 204
      Height = 48
      Caption = 'Modified Date'
      TabOrder = 4
      object FromDate: TMaskEdit
        Left = 10
        Top = 18
        Width = 84
        Height = 21
        EditMask = '!99/99/00;1;_'
        MaxLength = 8
        TabOrder = 0
      end
      object Todate: TMaskEdit
        Left = 108
        Top = 18
        Width = 84
        Height = 21
        EditMask = '!99/99/00;1;_'
        MaxLength = 8
        TabOrder = 1
      end
    end
    object GroupTime: TGroupBox
      Left = 312
      Top = 92
      Width = 204
      Height = 48
      Caption = 'Modified Time'
      TabOrder = 5
      object Fromtime: TMaskEdit
        Left = 10
        Top = 18
        Width = 84
        Height = 21
        EditMask = '!90:00:00;1;_'
        MaxLength = 8
        TabOrder = 0
      end
      object Totime: TMaskEdit
        Left = 108
        Top = 18
        Width = 84
        Height = 21
        EditMask = '!90:00:00;1;_'
        MaxLength = 8
        TabOrder = 1
      end
    end
    object GroupCaseDeb: TGroupBox
      Left = 144
      Top = 40
      Width = 200
      Height = 60
      Caption = 'Options'
      TabOrder = 6
      Visible = False
      object DebCaseSens: TCheckBox
        Left = 10
        Top = 18
        Width = 180
        Height = 17
        Caption = ' Case Sensitive'
        TabOrder = 0
      end
      object SelectedDebug: TCheckBox
        Left = 10
        Top = 37
        Width = 180
        Height = 17
        Caption = ' Search Into Selected'
        TabOrder = 1
      end
    end
    object Header: THeader
      Left = 8
      Top = 148
      Width = 512
      Height = 20
      AllowResize = False
      Sections.Strings = (
        'Type'
        'Name'
        'Modified Date'
        'Location')
    end
    object DrawGrid: TDrawGrid
      Left = 8
      Top = 168
      Width = 512
      Height = 218
      ColCount = 1
      DefaultColWidth = 490
      DefaultRowHeight = 18
      FixedCols = 0
      RowCount = 1
      FixedRows = 0
      Options = []
      ScrollBars = ssVertical
      TabOrder = 7
      OnDrawCell = DrawGridDrawCell
    end
  end
  object BitBtn1: TBitBtn
    Left = 64
    Top = 408
    Width = 90
    Height = 25
    Caption = '&Close'
    TabOrder = 1
    OnClick = BitBtn1Click
  end
  object StampaBtn: TButton
    Left = 222
    Top = 408
    Width = 90
    Height = 25
    Caption = 'Print'
    TabOrder = 2
    OnClick = StampaBtnClick
  end
  object Savetodisk: TButton
    Left = 380
    Top = 408
    Width = 90
    Height = 25
    Caption = 'Save To Disk'
    TabOrder = 3
    OnClick = SavetodiskClick
  end
end
