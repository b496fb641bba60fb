// The main window's commands, run for real: every menu item, toolbar button,
// popup item and key of a command does what that command does and nothing
// else, whatever window is active (the edit commands act on the text).

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <set>

#include "core/pages/marker_geometry.h"
#include "core/pages/vol_shift.h"
#include "core/settings/command_table.h"
#include "core/settings/loupe_settings.h"
#include "ui/image/loupe_controller.h"
#include "ui/image_sample.h"
#include "ui/shell/qt_strings.h"

namespace zorvel::test {
namespace {

using C = CommandId;
using zorvel::ui::Q;

class MainFormTest : public SampleWindowsTest {
 protected:
  static QAction* Item(const char* name) { return MainForm()->findChild<QAction*>(name); }

  // What the operator sees, aspect by aspect. Numbers are told by the way
  // they move, everything else by what it shows afterwards.
  using Seen = std::map<std::string, std::string>;
  static const std::set<std::string>& Numbers() {
    static const std::set<std::string> numbers{"cursor",  "selected", "page",     "zoom",
                                               "scrollX", "scrollY",  "loupeZoom"};
    return numbers;
  }
  Seen Look() {
    Seen seen;
    TextEditor& editor = TextForm()->Editor();
    seen["text"] = editor.Text();
    seen["cursor"] = std::to_string(editor.SelStart());
    seen["selected"] = std::to_string(editor.SelLength());
    seen["text file"] = ReadFile(TextPath());
    seen["clipboard"] = QApplication::clipboard()->text().toStdString();
    seen["page"] = std::to_string(ImageForm()->PicturePage());
    const CharacterCell cell =
        CharacterAtPoint(Bench().Settings(), ImageForm()->ShownCalibration(), kSamplePageWidth,
                         kSamplePageHeight, ImageForm()->MarkerX(), ImageForm()->MarkerY());
    const PageCalibration calibration = Bench().VolShift().Get(ImageForm()->PicturePage());
    seen["marker"] =
        !ImageForm()->HasMarker() ? "none"
        : cell.Place != PointPlace::Character
            ? "off the characters"
            : std::to_string(cell.Field) + "/" + std::to_string(cell.Line) + "/" + std::to_string(cell.Char);
    seen["corner"] = std::to_string(calibration.FirstCharX) + "," + std::to_string(calibration.FirstCharY);
    seen["zoom"] = std::to_string(ImageForm()->ShownSize().width());
    seen["scrollX"] = std::to_string(ImageForm()->HorzScrollPos());
    seen["scrollY"] = std::to_string(ImageForm()->VertScrollPos());
    seen["lines"] = ImageForm()->ShowLines() ? "on" : "off";
    for (QToolBar* bar : MainForm()->Toolbars())
      seen[bar->objectName().toStdString()] = bar->isHidden() ? "hidden" : "shown";
    seen["windows"] = Arrangement();
    seen["loupe"] = MainForm()->Loupe()->Dock()->isHidden() ? "hidden" : "shown";
    seen["loupeZoom"] = std::to_string(MainForm()->Loupe()->Loupe()->Zoom());
    seen["frame"] = MainForm()->isVisible() ? "open" : "closed";
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window != MainForm() && window != MainForm()->Loupe()->Dock() && window->isVisible() &&
          !window->objectName().isEmpty())
        seen["window " + window->objectName().toStdString()] = "shown";
    }
    seen["asked"] = !prompts_.ChoiceRequests.empty() ? "the choice"
                    : prompts_.Shown.empty()         ? ""
                                                     : prompts_.Shown.back();
    seen["calibration file"] = std::filesystem::exists(Bench().VolShift().FileName(1)) ? "written" : "none";
    seen["dialog"] = dialog_;
    return seen;
  }
  // How the image and text windows stand in the client area.
  static std::string Arrangement() {
    const QRect image = ImageForm()->parentWidget()->geometry();
    const QRect text = TextForm()->parentWidget()->geometry();
    if (image.top() == text.top() && image.left() == 0 && text.left() > 0) return "side by side";
    if (image.left() == 0 && text.left() == 0 && image.top() != text.top()) return "in rows";
    if (image.topLeft() != text.topLeft()) return "cascaded";
    return "as they were";
  }
  static std::string Changes(const Seen& before, const Seen& after) {
    std::string changes;
    for (const auto& [aspect, now] : after) {
      const auto was = before.find(aspect);
      const std::string old = was == before.end() ? std::string() : was->second;
      if (old == now) continue;
      if (!changes.empty()) changes += "; ";
      if (Numbers().contains(aspect)) {
        changes += aspect + (std::stoi(now) > std::stoi(old) ? "+" : "-");
      } else if (aspect == "text" || aspect == "text file" || aspect == "clipboard") {
        changes += aspect;
      } else {
        changes += aspect + " " + now;
      }
    }
    return changes;
  }

