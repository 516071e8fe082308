object FrameMenuForm: TFrameMenuForm
  Left = 120
  Top = 100
  Caption = 'Frame menu journey'
  ClientHeight = 260
  ClientWidth = 420
  Color = clBtnFace
  object skf: TskFormFrame
    SkinData = skSkinData1
    MenusSkinData = skSkinData1
    MainMenu = MainMenu1
    BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  end
  object skSkinData1: TskSkinData
  end
  object MainMenu1: TMainMenu
    object mnuFile: TMenuItem
      Caption = '&File'
      object mnuOpen: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = HostClick
      end
      object mnuSave: TMenuItem
        Caption = '&Save'
        OnClick = HostClick
      end
    end
    object mnuEdit: TMenuItem
      Caption = '&Edit'
      object mnuCopy: TMenuItem
        Caption = '&Copy'
        OnClick = HostClick
      end
      object mnuPaste: TMenuItem
        Caption = '&Paste'
        OnClick = HostClick
      end
    end
    object mnuView: TMenuItem
      Caption = '&View'
      Enabled = False
      object mnuZoom: TMenuItem
        Caption = '&Zoom'
        OnClick = HostClick
      end
    end
    object mnuAbout: TMenuItem
      Caption = '&About'
      OnClick = HostClick
    end
  end
end
