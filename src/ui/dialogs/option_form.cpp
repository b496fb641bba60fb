#include "ui/dialogs/option_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/settings/command_table.h"
#include "ui/dialogs/hot_key_field.h"
#include "ui/image/image_form.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

namespace {

using zorvel::EntryField;
using zorvel::HotKeyCommand;

QLabel* NewLabel(const char* text, QWidget* parent, const char* name = nullptr) {
  auto* label = new QLabel(U(text), parent);
  if (name) label->setObjectName(name);
  return label;
}

// A page of the tab control holding one frame, which the page's controls go in.
QGroupBox* NewPage(QTabWidget* tabs, const char* name, const char* caption, const char* frame) {
  auto* page = new QWidget(tabs);
  page->setObjectName(name);
  auto* layout = new QVBoxLayout(page);
  auto* box = new QGroupBox(U(frame), page);
  layout->addWidget(box);
  tabs->addTab(page, U(caption));
  return box;
}

}  // namespace

TOptionForm::TOptionForm(Workbench& bench, QWidget* parent)
    : QDialog(parent), Settings(bench.Settings()), bench_(bench) {
  setObjectName("OptionForm");
  setWindowTitle(U("選項"));
  QFont face(U("細明體"));
  face.setPixelSize(16);
  setFont(face);

  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControlOpton");
  // Every tab stays readable: none is cut short, and the dialog is wide enough
  // for all of them.
  pageControl_->tabBar()->setUsesScrollButtons(false);
  pageControl_->tabBar()->setElideMode(Qt::ElideNone);
  pageControl_->tabBar()->setExpanding(false);
  BuildSignPage();
  BuildLineHeadPage();
  BuildImagePage();
  BuildImage2Page();
  BuildHotKeyPage();
  BuildOtherKeysPage();

  ok_ = new QPushButton(U("確定"), this);
  ok_->setObjectName("OK");
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_ = new QPushButton(U("取消"), this);
  cancel_->setObjectName("Cancel");
  cancel_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &TOptionForm::OKClick);
  connect(cancel_, &QPushButton::clicked, this, &TOptionForm::CancelClick);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pageControl_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* TOptionForm::NewNumberField(EntryField field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString("ed") + QString::fromUtf8(zorvel::EntryFieldName(field).data(),
                                                        int(zorvel::EntryFieldName(field).size())));
  numbers_[static_cast<int>(field)] = edit;
  return edit;
}

