#include "app/window/high_contrast.h"

#include <QAction>
#include <QMenu>
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include "app/window/focus_frame.h"
#include "editor/highlighter_attributes.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app {
namespace {

// Dark, saturated colours on white: every one at least 7 : 1 against the paper.
QColor StrongColour(std::string_view settingsKey)
{
    if (settingsKey == "ColorComment")
        return QColor(0, 100, 0);
    if (settingsKey == "ColorKeyWord2")
        return QColor(0, 0, 170);
    if (settingsKey == "ColorIdentifier")
        return QColor(110, 0, 110);
    if (settingsKey == "ColorNumber")
        return QColor(160, 0, 0);
    return QColor(0, 0, 0);
}

}  // namespace

THighContrast::THighContrast(QWidget &window, TWeltQt &views, QsciScintilla &editor,
                             std::function<void()> usualEditorColours, QObject *parent)
    : QObject(parent), window_(window), views_(views), editor_(editor),
      usualEditorColours_(std::move(usualEditorColours)), usualPalette_(window.palette())
{
    frame_ = new TFocusFrame(window_);
    Action = new QAction(QStringLiteral("Hoher Kontrast"), this);
    Action->setObjectName(QStringLiteral("HoherKontrast1"));
    Action->setCheckable(true);
    connect(Action, &QAction::triggered, this, &THighContrast::Set);
}

THighContrast::~THighContrast()
{
    delete frame_;
}

void THighContrast::AddToMenu(QMenu *menu)
{
    menu->addAction(Action);
}

void THighContrast::Set(bool on)
{
    const bool changed = on != on_;
    on_ = on;
    Action->setChecked(on);
    views_.SetColors(on ? TWorldColors::HighContrast() : TWorldColors::Usual());
    if (on) {
        // Selections, the current entry of lists and the world pane's key frame.
        QPalette palette = usualPalette_;
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, Qt::black);
            palette.setColor(group, QPalette::HighlightedText, Qt::white);
        }
        window_.setPalette(palette);
        ColourEditor();
    } else if (changed) {
        window_.setPalette(usualPalette_);
        usualEditorColours_();
        editor_.setCaretWidth(1);
        editor_.resetSelectionBackgroundColor();
        editor_.resetSelectionForegroundColor();
    }
    frame_->SetEnabled(on);
}

void THighContrast::ColourEditor()
{
    if (QsciLexer *lexer = editor_.lexer())
        for (const auto &attribute : tumbo::editor::HighlighterAttributes())
            lexer->setColor(StrongColour(attribute.settingsKey), attribute.kind);
    editor_.setCaretWidth(3);
    editor_.setSelectionBackgroundColor(Qt::black);
    editor_.setSelectionForegroundColor(Qt::white);
}

}  // namespace tumbo::app
