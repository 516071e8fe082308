object OMR_Splash: TOMR_Splash
  Left = 0
  Top = 0
  AutoSize = True
  BorderIcons = []
  BorderStyle = bsNone
  Caption = 'Ombrix Free'
  ClientHeight = 99
  ClientWidth = 509
  Color = clBtnFace
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 509
    Height = 99
    AutoSize = True
  end
end