void TOptionForm::BuildSignPage() {
  QGroupBox* box = NewPage(pageControl_, "tsSign", "差異符號", " 差異符號的定義 ");
  auto* grid = new QGridLayout(box);
  auto addRow = [&](int row, const char* label, const char* name) {
    auto* edit = new QLineEdit(box);
    edit->setObjectName(name);
    grid->addWidget(NewLabel(label, box), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
  };
  edSign1_ = addRow(0, "起始差異符號 : ", "edSign1");
  edSign2_ = addRow(1, "間隔差異符號 : ", "edSign2");
  edSign3_ = addRow(2, "結尾差異符號 : ", "edSign3");
  QLabel* userLabel = NewLabel("若比對時，二者字串皆為錯誤，則自訂字串的預設值為：", box);
  userLabel->setWordWrap(true);
  userLabel->setFixedWidth(fontMetrics().horizontalAdvance(U("若比對時，二者字串皆為錯誤，")) + 4);
  edUserStr_ = new QLineEdit(box);
  edUserStr_->setObjectName("edUserStr");
  grid->addWidget(userLabel, 3, 0);
  grid->addWidget(edUserStr_, 3, 1);
  grid->setRowStretch(4, 1);
}

void TOptionForm::BuildLineHeadPage() {
  QGroupBox* box = NewPage(pageControl_, "tsLineHead", "行首設定", " 大正藏格式檔案行首的定義 ");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(
      NewLabel("由於大正藏格式檔案之行首定義，日後可能會有修改，故在此定義，以方便程式判斷‧", box));
  layout->addWidget(NewLabel("範例 : 若行首的定義為 : ", box));
  QLabel* example = NewLabel("T10n0289_p0592a05║", box);
  example->setIndent(fontMetrics().horizontalAdvance(U("範例 : ")));
  layout->addWidget(example);
  layout->addWidget(NewLabel("則冊數是由第 2 個字開始，共 2 個字‧", box));

  auto* grid = new QGridLayout;
  const struct {
    const char* Label;
    EntryField Start;
    EntryField Length;
  } rows[] = {
      {"冊數 : 第 ", EntryField::VolStart, EntryField::VolLength},
      {"經號 : 第 ", EntryField::SutraStart, EntryField::SutraLength},
      {"頁碼 : 第 ", EntryField::PageStart, EntryField::PageLength},
      {"欄位 : 第 ", EntryField::FieldStart, EntryField::FieldLength},
      {"行數 : 第 ", EntryField::LineStart, EntryField::LineLength},
  };
  const int fieldWidth = fontMetrics().horizontalAdvance("-00") + 16;
  auto shortField = [&](EntryField field) {
    QLineEdit* edit = NewNumberField(field, box);
    edit->setMaxLength(2);
    edit->setFixedWidth(fieldWidth);
    return edit;
  };
  int row = 0;
  for (const auto& r : rows) {
    grid->addWidget(NewLabel(r.Label, box), row, 0, Qt::AlignRight);
    grid->addWidget(shortField(r.Start), row, 1);
    grid->addWidget(NewLabel("個字開始，共", box), row, 2);
    grid->addWidget(shortField(r.Length), row, 3);
    grid->addWidget(NewLabel("個字‧", box), row, 4);
    ++row;
  }
  auto* last = new QHBoxLayout;
  last->addWidget(NewLabel("整個行首佔幾個字 (一個中文算二個字)", box));
  last->addWidget(shortField(EntryField::LineHeadLength));
  last->addStretch(1);
  grid->setColumnStretch(5, 1);
  layout->addLayout(grid);
  layout->addLayout(last);
  layout->addStretch(1);
}

void TOptionForm::BuildImagePage() {
  QGroupBox* box = NewPage(pageControl_, "tsImage", "圖檔資訊(1)", " 大正藏圖檔的相關資訊 ");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(NewLabel("本欄記載圖檔之相關資訊", box));

  auto* grid = new QGridLayout;
  grid->addWidget(NewLabel("每一個欄的距離 : ", box), 0, 0);
  grid->addWidget(NewNumberField(EntryField::FieldSpace, box), 0, 1);
  grid->addWidget(NewLabel("行距 : ", box), 1, 0);
  grid->addWidget(NewNumberField(EntryField::LineSpace, box), 1, 1);
  grid->addWidget(NewLabel("字距 : ", box), 2, 0);
  grid->addWidget(NewNumberField(EntryField::WordSpace, box), 2, 1);
  grid->addWidget(NewLabel("字寬 : ", box), 1, 2);
  grid->addWidget(NewNumberField(EntryField::WordWidth, box), 1, 3);
  grid->addWidget(NewLabel("字高 : ", box), 2, 2);
  grid->addWidget(NewNumberField(EntryField::WordHeight, box), 2, 3);
  grid->addWidget(NewLabel("圖檔檔名結構 : ", box), 3, 0);
  edPictureFileNameFormat_ = new QLineEdit(box);
  edPictureFileNameFormat_->setObjectName("edPictureFileNameFormat");
  grid->addWidget(edPictureFileNameFormat_, 3, 1, 1, 3);
  layout->addLayout(grid);

  QLabel* explain =
      NewLabel("<V>為冊別，<S>為經號，<P>為頁碼，<@> 為特殊目錄( 例如 306頁 變成 301-400)。例如 : ", box);
  explain->setTextFormat(Qt::PlainText);
  explain->setWordWrap(true);
  layout->addWidget(explain);
  QLabel* example = NewLabel("D:\\T<V>\\<@>\\<V>-<P>.TIF", box);
  example->setTextFormat(Qt::PlainText);
  example->setAutoFillBackground(true);
  QPalette grey = example->palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  example->setPalette(grey);
  example->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  layout->addWidget(example);

  cbIgnoreShift_ = new QCheckBox(U("忽略欄偏移資訊"), box);
  cbIgnoreShift_->setObjectName("cbIgnoreShift");
  connect(cbIgnoreShift_, &QCheckBox::clicked, this, &TOptionForm::cbAutoSetRightTopClick);
  layout->addWidget(cbIgnoreShift_);
  QLabel* note = NewLabel("(若經文中有空白行資料，則可忽略偏移資訊)", box);
  note->setIndent(24);
  layout->addWidget(note);

  auto* ratio = new QHBoxLayout;
  ratio->addWidget(NewLabel("圖形比例 : ", box));
  ratio->addWidget(NewNumberField(EntryField::PictureRatio, box));
  ratio->addWidget(NewLabel("%", box));
  ratio->addStretch(1);
  layout->addLayout(ratio);
  auto* maxWord = new QHBoxLayout;
  maxWord->addWidget(NewLabel("秀圖每行最長字數：", box));
  maxWord->addWidget(NewNumberField(EntryField::MaxLineWord, box));
  maxWord->addWidget(NewLabel("(0 表示不受限制)", box));
  maxWord->addStretch(1);
  layout->addLayout(maxWord);
  layout->addStretch(1);
}

void TOptionForm::BuildImage2Page() {
  QGroupBox* box = NewPage(pageControl_, "tsImage2", "圖檔資訊(2)", " 大正藏圖檔的相關資訊 ");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(NewLabel("本欄記載圖檔之相關資訊--自動載入及定位", box));
  auto* grid = new QGridLayout;
  grid->addWidget(NewLabel("右上角邊線與第一字右上角的水平距離：", box), 0, 0);
  grid->addWidget(NewNumberField(EntryField::RightTopX, box), 0, 1);
  grid->addWidget(NewLabel("右上角邊線與第一字右上角的垂直距離：", box), 1, 0);
  grid->addWidget(NewNumberField(EntryField::RightTopY, box), 1, 1);
  layout->addLayout(grid);

  cbAutoSetRightTop_ = new QCheckBox(U("載入圖檔時是否自動設定右上角定位"), box);
  cbAutoSetRightTop_->setObjectName("cbAutoSetRightTop");
  connect(cbAutoSetRightTop_, &QCheckBox::clicked, this, &TOptionForm::cbAutoSetRightTopClick);
  layout->addWidget(cbAutoSetRightTop_);
  cbCoverRightTop_ = new QCheckBox(U("若圖檔已有定位資料，將其覆蓋過去"), box);
  cbCoverRightTop_->setObjectName("cbCoverRightTop");
  auto* indented = new QHBoxLayout;
  indented->addSpacing(24);
  indented->addWidget(cbCoverRightTop_);
  layout->addLayout(indented);

  auto* group = new QGroupBox(U(" 圖檔呈現方現 "), box);
  group->setObjectName("rgShowWay");
  auto* groupLayout = new QVBoxLayout(group);
  auto* buttons = new QButtonGroup(group);
  const char* items[2] = {"以游標所在之字為圖形之中心", "以該欄的中間為圖形的中心"};
  for (int i = 0; i < 2; ++i) {
    rgShowWay_[i] = new QRadioButton(U(items[i]), group);
    rgShowWay_[i]->setObjectName(QString("rgShowWay%1").arg(i));
    buttons->addButton(rgShowWay_[i], i);
    groupLayout->addWidget(rgShowWay_[i]);
  }
  layout->addWidget(group);
  layout->addStretch(1);
}

void TOptionForm::BuildHotKeyPage() {
  QGroupBox* box = NewPage(pageControl_, "tsHotKey", "快速鍵", "各種功能巨集設定");
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) {
    auto* field = new THotKeyField(zorvel::SubstituteOf(HotKeyCommand(i)), box);
    const std::string name(zorvel::HotKeyName(HotKeyCommand(i)));
    field->setObjectName(QString::fromStdString("hk" + name));
    hotKeys_[i] = field;
    const std::string label = std::string(zorvel::HotKeyCaption(HotKeyCommand(i))) + " :";
    grid->addWidget(NewLabel(label.c_str(), box), i, 0);
    grid->addWidget(field, i, 1);
  }
  grid->setColumnStretch(2, 1);
}

