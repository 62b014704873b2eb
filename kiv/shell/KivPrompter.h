// Message boxes, questions and modal dialogs go through a Prompter, so the
// table can be driven by tests that answer them without a person.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace kiv {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message box with an OK button.
    virtual void Inform(QWidget* parent, const QString& text) = 0;
    // A Yes/No question with a question icon; true for Yes.
    virtual bool Ask(QWidget* parent, const QString& text) = 0;
    // Runs a modal dialog and returns its result code.
    virtual int Run(QDialog& dialog) = 0;
    // The language of the boxes' buttons from now on.
    virtual void SetLanguageBase(int /*base*/) {}
};

// The real thing: QMessageBox titled "Kiv Kiv", buttons in the active
// language, and QDialog::exec.
class QtPrompter : public Prompter {
public:
    void SetLanguageBase(int base) override { languageBase_ = base; }
    void Inform(QWidget* parent, const QString& text) override;
    bool Ask(QWidget* parent, const QString& text) override;
    int Run(QDialog& dialog) override;

private:
    int languageBase_ = 1000;
};

} // namespace kiv
