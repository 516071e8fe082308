object FrameSkinForm: TFrameSkinForm
  Left = 200
  Top = 160
  Caption = 'Skin change journey'
  ClientHeight = 200
  ClientWidth = 400
  Color = clBtnFace
  object skf: TskFormFrame
    SkinData = skSkinData1
    MenusSkinData = skSkinData1
    BorderIcons = [biSystemMenu, biMinimize, biMaximize, biRollUp]
    Magnetic = True
    MagneticSize = 10
  end
  object skSkinData1: TskSkinData
  end
  object OkButton: TskSkinButton
    Left = 16
    Top = 140
    Width = 120
    Height = 30
    TabOrder = 0
    SkinData = skSkinData1
    SkinDataName = 'button'
    Caption = 'OK'
    OnClick = HostClick
  end
  object NextSkin: TskSkinSpeedButton
    Left = 16
    Top = 16
    Width = 120
    Height = 26
    SkinData = skSkinData1
    SkinDataName = 'toolbutton'
    Caption = 'Next skin'
    OnClick = HostNextSkin
  end
  object NameEdit: TskSkinEdit
    Left = 16
    Top = 70
    Width = 240
    Height = 24
    TabOrder = 1
    SkinData = skSkinData1
    SkinDataName = 'edit'
    Text = 'clip one'
  end
end