  // The same start for every way of every command: the text open with the
  // cursor on page 1, one edit to undo, a few characters selected, the file
  // as it was; the second page shown at 50 % with the marker on it, a point
  // pressed on it and the corners of pages 1 to 3 as they were (a change to
  // save); the loupe hidden, all toolbars shown, the two windows one over the
  // other with the image window active.
  void SetUpStart() {
    OpenText();
    ImageForm()->SetVertScrollPos(0);
    TextEditor& editor = TextForm()->Editor();
    text_ = editor.Text();
    textFile_ = ReadFile(TextPath());
    TextForm()->OpenFileNameHook = [this] { return Dialog("open"); };
    TextForm()->SaveFileNameHook = [this] { return Dialog("save"); };
    TextForm()->FontDialogHook = [this](QFont&) { return !Dialog("font").isEmpty(); };
    TextForm()->LineHeadInputHook = [this](QString&) { return !Dialog("line head").isEmpty(); };
    Bench().Settings().PictureRatio = 50;
    Load(2);
    ASSERT_TRUE(ImageForm()->DetectRightTop());
    for (int page : {1, 2, 3}) calibrations_[page] = Bench().VolShift().Get(page);
  }
  QString Dialog(const char* name) {
    dialog_ = name;
    return {};
  }
  void Reset() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window != MainForm() && window->isVisible()) window->hide();
    }
    MainForm()->show();
    MainForm()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
    // One over the other, as neither tiling nor cascading leaves them.
    ImageForm()->parentWidget()->setGeometry(0, 0, 300, 200);
    TextForm()->parentWidget()->setGeometry(0, 0, 300, 200);
    MainForm()->ClientArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ImageForm()->parentWidget()));
    for (QToolBar* bar : MainForm()->Toolbars()) bar->show();
    MainForm()->Loupe()->Dock()->hide();
    MainForm()->Loupe()->Loupe()->SetZoom(kDefaultLoupeZoom);
    Bench().Settings().PictureRatio = 50;
    // The pages as they were at the start, which leaves changes to save.
    for (const auto& [page, calibration] : calibrations_) Bench().VolShift().Set(page, calibration);
    Load(2);
    if (ImageForm()->ShowLines()) ImageForm()->ToggleLines();
    ImageForm()->ShowPosition(1, 10, 8);
    ImageForm()->SetHorzScrollPos(200);
    ImageForm()->SetVertScrollPos(200);
    Mouse(QEvent::MouseButtonPress, {60, 70}, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, {60, 70}, Qt::LeftButton, Qt::NoButton);
    std::filesystem::remove(Bench().VolShift().FileName(1));
    WriteFile(TextPath(), textFile_);
    TextEditor& editor = TextForm()->Editor();
    editor.SetText(text_);
    editor.SetSelection(400, 0);
    editor.ReplaceSelection("x");
    editor.SetSelection(400, 3);
    editor.SetModified(false);
    QApplication::clipboard()->setText("pasted");
    prompts_.Shown.clear();
    prompts_.ChoiceRequests.clear();
    prompts_.Choices = {ChoiceAnswer{Selection::Cancel, {}, false}};
    dialog_.clear();
    QApplication::processEvents();
  }

  // Runs one way to a command and tells what changed; a modal dialog it opens
  // is named and closed.
  std::string Effect(const std::function<void()>& way) {
    Reset();
    const Seen before = Look();
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        dialog_ = modal->objectName().toStdString();
        modal->close();
      }
    });
    closer.start();
    way();
    QApplication::processEvents();
    return Changes(before, Look());
  }

  static std::string TextPath() { return QDir::current().filePath("T01n0001.txt").toStdString(); }

  std::string text_, textFile_;
  std::map<int, PageCalibration> calibrations_;
  std::string dialog_;
};

