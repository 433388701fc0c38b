object FormExpansion: TFormExpansion
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Expansion Setup'
  ClientHeight = 246
  ClientWidth = 306
  Position = poScreenCenter
  HelpContext = 8
  OnShow = FormShow
  object Label1: TLabel
    Left = 16
    Top = 20
    Caption = 'Expansion A'
  end
  object ExpA: TComboBox
    Left = 100
    Top = 16
    Width = 192
    Style = csDropDownList
    DropDownCount = 18
    TabOrder = 0
    Items.Strings = (
      '( None )'
      'Pop        '
      'Orchestral     '
      'Piano        '
      'Vintage      '
      'World        '
      'Dance       '
      'Zelmo Sound      '
      'Key S60S70S     '
      'Session '
      'Bass & Drum'
      'Techno'
      'Hip Hop'
      'Vocal'
      'Asia'
      'Special EFX'
      'Orchestral II'
      'Country')
  end
  object Label2: TLabel
    Left = 16
    Top = 50
    Caption = 'Expansion B'
  end
  object ExpB: TComboBox
    Left = 100
    Top = 46
    Width = 192
    Style = csDropDownList
    DropDownCount = 18
    TabOrder = 1
    Items.Strings = (
      '( None )'
      'Pop        '
      'Orchestral     '
      'Piano        '
      'Vintage      '
      'World        '
      'Dance       '
      'Zelmo Sound      '
      'Key S60S70S     '
      'Session '
      'Bass & Drum'
      'Techno'
      'Hip Hop'
      'Vocal'
      'Asia'
      'Special EFX'
      'Orchestral II'
      'Country')
  end
  object Label3: TLabel
    Left = 16
    Top = 80
    Caption = 'Expansion C'
  end
  object ExpC: TComboBox
    Left = 100
    Top = 76
    Width = 192
    Style = csDropDownList
    DropDownCount = 18
    TabOrder = 2
    Items.Strings = (
      '( None )'
      'Pop        '
      'Orchestral     '
      'Piano        '
      'Vintage      '
      'World        '
      'Dance       '
      'Zelmo Sound      '
      'Key S60S70S     '
      'Session '
      'Bass & Drum'
      'Techno'
      'Hip Hop'
      'Vocal'
      'Asia'
      'Special EFX'
      'Orchestral II'
      'Country')
  end
  object Label4: TLabel
    Left = 16
    Top = 110
    Caption = 'Expansion D'
  end
  object ExpD: TComboBox
    Left = 100
    Top = 106
    Width = 192
    Style = csDropDownList
    DropDownCount = 18
    TabOrder = 3
    Items.Strings = (
      '( None )'
      'Pop        '
      'Orchestral     '
      'Piano        '
      'Vintage      '
      'World        '
      'Dance       '
      'Zelmo Sound      '
      'Key S60S70S     '
      'Session '
      'Bass & Drum'
      'Techno'
      'Hip Hop'
      'Vocal'
      'Asia'
      'Special EFX'
      'Orchestral II'
      'Country')
  end
  object Label5: TLabel
    Left = 16
    Top = 140
    Caption = 'PCM Card'
  end
  object PcmCard: TComboBox
    Left = 100
    Top = 136
    Width = 192
    Style = csDropDownList
    DropDownCount = 18
    TabOrder = 4
    Items.Strings = (
      '( None )'
      'Piano Selection'
      'Guitar & Brass'
      'Rock Drums'
      'Gand Piano'
      'Accordition'
      'Baroque'
      'Orchestral FX'
      'Country, Blue Grass, Folk')
  end
  object DataCard: TCheckBox
    Left = 16
    Top = 172
    Width = 160
    Height = 17
    Caption = ' Data Card Installed'
    TabOrder = 5
  end
  object BitBtn1: TBitBtn
    Left = 64
    Top = 206
    Width = 77
    Height = 25
    TabOrder = 6
    Kind = bkOK
    OnClick = BitBtn1Click
  end
  object BitBtn2: TBitBtn
    Left = 158
    Top = 206
    Width = 77
    Height = 25
    TabOrder = 7
    Kind = bkCancel
  end
end