// Every command of the table with a key of its own beyond the twelve, in
// table order: the commands added later appear here by themselves.
void TOptionForm::BuildOtherKeysPage() {
  QGroupBox* box = NewPage(pageControl_, "tsOtherKeys", "其他快速鍵", "其他功能的快速鍵");
  auto* grid = new QGridLayout(box);
  int row = 0;
  for (const zorvel::CommandEntry& command : zorvel::Commands()) {
    if (!zorvel::HasKeySetting(command)) continue;
    // These keys act while the text has the focus: a key alone would type.
    auto* field = new THotKeyField(zorvel::HotKeySubstitute::Ctrl, box);
    field->setObjectName(QString::fromStdString("hk" + std::string(command.Name)));
    commandKeys_.emplace_back(command.Id, field);
    const std::string label = std::string(zorvel::PlainCaption(command.Caption)) + " :";
    grid->addWidget(NewLabel(label.c_str(), box), row, 0);
    grid->addWidget(field, row, 1);
    ++row;
  }
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(2, 1);
}

THotKeyField* TOptionForm::CommandKeyField(zorvel::CommandId command) const {
  for (const auto& [id, field] : commandKeys_) {
    if (id == command) return field;
  }
  return nullptr;
}

void TOptionForm::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TOptionForm::FormShow() {
  const zorvel::SettingsEntry entry = zorvel::EntryFromSettings(Settings);
  edSign1_->setText(FromBig5(entry.Sign1));
  edSign2_->setText(FromBig5(entry.Sign2));
  edSign3_->setText(FromBig5(entry.Sign3));
  edUserStr_->setText(FromBig5(entry.UserString));
  for (int i = 0; i < zorvel::kEntryFieldCount; ++i)
    numbers_[i]->setText(QString::fromStdString(entry.Numbers[i]));
  cbIgnoreShift_->setChecked(entry.IgnoreShift);
  edPictureFileNameFormat_->setText(FromBig5(entry.PictureFileNameFormat));
  cbAutoSetRightTop_->setChecked(entry.AutoSetRightTop);
  cbCoverRightTop_->setChecked(entry.CoverRightTop);
  cbAutoSetRightTopClick();
  // A ShowWay outside the two items selects neither.
  for (int i = 0; i < 2; ++i) {
    rgShowWay_[i]->setAutoExclusive(false);
    rgShowWay_[i]->setChecked(entry.ShowWay == i);
    rgShowWay_[i]->setAutoExclusive(true);
  }
  const zorvel::KeyBindings& inForce = bench_.Keys();
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) hotKeys_[i]->SetHotKey(inForce.HotKeys[i]);
  for (const auto& [id, field] : commandKeys_)
    field->SetHotKey(inForce.CommandKeys[static_cast<std::size_t>(id)]);
}

