#include "core/settings/command_table.h"

#include <array>

namespace zorvel {

namespace {

using C = CommandId;
using H = HotKeyCommand;

// Each entry: id, name, menu, item, caption, hint, key, hot key, separator
// before, checkable, fixed key.
constexpr std::array<CommandEntry, kCommandCount> kCommands{{
    {C::OpenFile,
     "OpenFile",
     "File1",
     "FileOpenItem",
     "開啟舊檔 (&O)...",
     "Open an existing file",
     "Ctrl+O",
     {},
     false,
     false,
     true},
    {C::SaveFile,
     "SaveFile",
     "File1",
     "FileSaveItem",
     "儲存檔案 (&S)",
     "Save current file",
     "Ctrl+S",
     {},
     false,
     false,
     true},
    {C::SaveFileAs, "SaveFileAs", "File1", "FileSaveAsItem", "另存新檔 (&A)...",
     "Save current file under a new name", ""},
    {C::Exit, "Exit", "File1", "FileExitItem", "離開 (&X)", "Exit this application", "", {}, true},
    {C::Undo, "Undo", "Edit1", "EditUndoItem", "復原 (&U)", "", ""},
    {C::Cut, "Cut", "Edit1", "EditCutItem", "剪下 (&T)", "Delete selected item", "", {}, true},
    {C::Copy, "Copy", "Edit1", "EditCopyItem", "複製 (&C)", "Copy selected item to clipboard", ""},
    {C::Paste, "Paste", "Edit1", "EditPasteItem", "貼上 (&P)", "Paste contents of clipboard", ""},
    {C::SelectAll, "SelectAll", "Edit1", "A1", "全選 (&A)", "", "", {}, true},
    {C::ToggleMainToolbar, "ToggleMainToolbar", "miToolBarMenu", "miMain", "一般", "", "", {}, false, true},
    {C::ToggleTextToolbar, "ToggleTextToolbar", "miToolBarMenu", "miText", "文字區", "", "", {}, false, true},
    {C::ToggleImageToolbar,
     "ToggleImageToolbar",
     "miToolBarMenu",
     "miImage",
     "圖形區",
     "",
     "",
     {},
     false,
     true},
    {C::ToggleSpecialToolbar,
     "ToggleSpecialToolbar",
     "miToolBarMenu",
     "miSpecial",
     "特殊用途",
     "",
     "",
     {},
     false,
     true},
    {C::ToggleBigButtonToolbar,
     "ToggleBigButtonToolbar",
     "miToolBarMenu",
     "miBigOne",
     "大按鈕",
     "",
     "",
     {},
     false,
     true},
    {C::Options, "Options", "Tools1", "miOption", "選項...(&O)", "", "", {}, true},
    {C::FindNextMark, "FindNextMark", "Text1", "miFindSign", "尋找差異符號", "", "F2", H::FindSign},
    {C::ShowCharacterOnPage, "ShowCharacterOnPage", "Text1", "miShowWord", "秀出圖形位置", "", "F3",
     H::ShowWord},
    {C::ChooseReading, "ChooseReading", "Text1", "miSelectWord", "選擇正確字串", "", "F4", H::SelectWord},
    {C::RunLoop, "RunLoop", "Text1", "miAll", "以上三者全部", "", "F1", H::All, true},
    {C::EditReplaceTable, "EditReplaceTable", "Text1", "N22", "設定取代字串...", "", "", {}, true},
    {C::RunReplaceTable, "RunReplaceTable", "Text1", "N24", "進行字串取代", "", ""},
    {C::FindAndReplace,
     "FindAndReplace",
     "Text1",
     "N3",
     "尋找與取代...",
     "",
     "Ctrl+F",
     {},
     true,
     false,
     true},
    {C::ChooseTextFont, "ChooseTextFont", "Text1", "N19", "設定字型...", "", ""},
    {C::Bookmarks, "Bookmarks", "Text1", "N21", "書籤...", "", ""},
    {C::OpenPage, "OpenPage", "Picture1", "N14", "開啟大正藏圖檔", "", ""},
    {C::SaveCalibration, "SaveCalibration", "Picture1", "N15", "儲存圖形偏移資訊", "", ""},
    {C::LoadPageRun, "LoadPageRun", "Picture1", "N7", "連續開啟圖檔...", "", "", {}, true},
    {C::PreviousPage, "PreviousPage", "Picture1", "miPreviousPicture", "上一張圖", "", "F5",
     H::PreviousPicture, true},
    {C::NextPage, "NextPage", "Picture1", "miNextPicture", "下一張圖", "", "F6", H::NextPicture},
    {C::GoToTopRight, "GoToTopRight", "Picture1", "N10", "移至右上角", "", ""},
    {C::ToggleCrossLines, "ToggleCrossLines", "Picture1", "N20", "切換圖形的中心線", "", ""},
    {C::SetRegisterShift, "SetRegisterShift", "Picture1", "N17", "設定特殊欄位偏移", "", "", {}, true},
    {C::SetScale, "SetScale", "Picture1", "N25", "設定圖形比例", "", ""},
    {C::ShowUpperFirst, "ShowUpperFirst", "", "", "上欄第一字", "", ""},
    {C::ShowMiddleFirst, "ShowMiddleFirst", "", "", "中欄第一字", "", ""},
    {C::ShowLowerFirst, "ShowLowerFirst", "", "", "下欄第一字", "", ""},
    {C::ShowUpperLast, "ShowUpperLast", "", "", "上欄最後一字", "", ""},
    {C::ShowMiddleLast, "ShowMiddleLast", "", "", "中欄最後一字", "", ""},
    {C::ShowLowerLast, "ShowLowerLast", "", "", "下欄最後一字", "", ""},
    {C::TileVertically, "TileVertically", "Window1", "H1", "垂直並排 (&V)", "", ""},
    {C::TileHorizontally, "TileHorizontally", "Window1", "WindowTileItem", "水平並排 (&H)",
     "Tile all windows", ""},
    {C::Cascade, "Cascade", "Window1", "WindowCascadeItem", "重疊顯示 (&C)", "Cascade all windows", ""},
    {C::About, "About", "Help1", "HelpAboutItem", "關於 (&A)...", "Show program information", ""},
    {C::SetTopRightHere, "SetTopRightHere", "", "", "設定為右上角第一個字 (X,Y)", "", ""},
    {C::SetTopRightXHere, "SetTopRightXHere", "", "", "設定為右上角第一個字的X座標", "", ""},
    {C::SetTopRightYHere, "SetTopRightYHere", "", "", "設定為右上角第一個字的Y座標", "", ""},
    {C::SetRegisterShiftModal, "SetRegisterShiftModal", "", "", "設定特殊欄的行偏移", "", ""},
    // The page is zoomed, panned and looked at closely while the text keeps the
    // focus, so their keys are ones the text editor has no use for.
    {C::ZoomIn, "ZoomIn", "Picture1", "miZoomIn", "放大圖形", "", "Ctrl+=", {}, true},
    {C::ZoomOut, "ZoomOut", "Picture1", "miZoomOut", "縮小圖形", "", "Ctrl+-"},
    {C::PanLeft, "PanLeft", "Picture1", "miPanLeft", "向左捲動圖形", "", "Alt+Left"},
    {C::PanRight, "PanRight", "Picture1", "miPanRight", "向右捲動圖形", "", "Alt+Right"},
    {C::PanUp, "PanUp", "Picture1", "miPanUp", "向上捲動圖形", "", "Alt+Up"},
    {C::PanDown, "PanDown", "Picture1", "miPanDown", "向下捲動圖形", "", "Alt+Down"},
    {C::ToggleLoupe, "ToggleLoupe", "Picture1", "miLoupe", "顯示放大鏡", "", "Ctrl+L", {}, true, true},
    {C::NextLoupeZoom, "NextLoupeZoom", "Picture1", "miLoupeZoom", "切換放大鏡倍率", "", "Ctrl+M"},
    {C::FindPreviousMark,
     "FindPreviousMark",
     "Text1",
     "miFindPreviousSign",
     "上一個差異",
     "",
     "Shift+F2",
     {},
     true},
    {C::GoToLineHead, "GoToLineHead", "Text1", "miGoToLineHead", "到指定行首...", "", "Ctrl+G"},
}};

constexpr MenuEntry kMenus[] = {
    {"File1", "檔案 (&F)", ""},
    {"Edit1", "編輯 (&E)", ""},
    {"Tools1", "工具 (&U)", ""},
    {"miToolBarMenu", "工具列", "Tools1"},
    {"Text1", "文字區 (&T)", ""},
    {"Picture1", "圖形區 (&P)", ""},
    {"Window1", "視窗 (&W)", ""},
    {"Help1", "說明 (&H)", ""},
    // The texts opened last; the main window fills it.
    {"miRecentMenu", "最近開啟 (&R)", "File1", "FileExitItem"},
};

constexpr ToolButtonEntry kToolButtons[] = {
    {"tbMain", "ToolbarButton971", "開啟舊檔", C::OpenFile},
    {"tbMain", "ToolbarButton972", "儲存檔案", C::SaveFile},
    {"tbMain", "ToolbarButton973", "復原", C::Undo, true},
    {"tbMain", "ToolbarButton976", "剪下", C::Cut},
    {"tbMain", "ToolbarButton975", "複製", C::Copy},
    {"tbMain", "ToolbarButton977", "貼上", C::Paste},
    {"tbMain", "ToolbarButton978", "垂直並排", C::TileVertically, true},
    {"tbMain", "ToolbarButton979", "水平並排", C::TileHorizontally},
    {"tbMain", "ToolbarButton9711", "重疊顯示", C::Cascade},
    {"tbText", "ToolbarButton9733", "開啟舊檔", C::OpenFile},
    {"tbText", "ToolbarButton9734", "儲存檔案", C::SaveFile},
    {"tbText", "ToolbarButton9712", "尋找差異記號", C::FindNextMark, true},
    {"tbText", "ToolbarButton9710", "秀出圖形位置", C::ShowCharacterOnPage},
    {"tbText", "ToolbarButton9714", "選擇正確字串", C::ChooseReading},
    {"tbText", "ToolbarButton9713", "尋找差異+秀圖+選字", C::RunLoop},
    {"tbText", "ToolbarButton9729", "設定取代字串", C::EditReplaceTable, true},
    {"tbText", "ToolbarButton9732", "進行字串取代", C::RunReplaceTable},
    {"tbText", "ToolbarButton9738", "尋找與取代", C::FindAndReplace, true},
    {"tbText", "ToolbarButton9728", "設定文字區字型", C::ChooseTextFont},
    {"tbText", "ToolbarButton9731", "書籤...", C::Bookmarks},
    {"tbImage", "ToolbarButton9718", "開啟大正藏圖檔", C::OpenPage},
    {"tbImage", "ToolbarButton9725", "儲存圖形偏移資訊", C::SaveCalibration},
    {"tbImage", "ToolbarButton9737", "連續開啟圖檔", C::LoadPageRun, true},
    {"tbImage", "ToolbarButton9716", "上一張圖", C::PreviousPage, true},
    {"tbImage", "ToolbarButton974", "下一張圖", C::NextPage},
    {"tbImage", "ToolbarButton9715", "圖形移至右上角", C::GoToTopRight},
    {"tbImage", "ToolbarButton9730", "切換圖形的中心線", C::ToggleCrossLines},
    {"tbImage", "ToolbarButton9736", "設定圖形比例", C::SetScale},
    {"tbSpecial", "ToolbarButton9724", "上欄第一字", C::ShowUpperFirst},
    {"tbSpecial", "ToolbarButton9723", "中欄第一字", C::ShowMiddleFirst},
    {"tbSpecial", "ToolbarButton9722", "下欄第一字", C::ShowLowerFirst},
    {"tbSpecial", "ToolbarButton9719", "上欄最後一字", C::ShowUpperLast, true},
    {"tbSpecial", "ToolbarButton9720", "中欄最後一字", C::ShowMiddleLast},
    {"tbSpecial", "ToolbarButton9721", "下欄最後一字", C::ShowLowerLast},
    {"tbSpecial", "ToolbarButton9726", "上一張圖", C::PreviousPage, true},
    {"tbSpecial", "ToolbarButton9727", "下一張圖", C::NextPage},
    {"tbSpecial", "ToolbarButton9717", "特殊欄的行偏移", C::SetRegisterShift},
    {"tbBigOne", "ToolbarButton9735", "尋找差異+秀圖+選字", C::RunLoop},
};

constexpr PopupItemEntry kTextPopupItems[] = {
    {C::OpenFile, "N7", "開啟舊檔 (&O) ..."},
    {C::SaveFile, "N8", "儲存檔案 (&S) ... "},
    {C::FindNextMark, "", "尋找差異記號", "N6"},
    {C::ShowCharacterOnPage},
    {C::ChooseReading},
    {C::RunLoop, "", "以上三個動作"},
    {C::Cut, "N2", "", "N1"},
    {C::Copy, "N3"},
    {C::Paste, "N5"},
    {C::EditReplaceTable, "N12", "", "N4"},
    {C::RunReplaceTable, "N13"},
    {C::FindAndReplace, "miFindReplace", "", "N11"},
    {C::ChooseTextFont, "N9"},
    {C::Bookmarks, "N10"},
    {C::FindPreviousMark, "", "", "N14"},
    {C::GoToLineHead},
};
constexpr PopupMenuEntry kTextPopup{"TextPopupMenu", kTextPopupItems};

constexpr PopupItemEntry kImagePopupItems[] = {
    {C::SetTopRightHere, "N2"},        {C::SetTopRightXHere, "X1"}, {C::SetTopRightYHere, "Y1"},
    {C::GoToTopRight, "N1", "", "N3"}, {C::PreviousPage},           {C::NextPage},
    {C::SetRegisterShiftModal, "N6"},  {C::SetScale, "N7"},
};
constexpr PopupMenuEntry kImagePopup{"ImagePopupMenu", kImagePopupItems};

constexpr bool InIdOrder() {
  for (int i = 0; i < kCommandCount; ++i) {
    if (static_cast<int>(kCommands[static_cast<std::size_t>(i)].Id) != i) return false;
  }
  return true;
}
static_assert(InIdOrder(), "the command table is indexed by CommandId");

}  // namespace

std::span<const CommandEntry> Commands() {
  return kCommands;
}

const CommandEntry& CommandOf(CommandId id) {
  return kCommands[static_cast<std::size_t>(id)];
}

std::span<const MenuEntry> Menus() {
  return kMenus;
}

std::span<const ToolButtonEntry> ToolButtons() {
  return kToolButtons;
}

std::string_view PlainCaption(std::string_view caption) {
  if (const auto accelerator = caption.find(" ("); accelerator != std::string_view::npos) {
    caption = caption.substr(0, accelerator);
  }
  while (caption.ends_with('.')) caption.remove_suffix(1);
  return caption;
}

const PopupMenuEntry& TextPopup() {
  return kTextPopup;
}

const PopupMenuEntry& ImagePopup() {
  return kImagePopup;
}

bool HasKeySetting(const CommandEntry& command) {
  return !command.Key.empty() && !command.HotKey && !command.FixedKey;
}

const CommandEntry* CommandOfHotKey(HotKeyCommand key) {
  for (const CommandEntry& command : kCommands) {
    if (command.HotKey == key) return &command;
  }
  return nullptr;
}

}  // namespace zorvel
