object Form1: TForm1
  Left = 192
  Top = 120
  BorderIcons = []
  BorderStyle = bsSizeable
  Caption = 'Ombrix Free'
  ClientHeight = 300
  ClientWidth = 600
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  ActiveControl = skSkinScrollpanel1
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  ShowHint = True
  TextHeight = 13
  object ROOT: TskSkinPanel
    Left = 0
    Top = 0
    Width = 600
    Height = 300
    SkinData = skSkinData1
    SkinDataName = 'panel'
    BorderStyle = bvNone
    TabOrder = 0
    object toppanel: TskSkinPanel
      Left = 0
      Top = 0
      Width = 600
      Height = 34
      Align = alTop
      SkinData = skSkinData1
      SkinDataName = 'toolpanel'
      BorderStyle = bvNone
      TabOrder = 0
      object file_button: TskSkinSpeedButton
        Left = 4
        Top = 4
        Width = 70
        Height = 26
        Hint = 'Add file(s) to convert'
        ShowHint = True
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Add files'
        OnClick = skSkinSpeedButton5Click
      end
      object folder_button: TskSkinSpeedButton
        Left = 78
        Top = 4
        Width = 74
        Height = 26
        Hint = 'Select folder with files to convert'
        ShowHint = True
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Add folder'
        OnClick = skSkinSpeedButton4Click
      end
      object devicebox: TskSkinComboBox
        Left = 156
        Top = 6
        Width = 186
        Height = 22
        Hint = 'The device the videos are made for'
        SkinData = skSkinData1
        SkinDataName = 'combobox'
        UseSkinSize = False
        TabOrder = 0
        OnChange = deviceboxChange
      end
      object vq: TskSkinSlider
        Left = 346
        Top = 7
        Width = 88
        Height = 20
        Hint = 'Video quality'
        SkinData = skSkinData1
        SkinDataName = 'slider'
        MaxValue = 100
        Value = 50
        Increment = 5
        TabOrder = 1
        OnChange = vqChange
      end
      object skSkinStdLabel1: TskSkinStdLabel
        Left = 436
        Top = 10
        Width = 108
        Height = 16
        SkinData = skSkinData1
        SkinDataName = 'stdlabel'
        AutoSize = False
        Caption = '500 Kbps'
      end
      object skSkinSpeedButton5: TskSkinSpeedButton
        Left = 546
        Top = 4
        Width = 50
        Height = 26
        Hint = 'Help'
        ShowHint = True
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Help'
        OnClick = eyesClick
      end
    end
    object optionpanel: TskSkinPanel
      Left = 0
      Top = 34
      Width = 600
      Height = 28
      Align = alTop
      SkinData = skSkinData1
      SkinDataName = 'toolpanel'
      BorderStyle = bvNone
      TabOrder = 1
      object skSkinStdLabel2: TskSkinStdLabel
        Left = 6
        Top = 7
        Width = 72
        Height = 16
        SkinData = skSkinData1
        SkinDataName = 'stdlabel'
        AutoSize = False
        Caption = 'Screen size'
      end
      object screensize: TskSkinComboBox
        Left = 80
        Top = 3
        Width = 96
        Height = 22
        SkinData = skSkinData1
        SkinDataName = 'combobox'
        UseSkinSize = False
        Items.Strings = (
          '176 x 144'
          '320 x 240'
          '480 x 272'
          '480 x 320'
          '640 x 480')
        TabOrder = 0
        OnChange = screensizeChange
      end
      object res: TskSkinStdLabel
        Left = 182
        Top = 7
        Width = 70
        Height = 16
        SkinData = skSkinData1
        SkinDataName = 'stdlabel'
        AutoSize = False
        Caption = ''
      end
      object dvdnav: TskSkinCheckRadioBox
        Left = 254
        Top = 4
        Width = 120
        Height = 20
        SkinData = skSkinData1
        SkinDataName = 'checkbox'
        Caption = 'Nicer subtitles'
        TabOrder = 1
        TabStop = True
      end
    end
    object croppanel: TskSkinPanel
      Left = 0
      Top = 62
      Width = 600
      Height = 24
      Align = alTop
      SkinData = skSkinData1
      SkinDataName = 'toolpanel'
      BorderStyle = bvNone
      TabOrder = 6
      object radiobutton1: TskSkinCheckRadioBox
        Left = 6
        Top = 2
        Width = 110
        Height = 20
        Hint = 'Keep the whole picture'
        SkinData = skSkinData1
        SkinDataName = 'radiobox'
        Radio = True
        GroupIndex = 1
        Caption = 'No cropping'
        TabOrder = 0
        TabStop = True
      end
      object radiobutton2: TskSkinCheckRadioBox
        Left = 120
        Top = 2
        Width = 200
        Height = 20
        Hint = 'Cut away the black bars the file has'
        SkinData = skSkinData1
        SkinDataName = 'radiobox'
        Radio = True
        GroupIndex = 1
        Caption = 'Remove black bars from file'
        TabOrder = 1
        TabStop = True
      end
      object radiobutton3: TskSkinCheckRadioBox
        Left = 324
        Top = 2
        Width = 220
        Height = 20
        Hint = 'Cut away the black bars and fill the device screen'
        SkinData = skSkinData1
        SkinDataName = 'radiobox'
        Radio = True
        GroupIndex = 1
        Checked = True
        Caption = 'Remove black bars from device'
        TabOrder = 2
        TabStop = True
      end
    end
    object bottompanel: TskSkinPanel
      Left = 0
      Top = 214
      Width = 600
      Height = 86
      Align = alBottom
      SkinData = skSkinData1
      SkinDataName = 'toolpanel'
      BorderStyle = bvNone
      TabOrder = 2
      object skSkinSpeedButton3: TskSkinSpeedButton
        Left = 4
        Top = 4
        Width = 80
        Height = 26
        Hint = 'Select destination folder'
        ShowHint = True
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Destination'
        OnClick = skSkinSpeedButton3Click
      end
      object skskinlabel1: TskSkinGauge
        Left = 88
        Top = 5
        Width = 380
        Height = 24
        Anchors = [akLeft, akTop, akRight]
        Hint = 'Click to open the destination folder'
        SkinData = skSkinData1
        SkinDataName = 'statusgauge'
        UseSkinSize = False
        Value = 0
        ShowProgressText = True
        OnMouseDown = skskinlabel1MouseDown
      end
      object go_button: TskSkinSpeedButton
        Left = 474
        Top = 3
        Width = 60
        Height = 28
        Anchors = [akTop, akRight]
        Hint = 'Start conversion'
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Start'
        OnClick = skSkinSpeedButton1Click
      end
      object skip_button: TskSkinSpeedButton
        Left = 536
        Top = 3
        Width = 60
        Height = 28
        Anchors = [akTop, akRight]
        Enabled = False
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Caption = 'Skip'
        OnClick = skSkinSpeedButton2Click
      end
      object status: TskSkinGauge
        Left = 4
        Top = 34
        Width = 592
        Height = 22
        Anchors = [akLeft, akTop, akRight]
        SkinData = skSkinData1
        SkinDataName = 'statusgauge'
        UseSkinSize = False
        Value = 0
        ShowProgressText = True
      end
      object banner: TskSkinSpeedButton
        Left = 4
        Top = 60
        Width = 592
        Height = 22
        Anchors = [akLeft, akTop, akRight]
        Cursor = crHandPoint
        SkinData = skSkinData1
        SkinDataName = 'toolbutton'
        Flat = True
        Caption = ''
        OnClick = bannerClick
      end
    end
    object skSkinScrollpanel1: TskSkinScrollBox
      Left = 0
      Top = 62
      Width = 600
      Height = 152
      Align = alClient
      PopupMenu = PopupMenu1
      SkinData = skSkinData1
      SkinDataName = 'scrollbox'
      VScrollBar = skSkinScrollBar1
      CanFocused = True
      TabOrder = 3
    end
    object skSkinScrollBar1: TskSkinScrollBar
      Left = 581
      Top = 62
      Width = 19
      Height = 152
      Align = alRight
      Visible = False
      SkinData = skSkinData1
      SkinDataName = 'vscrollbar'
      Kind = sbVertical
      SmallChange = 47
    end
    object textpanel: TskSkinPanel
      Left = 0
      Top = 62
      Width = 600
      Height = 152
      Align = alClient
      SkinData = skSkinData1
      SkinDataName = 'panel'
      BorderStyle = bvNone
      TabOrder = 4
      object textlabel: TskSkinStdLabel
        Left = 0
        Top = 0
        Width = 600
        Height = 152
        Align = alClient
        Alignment = taCenter
        Layout = tlCenter
        AutoSize = False
        SkinData = skSkinData1
        SkinDataName = 'stdlabel'
        Caption = 'Drop videos or a DVD folder on this window'
      end
    end
    object skSkinSpeedButton1: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
      Caption = 'Start'
    end
    object skSkinSpeedButton2: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
      Caption = 'Skip'
    end
    object go_glyph: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
    end
    object stop_glyph: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
    end
    object skip_glyph: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
    end
    object no_glyph: TskSkinSpeedButton
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Visible = False
    end
    object skSkinEdit1: TskSkinEdit
      Left = 0
      Top = 0
      Width = 10
      Height = 21
      Visible = False
      TabOrder = 5
    end
  end
  object skf: TskFormFrame
    SkinData = skSkinData1
    MenusSkinData = skSkinData1
    SupportNCArea = True
    Sizeable = True
    DraggAble = False
    Magnetic = False
    BorderIcons = [biSystemMenu, biMinimize, biMaximize]
    UseDefaultSysMenu = True
    ShowObjectHint = False
    ShowIcon = True
    AlphaBlend = False
    MinWidth = 608
    MinHeight = 332
  end
  object skSkinData1: TskSkinData
    SkinnableForm = True
    EnableSkinEffects = True
    ShowButtonGlowFrames = True
    ShowCaptionButtonGlowFrames = True
    CompressedStoredSkin = skCompressedStoredSkin1
    SkinIndex = 0
  end
  object skCompressedStoredSkin1: TskCompressedStoredSkin
    Description = 'The window and its controls'
    FileName = 'slate.ini'
  end
  object skSkinData2: TskSkinData
    SkinnableForm = True
    EnableSkinEffects = True
    ShowButtonGlowFrames = True
    ShowCaptionButtonGlowFrames = True
    CompressedStoredSkin = skCompressedStoredSkin2
    SkinIndex = 0
  end
  object skCompressedStoredSkin2: TskCompressedStoredSkin
    Description = 'Check boxes, track boxes and progress bars of the queue rows'
    FileName = 'rows.ini'
  end
  object skSkinData3: TskSkinData
    SkinnableForm = True
    EnableSkinEffects = True
    ShowButtonGlowFrames = True
    ShowCaptionButtonGlowFrames = True
    CompressedStoredSkin = skCompressedStoredSkin3
    SkinIndex = 0
  end
  object skCompressedStoredSkin3: TskCompressedStoredSkin
    Description = 'Captions of the queue rows'
    FileName = 'labels.ini'
  end
  object skSkinData4: TskSkinData
    SkinnableForm = True
    EnableSkinEffects = True
    ShowButtonGlowFrames = True
    ShowCaptionButtonGlowFrames = True
    CompressedStoredSkin = skCompressedStoredSkin4
    SkinIndex = 0
  end
  object skCompressedStoredSkin4: TskCompressedStoredSkin
    Description = 'Output names of the queue rows'
    FileName = 'edits.ini'
  end
  object skSkinHint1: TskSkinHint
    SkinData = skSkinData1
  end
  object bannertimer: TTimer
    Interval = 5000
    OnTimer = bannertimerTimer
  end
  object PopupMenu1: TskSkinPopupMenu
    SkinData = skSkinData1
    object cc: TMenuItem
      AutoCheck = True
      Caption = 'Use Closed Captions when available'
    end
  end
end
