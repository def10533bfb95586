#include "framework/Resources.h"

#include <QPixmap>

#include "res/ResourceIds.h"
#include "res/AppIcon16.xpm"
#include "res/AppIcon32.xpm"

namespace kirabo {

namespace {

using namespace ControlStyle;

const DialogTemplate& MainDialog() {
  static const DialogTemplate main{
      kMainDialogTemplate,
      "Kirabo",
      320,
      169,
      "ＭＳ Ｐゴシック",
      11,
      DialogStyle::Caption | DialogStyle::SystemMenu | DialogStyle::ModalFrame | DialogStyle::Visible |
          DialogStyle::AppWindow,
      {
          {1, ControlKind::PushButton, DefaultButton | TabStop, "開始", {7, 145, 249, 17}, {}, 0},
          {kExitButton, ControlKind::PushButton, TabStop, "終了", {263, 145, 50, 17}, {}, 0},
          {kStatusText, ControlKind::StaticText, LeftWordWrap | Group | PathEllipsis, "", {7, 77, 306, 61}, {}, 0},
          {NoControlId, ControlKind::GroupBox, 0, "フォルダ", {7, 7, 306, 29}, {}, 0},
          {kFolderField, ControlKind::EditField, Border | AutoHScroll | TabStop, "", {14, 17, 262, 13}, {}, 0},
          {kBrowseButton, ControlKind::PushButton, TabStop, "参照", {276, 17, 30, 13}, {}, 0},
          {kFormatList,
           ControlKind::ComboBox,
           DropDownList | Sort | VScroll | TabStop,
           "",
           {14, 55, 292, 35},
           {"1:yymmdd_hhmmss (041005_092510.CRW)", "2:hhmmss (092510.CRW)"},
           0},
          {NoControlId, ControlKind::GroupBox, 0, "ファイル名形式(撮影日が 2004/10/5 9:25:10 の場合)",
           {7, 41, 306, 32}, {}, 0},
      }};
  return main;
}

const DialogTemplate& AboutDialog() {
  static const DialogTemplate about{
      kAboutDialogTemplate,
      "Kiraboのﾊﾞｰｼﾞｮﾝ情報",
      235,
      55,
      "ＭＳ Ｐゴシック",
      9,
      DialogStyle::Caption | DialogStyle::SystemMenu | DialogStyle::ModalFrame,
      {
          {NoControlId, ControlKind::Icon, 0, "", {11, 17, 20, 20}, {}, kAppIcon},
          {1, ControlKind::PushButton, DefaultButton | Group | TabStop, "OK", {178, 7, 50, 14}, {}, 0},
      }};
  return about;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case kMainDialogTemplate:
      return &MainDialog();
    case kAboutDialogTemplate:
      return &AboutDialog();
    default:
      return nullptr;
  }
}

std::string LoadResourceString(int id) { return id == kAboutMenuString ? "Kirabo のﾊﾞｰｼﾞｮﾝ情報(&A)..." : ""; }

QIcon LoadResourceIcon(int id) {
  QIcon icon;
  if (id == kAppIcon) {
    icon.addPixmap(QPixmap(kAppIcon32));
    icon.addPixmap(QPixmap(kAppIcon16));
  }
  return icon;
}

}  // namespace kirabo
