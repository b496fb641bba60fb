#include "ui/text/text_recovery.h"

#include <QFile>
#include <QTextDocument>
#include <QTimer>

#include "core/text/document_recovery.h"
#include "ui/shell/qt_prompts.h"
#include "ui/text/qt_text_editor.h"

TextRecovery::TextRecovery(zorvel::QtTextEditor& editor, zorvel::TextDocument& document,
                           const QString& unnamedFolder, zorvel::Prompts& prompts)
    : rules_(std::make_unique<zorvel::DocumentRecovery>(
          editor, document, [&prompts]() -> zorvel::Prompts& { return prompts; },
          QFile::encodeName(unnamedFolder).toStdString())),
      timer_(new QTimer(this)) {
  setObjectName("TextRecovery");
  rules_->Snapshot = [&editor] { return editor.TextSnapshot(); };
  connect(editor.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
    if (removed != 0 || added != 0) rules_->NoteChange();
  });
  timer_->setObjectName("AutoSaveTimer");
  timer_->setInterval(kAutoSaveInterval);
  connect(timer_, &QTimer::timeout, this, [this] { rules_->AutoSave(); });
  timer_->start();
}

TextRecovery::~TextRecovery() = default;
