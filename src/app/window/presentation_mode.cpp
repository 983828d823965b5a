#include "app/window/presentation_mode.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "app/window/bar_metrics.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "app/world/view_scale_control.h"

namespace tumbo::app {
namespace {

// The application's font first, then the kinds of widgets a platform may give fonts of their own.
const char *const kFontClasses[] = {"",           "QAbstractItemView", "QListView", "QTreeView",  "QMenu",
                                    "QMenuBar",   "QLabel",            "QLineEdit", "QToolButton", "QPushButton",
                                    "QHeaderView", "QComboBox",        "QTipLabel", "QTextEdit",  "QCheckBox"};

}  // namespace

TPresentationMode::TPresentationMode(TMainForm &form, TViewScaleControl &scale, QMenu &menu)
    : QObject(&form), form_(form), scale_(scale)
{
    setObjectName(QStringLiteral("PresentationMode"));
    Action = new QAction(QStringLiteral("Präsentation"), this);
    Action->setObjectName(QStringLiteral("Praesentation1"));
    Action->setCheckable(true);
    Action->setShortcut(QKeySequence(Qt::Key_F11));
    Action->setShortcutContext(Qt::WindowShortcut);
    menu.addSeparator();
    menu.addAction(Action);
    form_.addAction(Action);  // F11 also while the menu bar is closed
    connect(Action, &QAction::triggered, this, &TPresentationMode::SetActive);
}

void TPresentationMode::SetActive(bool on)
{
    Action->setChecked(on);
    if (on == active_)
        return;
    active_ = on;
    if (on)
        Enter();
    else
        Leave();
}

void TPresentationMode::Enter()
{
    editorZoom_ = int(form_.Editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM));
    scalePercent_ = scale_.StoredPercent();
    wasMaximized_ = form_.isMaximized();
    geometry_ = form_.geometry();
    overviewWidth_ = form_.PanelCodeView->width();
    bottomHeight_ = form_.PanelBottom->height();

    // The platform gives lists, menus and others fonts of their own: each grows. All are read
    // first, because setting the application's font forgets those of the kinds.
    appFonts_.clear();
    for (const char *kind : kFontClasses)
        appFonts_.push_back(*kind ? QApplication::font(kind) : QApplication::font());
    for (size_t i = 0; i < appFonts_.size(); ++i) {
        QFont large = appFonts_[i];
        if (large.pointSizeF() > 0)
            large.setPointSizeF(large.pointSizeF() * kTextFactor);
        else
            large.setPixelSize(int(std::lround(large.pixelSize() * kTextFactor)));
        QApplication::setFont(large, *kFontClasses[i] ? kFontClasses[i] : nullptr);
    }
    // The editor's text size comes from its lexer: its zoom adds points to every style.
    const double points = form_.Editor->font().pointSizeF() > 0 ? form_.Editor->font().pointSizeF() : 10.0;
    form_.Editor->SendScintilla(QsciScintillaBase::SCI_SETZOOM, editorZoom_ + int(std::lround(points * (kTextFactor - 1))));
    ScaleBars(form_, kTextFactor);
    form_.showFullScreen();
    EnlargeBottom();
    // Fitted and enlarged once the full screen has its size.
    QTimer::singleShot(0, &scale_, [this] {
        if (active_)
            EnlargeBottom();
        scale_.FitIntoPane();
    });
    scale_.FitIntoPane();
}

void TPresentationMode::EnlargeBottom()
{
    // The overview and the information list keep as many lines as before, the panes above
    // at least three fifths of the screen; the overview column shows its entries whole. Set as
    // least sizes, they hold while the full screen takes its size.
    const QScreen *screen = form_.screen();
    const int height = std::min(int(std::lround(bottomHeight_ * kTextFactor)),
                                (screen ? screen->geometry().height() : form_.height()) * 2 / 5);
    const int width = std::max(int(std::lround(overviewWidth_ * kTextFactor)), form_.OverviewEntriesWidth());
    form_.PanelBottom->setMinimumHeight(height);
    form_.PanelCodeView->setMinimumWidth(width);
    form_.SetBottomHeight(height);
    form_.SetOverviewWidth(width);
}

void TPresentationMode::Leave()
{
    for (size_t i = 0; i < appFonts_.size(); ++i)
        QApplication::setFont(appFonts_[i], *kFontClasses[i] ? kFontClasses[i] : nullptr);
    form_.Editor->SendScintilla(QsciScintillaBase::SCI_SETZOOM, editorZoom_);
    ScaleBars(form_, 1.0);
    if (wasMaximized_) {
        form_.showMaximized();
    } else {
        form_.showNormal();
        form_.setGeometry(geometry_);
    }
    const int percent = scalePercent_, overview = overviewWidth_, bottom = bottomHeight_;
    form_.PanelBottom->setMinimumHeight(1);
    form_.PanelCodeView->setMinimumWidth(1);
    auto restorePanels = [this, overview, bottom] {
        form_.SetBottomHeight(bottom);
        form_.SetOverviewWidth(overview);
    };
    restorePanels();
    QTimer::singleShot(0, &scale_, [this, percent, restorePanels] {
        if (!active_)
            restorePanels();
        scale_.Restore(percent);
    });
    scale_.Restore(percent);
}

}  // namespace tumbo::app
