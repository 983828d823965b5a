// Template expansion on the program editor (Shift+Space): the word left of the caret is
// replaced by its code template (code_templates.h), whose lines stand under the word's first
// letter; the caret goes to the template's "|" mark.
#pragma once

#include <QObject>

#include <vector>

#include "editor/code_templates.h"

class QsciScintilla;

namespace tumbo::editor {

// Expands the word left of the caret, as one undo step. False (and nothing changed) when no
// template fits the word or there is no word.
bool ExpandTemplateAtCaret(QsciScintilla &editor,
                           const std::vector<TCodeTemplate> &templates = DefaultTemplates());

// Binds Shift+Space in the editor to ExpandTemplateAtCaret with the given template lines
// (DCIHolderLines() by default). The key never types a blank. Owned by the editor.
class TemplateExpander : public QObject {
    Q_OBJECT
public:
    explicit TemplateExpander(QsciScintilla &editor,
                              const std::vector<std::string> &templateLines = DCIHolderLines());
    void setTemplateLines(const std::vector<std::string> &templateLines);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QsciScintilla &editor_;
    std::vector<TCodeTemplate> templates_;
};

}  // namespace tumbo::editor