// What each command does to the windows, as the operator sees it, from the
// start SetUpStart makes. The F1 loop's choice is answered "cancel" by the
// scripted prompts.
const std::map<CommandId, std::string>& Effects() {
  static const std::map<CommandId, std::string> effects{
      {C::OpenFile, "dialog open"},
      {C::SaveFile, "text file"},
      {C::SaveFileAs, "dialog save"},
      {C::Exit, "calibration file written; frame closed"},
      {C::Undo, "cursor-; selected-; text"},
      {C::Cut, "clipboard; selected-; text"},
      {C::Copy, "clipboard"},
      {C::Paste, "cursor+; selected-; text"},
      {C::SelectAll, "cursor-; selected+"},
      {C::ToggleMainToolbar, "tbMain hidden"},
      {C::ToggleTextToolbar, "tbText hidden"},
      {C::ToggleImageToolbar, "tbImage hidden"},
      {C::ToggleSpecialToolbar, "tbSpecial hidden"},
      {C::ToggleBigButtonToolbar, "tbBigOne hidden"},
      {C::Options, "dialog OptionForm"},
      {C::FindNextMark, "cursor+; selected-"},
      {C::ShowCharacterOnPage, "marker 0/6/17; page-; scrollX+; scrollY+"},
      {C::ChooseReading, "asked 錯誤 : 文字游標不在起始符號之上."},
      {C::RunLoop, "asked the choice; cursor+; marker 0/8/11; page-; scrollX+; scrollY+; selected-"},
      {C::EditReplaceTable, "dialog fmReplace"},
      {C::RunReplaceTable, "asked 警告 : 沒有輸入字串表!"},
      {C::FindAndReplace, "window ReplaceDialog shown"},
      {C::ChooseTextFont, "dialog font"},
      {C::Bookmarks, "dialog fmBookMark"},
      {C::OpenPage, "window LoadPictureForm shown"},
      {C::SaveCalibration, "calibration file written"},
      {C::LoadPageRun, "dialog fmAutoLoadPicture"},
      {C::PreviousPage, "marker none; page-; scrollX+; scrollY-"},
      {C::NextPage, "marker none; page+; scrollX+; scrollY-"},
      {C::GoToTopRight, "scrollX+; scrollY-"},
      {C::ToggleCrossLines, "lines on"},
      {C::SetRegisterShift, "window FieldShiftForm shown"},
      {C::SetScale, "dialog fmSetRatio"},
      {C::ShowUpperFirst, "marker 0/0/0; scrollX+; scrollY-"},
      {C::ShowMiddleFirst, "marker 1/0/0; scrollX+; scrollY+"},
      {C::ShowLowerFirst, "marker 2/0/0; scrollX+; scrollY+"},
      {C::ShowUpperLast, "marker 0/28/16; scrollX-; scrollY+"},
      {C::ShowMiddleLast, "marker 1/28/16; scrollX-; scrollY+"},
      {C::ShowLowerLast, "marker 2/28/16; scrollX-; scrollY+"},
      {C::TileVertically, "windows side by side"},
      {C::TileHorizontally, "windows in rows"},
      {C::Cascade, "windows cascaded"},
      {C::About, "dialog AboutForm"},
      {C::SetTopRightHere, "corner 1880,540; marker 0/0/0; scrollX-; scrollY+"},
      {C::SetTopRightXHere, "corner 1880,195; marker off the characters"},
      {C::SetTopRightYHere, "corner 196,540; marker 1/10/1"},
      {C::SetRegisterShiftModal, "dialog FieldShiftForm"},
      {C::ZoomIn, "scrollX+; scrollY+; zoom+"},
      {C::ZoomOut, "scrollX-; scrollY-; zoom-"},
      {C::PanLeft, "scrollX-"},
      {C::PanRight, "scrollX+"},
      {C::PanUp, "scrollY-"},
      {C::PanDown, "scrollY+"},
      {C::ToggleLoupe, "loupe shown"},
      {C::NextLoupeZoom, "loupe shown; loupeZoom+"},
      {C::FindPreviousMark, "cursor-; selected-"},
      {C::GoToLineHead, "dialog line head"},
  };
  return effects;
}