void TOptionForm::cbAutoSetRightTopClick() {
  cbCoverRightTop_->setEnabled(cbAutoSetRightTop_->isChecked());
}

void TOptionForm::FocusField(QWidget* field) {
  for (int i = 0; i < pageControl_->count(); ++i) {
    if (pageControl_->widget(i)->isAncestorOf(field)) pageControl_->setCurrentIndex(i);
  }
  field->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void TOptionForm::OKClick() {
  zorvel::SettingsEntry entry;
  entry.Sign1 = ToBig5(edSign1_->text());
  entry.Sign2 = ToBig5(edSign2_->text());
  entry.Sign3 = ToBig5(edSign3_->text());
  entry.UserString = ToBig5(edUserStr_->text());
  entry.PictureFileNameFormat = ToBig5(edPictureFileNameFormat_->text());
  for (int i = 0; i < zorvel::kEntryFieldCount; ++i) entry.Numbers[i] = numbers_[i]->text().toStdString();
  entry.IgnoreShift = cbIgnoreShift_->isChecked();
  entry.AutoSetRightTop = cbAutoSetRightTop_->isChecked();
  entry.CoverRightTop = cbCoverRightTop_->isChecked();
  entry.ShowWay = rgShowWay_[1]->isChecked() ? 1 : rgShowWay_[0]->isChecked() ? 0 : Settings.ShowWay;

  // A key that another command of its window has already would leave both
  // dead: refused before anything is taken, naming the command that has it.
  const zorvel::KeyBindings& inForce = bench_.Keys();
  zorvel::HotKeySet keys;
  for (int i = 0; i < zorvel::kHotKeyCount; ++i) keys[i] = hotKeys_[i]->HotKey();
  if (const auto clash = zorvel::FindHotKeyClash(keys, inForce.HotKeys)) {
    const int at = static_cast<int>(clash->Command);
    bench_.Prompts().Message(zorvel::HotKeyTakenMessage(keys[at], clash->TakenBy));
    FocusField(hotKeys_[at]);
    return;
  }
  zorvel::CommandKeySet commandKeys{};
  for (const auto& [id, field] : commandKeys_) commandKeys[static_cast<std::size_t>(id)] = field->HotKey();
  if (const auto clash =
          zorvel::FindCommandKeyClash(keys, commandKeys, inForce.HotKeys, inForce.CommandKeys)) {
    THotKeyField* field =
        clash->HotKey ? hotKeys_[static_cast<int>(*clash->HotKey)] : CommandKeyField(clash->Command);
    bench_.Prompts().Message(zorvel::HotKeyTakenMessage(field->HotKey(), clash->TakenBy));
    FocusField(field);
    return;
  }

  const zorvel::EntryResult result = zorvel::ApplySettingsEntry(entry, Settings);
  if (!result.Ok()) {
    if (result.Result == zorvel::EntryResult::Outcome::NotAnInteger) {
      bench_.Prompts().Error(zorvel::EntryResultMessage(result));
    } else {
      bench_.Prompts().Message(zorvel::EntryResultMessage(result));
    }
    FocusField(NumberField(result.Field));
    return;
  }

  bench_.Keys() = {keys, commandKeys};
  bench_.ApplyKeys();
  // The values are in force even when the file cannot be written.
  bench_.SaveSettings();
  bench_.ImageForm().Rescale(Settings.PictureRatio);
  bench_.ImageForm().FormResize();
  accept();
}

void TOptionForm::CancelClick() {
  reject();
}
