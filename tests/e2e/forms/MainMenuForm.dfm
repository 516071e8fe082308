object MainMenuForm: TMainMenuForm
  Left = 120
  Top = 100
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  Caption = 'Main menu journey'
  ClientHeight = 260
  ClientWidth = 420
  Color = clBtnFace
  Menu = MainMenu1
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
      object mnuLine: TMenuItem
        Caption = '-'
      end
      object mnuQuit: TMenuItem
        Caption = '&Quit'
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
    object mnuHidden: TMenuItem
      Caption = 'Hidden'
      Visible = False
    end
    object mnuAbout: TMenuItem
      Caption = '&About'
      OnClick = HostClick
    end
  end
end