TEST_F(MainFormTest, EveryItemButtonPopupItemAndKeyDoesWhatItsCommandDoes) {
  SetUpStart();
  std::map<CommandId, int> ways;
  auto expect = [&](CommandId id, const std::string& way, const std::function<void()>& run) {
    const auto expected = Effects().find(id);
    ASSERT_NE(expected, Effects().end()) << CommandOf(id).Name << " has no effect to check";
    const std::string effect = Effect(run);
    EXPECT_EQ(effect, expected->second) << way << " (" << CommandOf(id).Name << ")";
    ++ways[id];
  };
  for (const ToolButtonEntry& button : ToolButtons()) {
    auto* widget = MainForm()->Toolbar(Q(button.Toolbar))->findChild<QToolButton*>(Q(button.Name));
    ASSERT_NE(widget, nullptr) << button.Name;
    expect(button.Command, std::string(button.Name), [widget] { QTest::mouseClick(widget, Qt::LeftButton); });
  }
  for (const auto& [popup, menu] : {std::pair{&TextPopup(), TextForm()->TextPopupMenu()},
                                    std::pair{&ImagePopup(), ImageForm()->ImagePopupMenu()}}) {
    for (const PopupItemEntry& entry : popup->Items) {
      const std::string_view name = entry.Item.empty() ? CommandOf(entry.Command).Item : entry.Item;
      QAction* action = menu->findChild<QAction*>(Q(name));
      ASSERT_NE(action, nullptr) << name;
      expect(entry.Command, std::string(name), [action] { action->trigger(); });
      // The popup shows the key of the main window's item.
      if (QAction* main = MainForm()->CommandItem(entry.Command)) {
        EXPECT_EQ(action->shortcut(), main->shortcut());
      }
    }
  }
  for (const CommandEntry& command : Commands()) {
    QAction* item = MainForm()->CommandItem(command.Id);
    if (!command.Menu.empty()) {
      ASSERT_NE(item, nullptr) << command.Name;
      expect(command.Id, std::string(command.Item), [item] { item->trigger(); });
    }
    EXPECT_GT(ways[command.Id], 0) << command.Name << " has neither an item, a button nor a popup item";
    if (command.Key.empty()) continue;
    expect(command.Id, std::string(command.Key), [item] {
      TextForm()->RichEdit()->setFocus();
      QTest::keySequence(TextForm()->RichEdit(), item->shortcut());
    });
  }
}

// The keys reach the main window's items from the image window too, also a
// key the operator changed.
TEST_F(MainFormTest, HotKeysActWhicheverWindowHasTheFocus) {
  MainForm()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(MainForm()));
  QSignalSpy findSign(Item("miFindSign"), &QAction::triggered);
  QSignalSpy previous(Item("miPreviousPicture"), &QAction::triggered);
  Item("miFindSign")->setShortcut(QKeySequence("Shift+F4"));
  ImageForm()->setFocus();
  QTest::keyClick(ImageForm(), Qt::Key_F4, Qt::ShiftModifier);
  QTest::keyClick(ImageForm(), Qt::Key_F5);  // also on the image window's popup
  EXPECT_EQ(findSign.count(), 1);
  EXPECT_EQ(previous.count(), 1);
}

}  // namespace
}  // namespace zorvel::test
