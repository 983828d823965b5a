// What the program editor knows of the language, wired into the main window: the colouring
// with the colours of the settings, "Formatieren", the short-input context menu, templates on
// Shift+Space, the completion list on Ctrl+Space and the overview tree with its button.
#include <QAction>
#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>

#include <string>
#include <vector>

#include "app/dialogs/color_swatch.h"
#include "app/run/run_control.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "editor/highlighter_attributes.h"
#include "editor/program_overview.h"
#include "editor/qt/completion_popup.h"
#include "editor/qt/format_editor.h"
#include "editor/qt/overview_tree.h"
#include "editor/qt/short_input_menu_qt.h"
#include "editor/qt/template_expander.h"
#include "editor/qt/tumbo_lexer.h"
#include "language/parser.h"
#include "text/cp1252.h"

namespace tumbo::app {
namespace {

// The colour of the settings that belongs to a highlighter attribute's settings key.
ColorValue SettingsColor(const TumboSettings &s, std::string_view key)
{
    if (key == "ColorComment")
        return s.ColorComment;
    if (key == "ColorIdentifier")
        return s.ColorIdentifier;
    if (key == "ColorKeyWord")
        return s.ColorKeyWord;
    if (key == "ColorKeyWord2")
        return s.ColorKeyWord2;
    return s.ColorNumber;  // "ColorNumber", the last of the five
}

}  // namespace

void TMainForm::CreateEditorServices()
{
    using namespace tumbo::editor;
    SynTumboSyn1 = new TumboLexer(Editor);
    SynTumboSyn1->setObjectName(QStringLiteral("SynTumboSyn1"));
    SynTumboSyn1->setBaseFont(Editor->font());
    Editor->setLexer(SynTumboSyn1);

    // Long lines of the outline scroll sideways instead of being cut short.
    TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TreeView1->header()->setStretchLastSection(false);
    // The overview starts empty and is emptied whenever new or open replaces the program.
    UpdateOverview(true);
    connect(this, &TMainForm::ProgramReplaced, this, [this] { UpdateOverview(true); });
    connect(btnUebersicht, &QToolButton::clicked, this, &TMainForm::btnUebersichtClick);
    btnUebersicht->setEnabled(true);

    // The template lines of DCIHolder1 are the expander's default.
    TemplateExpander1 = new TemplateExpander(*Editor);
    TemplateExpander1->setObjectName(QStringLiteral("TemplateExpander1"));
    SynCompletionProposal1 = new CompletionPopup(*Editor);
    SynCompletionProposal1->setObjectName(QStringLiteral("SynCompletionProposal1"));
    EditorContextMenu = new ShortInputContextMenu(*Editor, ExtendedSyntax);
    EditorContextMenu->setObjectName(QStringLiteral("EditorContextMenu"));

    connect(Formatieren1, &QAction::triggered, this, &TMainForm::Formatieren1Click);
    Formatieren1->setEnabled(true);
}

int TMainForm::OverviewEntriesWidth() const
{
    // The widest shown entry with its indentation and icon, inside the tree's frame.
    TreeView1->resizeColumnToContents(0);
    return TreeView1->columnWidth(0) + 2 * TreeView1->frameWidth();
}

void TMainForm::ApplyEditorServiceSettings(const TumboSettings &s)
{
    if (SynTumboSyn1) {
        for (const auto &attribute : tumbo::editor::HighlighterAttributes())
            if (!attribute.settingsKey.empty())
                SynTumboSyn1->setColor(ToQColor(SettingsColor(s, attribute.settingsKey)), attribute.kind);
    }
    if (EditorContextMenu)
        EditorContextMenu->setExtendedSyntax(ExtendedSyntax);
}

void TMainForm::Formatieren1Click()
{
    // The text stays as it is while a program runs: its lines are being marked.
    if (parser_->RunMode != 0 || !Editor->EditingEnabled())
        return;
    bool tooLarge = false;
    tumbo::editor::FormatEditor(*Editor, FormatToken, &tooLarge);
    if (tooLarge)
        ShowError(QStringLiteral("Das formatierte Programm w\u00E4re gr\u00F6\u00DFer als 16 MB. "
                                 "Es bleibt, wie es ist."));
}

void TMainForm::UpdateOverview(bool empty)
{
    if (runControl_->RunOnStack())
        return;  // its silent compile would replace the statements the run walks
    std::vector<tumbo::editor::TOverviewNode> nodes;
    const std::string text =
        empty ? std::string() : tumbo::text::Utf8ToCp1252(Editor->TrimmedText().toStdString());
    if (!tumbo::editor::UpdateOverview(*parser_, empty, text, ProgramFolder().toStdString(), nodes))
        return;  // a program is running
    tumbo::editor::FillOverview(*TreeView1, nodes);
    // The silent compile replaced the tree the structure chart draws.
    if (!empty && pbDiagramm->isVisible())
        pbDiagramm->update();
}

void TMainForm::btnUebersichtClick()
{
    UpdateOverview(false);
}

}  // namespace tumbo::app
