#pragma once
// A key-combination capture field: it shows the combination the operator
// presses. A combination without a modifier, or with Shift alone, becomes the
// field's substitute (the key alone, or Ctrl plus the key). Backspace alone
// empties the field: the command then has no key.

#include <QLineEdit>

#include "core/settings/hot_key.h"
#include "core/settings/settings_entry.h"

class THotKeyField : public QLineEdit {
  Q_OBJECT

 public:
  explicit THotKeyField(zorvel::HotKeySubstitute substitute, QWidget* parent = nullptr);

  zorvel::HotKey HotKey() const { return key_; }
  void SetHotKey(const zorvel::HotKey& key);
  zorvel::HotKeySubstitute Substitute() const { return substitute_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  zorvel::HotKeySubstitute substitute_;
  zorvel::HotKey key_;
};
