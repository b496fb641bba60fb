#include "ui/text/text_session.h"

#include "core/proof/text_proofreader.h"
#include "core/text/text_document.h"
#include "core/text/text_file.h"
#include "ui/text/qt_text_editor.h"
#include "ui/text/text_recovery.h"

class TextSession::Dialogs : public zorvel::FileDialogs {
 public:
  explicit Dialogs(TextSession& session) : session_(session) {}
  std::string OpenFileName() override {
    return session_.OpenFileName ? session_.OpenFileName() : std::string();
  }
  std::string SaveFileName() override {
    return session_.SaveFileName ? session_.SaveFileName() : std::string();
  }

 private:
  TextSession& session_;
};

TextSession::TextSession(const zorvel::Settings& settings, zorvel::Prompts& prompts,
                         const QString& unnamedFolder)
    : dialogs_(std::make_unique<Dialogs>(*this)), editor_(std::make_unique<zorvel::QtTextEditor>()) {
  editor_->setObjectName("RichEdit");
  editor_->SetMaxLength(zorvel::kMaxTextLength);
  document_ = std::make_unique<zorvel::TextDocument>(
      *editor_, [&prompts]() -> zorvel::Prompts& { return prompts; }, *dialogs_);
  recovery_ = std::make_unique<TextRecovery>(*editor_, *document_, unnamedFolder, prompts);
  proofreader_ = std::make_unique<zorvel::TextProofreader>(*editor_, settings, prompts, nullptr);
}

TextSession::~TextSession() = default;
