#include "app/window/main_form.h"
#include "app/window/accessibility.h"
#include "app/world/view_scale_control.h"
#include "app/world/world_key_focus.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "app/files/app_paths.h"
#include "app/files/file_commands.h"
#include "app/files/recovery_file.h"
#include "app/history/replay_bar.h"
#include "app/history/run_history.h"
#include "app/run/prog_lamp.h"
#include "app/run/qt_run_host.h"
#include "app/run/run_control.h"
#include "app/run/temp_world.h"
#include "app/settings/command_line.h"
#include "app/task/course_session.h"
#include "app/task/task_session.h"
#include "app/window/bar_icons.h"
#include "app/window/bar_metrics.h"
#include "app/window/chart_mode.h"
#include "app/window/pane_caption.h"
#include "app/window/presentation_mode.h"
#include "app/window/program_editor.h"
#include "app/window/status_bar.h"
#include "app/world/world_commands.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"
#include "world/welt.h"

namespace tumbo::app {
namespace {

constexpr int kSplitterWidth = 6;

QSplitter *MakeSplitter(Qt::Orientation o, const char *name)
{
    auto *s = new QSplitter(o);
    s->setObjectName(QString::fromLatin1(name));
    s->setHandleWidth(kSplitterWidth);
    s->setChildrenCollapsible(false);
    s->setOpaqueResize(true);
    // A handle the pupil sees and finds with the mouse.
    s->setStyleSheet(QStringLiteral("QSplitter#%1::handle { background: #c3cad6; }"
                                    "QSplitter#%1::handle:hover { background: #8f9bb0; }")
                         .arg(s->objectName()));
    return s;
}

}  // namespace

TMainForm::TMainForm(const QStringList &args, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Robot Tumbo"));
    setGeometry(192, 152, 840, 517);

    // 1. File names, the temporary world (the user's and this window's own), the first folder
    // of the file dialogs.
    tempWorld_ = std::make_unique<TTempWorld>();
    TempWorldFile = QString::fromStdString(tempWorld_->FileName());
    OpenPath = DefaultOpenFolder();

    CreateLayout();
    CreateMenus();
    // 2.–4. World, engine (with the three callbacks), first picture.
    CreateEngine();
    runControl_ = new TRunControl(*this);
    history_ = std::make_unique<TRunHistory>(*this);
    auto *chartMode = new ChartMode(*this);  // the structure chart with its commands, owned by the window
    Tasks = new TTaskSession(*this);
    worldCommands_ = new TWorldCommands(*this);
    fileCommands_ = new TFileCommands(*this);
    Courses = new TCourseSession(*this);
    viewScale_ = new TViewScaleControl(*weltQt_, chartMode->Chart, *ScrollBox, [this] { UpdateScrollRanges(); }, this);
    QMenu *viewMenu = viewScale_->AddMenu(menuBar(), qobject_cast<QMenu *>(NeueWelt1->parent()));
    Presentation = new TPresentationMode(*this, *viewScale_, *viewMenu);
    connect(viewScale_, &TViewScaleControl::ScaleChanged, StatusLine, &TStatusBar::SetZoomPercent);
    StatusLine->SetZoomPercent(int(std::lround(viewScale_->Scale() * 100.0)));
    auto *keyFocus = new TWorldKeyFocus(*ScrollBox, *DummyEdit, [this] { return pbDiagramm->isHidden(); }, this);
    connect(history_.get(), &TRunHistory::WorldBlocked, keyFocus, &TWorldKeyFocus::SetBlocked);
    Accessibility = new TAccessibility(*this, *viewMenu, [this] { ApplyEditorServiceSettings(CurrentSettings()); });
    ReleaseMenuKeysFromEditor();
    // 5. Information list, status fields, scroll ranges.
    runControl_->ResetInfoList();
    runControl_->UpdateStatusFields();
    UpdateScrollRanges();
    // 5.–6. Colouring, the empty overview, templates, completion, short input, Formatieren.
    CreateEditorServices();
    // 9. Command line, then the settings file.
    ReadCommandLine(args);
    LoadSettings();
    fileCommands_->StartFileServices();
}

TMainForm::~TMainForm()
{
    SaveSettings();
    // It follows the focus and the world, which go before the window's children.
    delete Accessibility;
    Accessibility = nullptr;
    history_.reset();
    parser_.reset();
    host_.reset();
    weltQt_.reset();
    welt_.reset();
}

void TMainForm::CreateEngine()
{
    welt_ = std::make_unique<TWelt>(5, 10, 6);
    weltQt_ = std::make_unique<TWeltQt>(*welt_);
    weltQt_->CreateWidgets(ScrollContent);
    imgTumbo3D = weltQt_->Image3D();
    imgTumbo3D->setObjectName(QStringLiteral("imgTumbo3D"));
    imgTumbo3D->move(20, 0);
    imgTumbo3D->setToolTip(QStringLiteral("Nach Klick auf die Welt ist Tumbo mit Tasten bewegbar"));
    pbTumbo2D = weltQt_->PaintBox2D();
    pbTumbo2D->setObjectName(QStringLiteral("pbTumbo2D"));
    pbTumbo2D->move(20, 10);
    DummyEdit->raise();
    // A click on the world hands the keys to the key catcher; the hint has done its job.
    connect(weltQt_->Image3D(), &TImage3D::Clicked, this, [this] {
        imgTumbo3D->setToolTip(QString());
        DummyEdit->setFocus();
    });
    host_ = std::make_unique<QtRunHost>([this] { welt_->UpdateView(); }, [this] { runControl_->FlushRunDisplay(); });
    parser_ = std::make_unique<TTumbo_Parser>(
        *welt_, *host_,
        [this](int number, int line, const std::string &message) { runControl_->OnError(number, line, message); },
        [this](int kind, int line, const std::string &message) { runControl_->OnMessage(kind, line, message); },
        [this] { runControl_->OnStep(); });
    welt_->RedrawAll();
}

// ---------------------------------------------------------------- layout

QFrame *TMainForm::CreateBar(QHBoxLayout *&buttons)
{
    auto *bar = new QFrame;
    bar->setFrameShape(QFrame::StyledPanel);
    SetBarHeight(bar);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 0, 4, 0);
    row->setSpacing(1);
    buttons = row;
    row->addStretch(1);
    return bar;
}

QToolButton *TMainForm::AddBarButton(QHBoxLayout *bar, const QString &name, const QString &hint,
                                     const QIcon &icon, const QString &text)
{
    auto *b = new QToolButton;
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    SetBarButtonSize(b);
    if (!icon.isNull())
        b->setIcon(icon);
    else
        b->setText(text);
    // Buttons go before the stretch.
    bar->insertWidget(bar->count() - 1, b);
    return b;
}

static void AddBarSeparator(QHBoxLayout *bar)
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedWidth(8);
    bar->insertWidget(bar->count() - 1, line);
}

QWidget *TMainForm::CreateProgramPanel()
{
    PanelProgram = new QWidget;
    PanelProgram->setObjectName(QStringLiteral("PanelProgram"));
    PanelProgram->setMinimumSize(1, 1);
    auto *col = new QVBoxLayout(PanelProgram);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    Editor = new ProgramEditor(PanelProgram);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAccessibleName(QStringLiteral("Programm"));
    Editor->setAccessibleDescription(
        QStringLiteral("Der Programmtext. Tab rückt ein, Strg+Tab geht weiter zur Welt."));
    Editor->setMinimumSize(1, 1);
    col->addWidget(CreatePaneCaption(QStringLiteral("Programm"), QStringLiteral("CaptionProgramm")));
    col->addWidget(Editor, 1);

    QHBoxLayout *bar = nullptr;
    QFrame *nav = CreateBar(bar);
    nav->setObjectName(QStringLiteral("PanelProgramNavigator"));
    QStyle *st = style();
    btnProgNeu = AddBarButton(bar, "btnProgNeu", "Neues Programm", st->standardIcon(QStyle::SP_FileIcon));
    btnProgOeffnen = AddBarButton(bar, "btnProgOeffnen", "Programm öffnen",
                                  st->standardIcon(QStyle::SP_DialogOpenButton));
    btnProgSpeichern = AddBarButton(bar, "btnProgSpeichern", "Programm speichern",
                                    st->standardIcon(QStyle::SP_DialogSaveButton));
    AddBarSeparator(bar);
    btnSyntax = AddBarButton(bar, "btnSyntax", "Syntaxprüfung", st->standardIcon(QStyle::SP_DialogApplyButton));
    AddBarSeparator(bar);
    btnAblaufNormal = AddBarButton(bar, "btnAblaufNormal", "Programmstart", st->standardIcon(QStyle::SP_MediaPlay));
    btnAblaufSchnell = AddBarButton(bar, "btnAblaufSchnell", "Schnelldurchlauf",
                                    st->standardIcon(QStyle::SP_MediaSeekForward));
    btnAblaufEinzeln = AddBarButton(bar, "btnAblaufEinzeln", "Einzelschritt", BarIcon(TBarIcon::SingleStep));
    btnSchrittZurueck = AddBarButton(bar, "btnSchrittZurueck", "Schritt zurück",
                                     st->standardIcon(QStyle::SP_MediaSkipBackward));
    btnAblaufPause = AddBarButton(bar, "btnAblaufPause", "Pause", st->standardIcon(QStyle::SP_MediaPause));
    btnAblaufStopp = AddBarButton(bar, "btnAblaufStopp", "Abbrechen", st->standardIcon(QStyle::SP_MediaStop));
    AddBarSeparator(bar);
    Lamp = new ProgLamp;
    Lamp->setObjectName(QStringLiteral("ProgLamp"));
    bar->insertWidget(bar->count() - 1, Lamp);
    col->addWidget(nav);

    for (QToolButton *b : {btnProgNeu, btnProgOeffnen, btnProgSpeichern})
        b->setEnabled(false);  // the program file commands are not offered yet
    return PanelProgram;
}

QWidget *TMainForm::CreateWorldPanel()
{
    PanelTumbo3d = new QWidget;
    PanelTumbo3d->setObjectName(QStringLiteral("PanelTumbo3d"));
    PanelTumbo3d->setMinimumSize(1, 1);
    auto *col = new QVBoxLayout(PanelTumbo3d);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);

    ScrollBox = new QScrollArea;
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setMinimumSize(1, 1);
    ScrollContent = new QWidget;
    ScrollContent->setObjectName(QStringLiteral("ScrollContent"));
    QPalette pal = ScrollContent->palette();
    pal.setColor(QPalette::Window, Qt::white);
    ScrollContent->setPalette(pal);
    ScrollContent->setAutoFillBackground(true);
    ScrollBox->setPalette(pal);
    ScrollBox->setWidget(ScrollContent);

    pbDiagramm = new QWidget(ScrollContent);
    pbDiagramm->setObjectName(QStringLiteral("pbDiagramm"));
    pbDiagramm->setGeometry(20, 10, 100, 100);
    pbDiagramm->hide();
    DummyEdit = new QLineEdit(ScrollContent);
    DummyEdit->setObjectName(QStringLiteral("DummyEdit"));
    DummyEdit->setMaxLength(1);
    DummyEdit->setGeometry(0, 0, 1, 1);
    DummyEdit->setFrame(false);
    // The caption changes to "Struktogramm" while the chart is shown.
    col->addWidget(CreatePaneCaption(QStringLiteral("Welt"), QStringLiteral("CaptionWelt")));
    col->addWidget(ScrollBox, 1);

    QHBoxLayout *bar = nullptr;
    QFrame *nav = CreateBar(bar);
    nav->setObjectName(QStringLiteral("PanelTumbo3dNavigator"));
    QStyle *st = style();
    const QIcon none;
    const struct {
        QToolButton *TMainForm::*field;
        const char *name, *hint, *text;
        QIcon icon;
    } buttons[] = {
        {&TMainForm::btnWeltNeu, "btnWeltNeu", "Neue Welt", "", st->standardIcon(QStyle::SP_FileIcon)},
        {&TMainForm::btnWeltOeffnen, "btnWeltOeffnen", "Welt öffnen", "", st->standardIcon(QStyle::SP_DialogOpenButton)},
        {&TMainForm::btnWeltSpeichern, "btnWeltSpeichern", "Welt speichern", "", st->standardIcon(QStyle::SP_DialogSaveButton)},
        {&TMainForm::btnTumboLinks, "btnTumboLinks", "LinksDrehen", "", st->standardIcon(QStyle::SP_ArrowLeft)},
        {&TMainForm::btnTumboVor, "btnTumboVor", "Schritt", "", st->standardIcon(QStyle::SP_ArrowUp)},
        {&TMainForm::btnTumboRechts, "btnTumboRechts", "RechtsDrehen", "", st->standardIcon(QStyle::SP_ArrowRight)},
        {&TMainForm::btnTumboHinlegen, "btnTumboHinlegen", "Ziegel hinlegen", "H", BarIcon(TBarIcon::LayBrick)},
        {&TMainForm::btnTumboAufheben, "btnTumboAufheben", "Ziegel aufheben", "A", BarIcon(TBarIcon::LiftBrick)},
        {&TMainForm::btnTumboMarke, "btnTumboMarke", "Marke setzen/löschen", "M", BarIcon(TBarIcon::Mark)},
        {&TMainForm::btnTumboQuaderAbl, "btnTumboQuaderAbl", "Quader aufstellen", "Q", BarIcon(TBarIcon::PutCuboid)},
        {&TMainForm::btnTumboQuaderEntf, "btnTumboQuaderEntf", "Quader entfernen", "E", BarIcon(TBarIcon::RemoveCuboid)},
        {&TMainForm::btnWeltLoeschen, "btnWeltLoeschen", "Welt löschen", "L", BarIcon(TBarIcon::ClearWorld)},
        {&TMainForm::btnWeltWiederherstellen, "btnWeltWiederherstellen", "Welt wiederherstellen", "W", BarIcon(TBarIcon::RestoreWorld)},
        {&TMainForm::btnDarstell2D, "btnDarstell2D", "2D Darstellung", "2D", none},
    };
    int n = 0;
    for (const auto &b : buttons) {
        QToolButton *button = AddBarButton(bar, QString::fromLatin1(b.name), QString::fromUtf8(b.hint), b.icon,
                                           QString::fromLatin1(b.text));
        this->*b.field = button;
        button->setEnabled(false);  // the world commands are attached with the world's views
        if (n == 2 || n == 5 || n == 12)
            AddBarSeparator(bar);
        // Clearing the world stands well apart from the robot's buttons.
        if (n == 10) {
            bar->insertSpacing(bar->count() - 1, 24);
            AddBarSeparator(bar);
        }
        ++n;
    }
    col->addWidget(nav);
    return PanelTumbo3d;
}

QWidget *TMainForm::CreateBottomPanel()
{
    PanelBottom = new QWidget;
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    PanelBottom->setMinimumSize(1, 1);
    auto *row = new QVBoxLayout(PanelBottom);
    row->setContentsMargins(0, 0, 0, 0);
    Splitter1 = MakeSplitter(Qt::Horizontal, "Splitter1");
    row->addWidget(Splitter1);

    PanelCodeView = new QWidget;
    PanelCodeView->setObjectName(QStringLiteral("PanelCodeView"));
    PanelCodeView->setMinimumSize(1, 1);
    auto *codeCol = new QVBoxLayout(PanelCodeView);
    codeCol->setContentsMargins(0, 0, 0, 0);
    codeCol->setSpacing(0);
    TreeView1 = new QTreeWidget;
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("Übersicht"));
    TreeView1->setAccessibleDescription(
        QStringLiteral("Die Anweisungen und Bedingungen der Sprache und dieses Programms"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setMinimumSize(1, 1);
    codeCol->addWidget(CreatePaneCaption(QStringLiteral("Übersicht"), QStringLiteral("CaptionUebersicht")));
    codeCol->addWidget(TreeView1, 1);
    QHBoxLayout *codeBar = nullptr;
    QFrame *codeNav = CreateBar(codeBar);
    btnUebersicht = AddBarButton(codeBar, "btnUebersicht", "Übersicht aktualisieren",
                                 style()->standardIcon(QStyle::SP_BrowserReload));
    codeCol->addWidget(codeNav);

    PanelError = new QWidget;
    PanelError->setObjectName(QStringLiteral("PanelError"));
    PanelError->setMinimumSize(1, 1);
    auto *errCol = new QVBoxLayout(PanelError);
    errCol->setContentsMargins(0, 0, 0, 0);
    errCol->setSpacing(0);
    InfoBox = new QListWidget;
    InfoBox->setObjectName(QStringLiteral("InfoBox"));
    InfoBox->setAccessibleName(QStringLiteral("Information"));
    InfoBox->setMinimumSize(1, 1);
    InfoBox->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Every line is one line of text; without this each added line measures all the others,
    // and a program that keeps bumping into a wall slows down with every note.
    InfoBox->setUniformItemSizes(true);
    // The replay bar stands right under the world's bar, above the list's caption, and takes
    // its room from the list, so the world keeps its size when a run is offered for replay.
    ReplayBar = new TReplayBar;
    errCol->addWidget(ReplayBar);
    errCol->addWidget(CreatePaneCaption(QStringLiteral("Information"), QStringLiteral("CaptionInformation")));
    errCol->addWidget(InfoBox, 1);

    // The information bar holds the status fields instead of buttons.
    StatusLine = new TStatusBar;
    SetBarHeight(StatusLine);
    edtPositionX = StatusLine->PositionX;
    edtPositionY = StatusLine->PositionY;
    edtBlickrichtung = StatusLine->Heading;
    edtZiegel = StatusLine->Bricks;
    errCol->addWidget(StatusLine);

    Splitter1->addWidget(PanelCodeView);
    Splitter1->addWidget(PanelError);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    return PanelBottom;
}

void TMainForm::CreateLayout()
{
    Splitter2 = MakeSplitter(Qt::Vertical, "Splitter2");
    PanelTop = new QWidget;
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setMinimumSize(1, 1);
    auto *topRow = new QHBoxLayout(PanelTop);
    topRow->setContentsMargins(0, 0, 0, 0);
    Splitter4 = MakeSplitter(Qt::Horizontal, "Splitter4");
    topRow->addWidget(Splitter4);
    Splitter4->addWidget(CreateProgramPanel());
    Splitter4->addWidget(CreateWorldPanel());
    Splitter4->setStretchFactor(0, 0);
    Splitter4->setStretchFactor(1, 1);

    Splitter2->addWidget(PanelTop);
    Splitter2->addWidget(CreateBottomPanel());
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    setCentralWidget(Splitter2);
}

// ---------------------------------------------------------------- menus

void TMainForm::CreateMenus()
{
    auto item = [this](QMenu *menu, const char *caption, const char *name, QKeySequence key = {},
                       bool enabled = true) {
        QAction *a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setEnabled(enabled);
        return a;
    };
    QMenuBar *bar = menuBar();

    QMenu *datei = bar->addMenu(QStringLiteral("&Datei"));
    Neu1 = item(datei, "&Neu", "Neu1", {}, false);
    Oeffnen1 = item(datei, "&Öffnen", "Oeffnen1", QKeySequence(Qt::CTRL | Qt::Key_O), false);
    Speichern1 = item(datei, "&Speichern", "Speichern1", QKeySequence(Qt::CTRL | Qt::Key_S), false);
    Speichernunter1 = item(datei, "Speichern &unter", "Speichernunter1", QKeySequence(Qt::Key_F12), false);
    datei->addSeparator();
    Drucken1 = item(datei, "&Drucken", "Drucken1", QKeySequence(Qt::CTRL | Qt::Key_P), false);
    Seitenansicht1 = item(datei, "Seitenansicht", "Seitenansicht1", {}, false);
    Druckereinrichten1 = item(datei, "Drucker einrichten", "Druckereinrichten1", {}, false);
    datei->addSeparator();
    Beenden1 = item(datei, "&Beenden", "Beenden1");
    connect(Beenden1, &QAction::triggered, this, &QWidget::close);

    QMenu *bearb = bar->addMenu(QStringLiteral("&Bearbeiten"));
    Rueckgaengig1 = item(bearb, "&Rückgängig", "Rueckgaengig1", QKeySequence(Qt::CTRL | Qt::Key_Z));
    Widerrufen1 = item(bearb, "&Widerrufen", "Widerrufen1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    bearb->addSeparator();
    Ausschneiden1 = item(bearb, "&Ausschneiden", "Ausschneiden1", QKeySequence(Qt::CTRL | Qt::Key_X));
    Kopieren1 = item(bearb, "&Kopieren", "Kopieren1", QKeySequence(Qt::CTRL | Qt::Key_C));
    Einfuegen1 = item(bearb, "&Einfügen", "Einfuegen1", QKeySequence(Qt::CTRL | Qt::Key_V));
    Allesauswaehlen1 = item(bearb, "Alles auswähle&n ", "Allesauswaehlen1", QKeySequence(Qt::CTRL | Qt::Key_A));
    bearb->addSeparator();
    GehezuZeile1 = item(bearb, "&Gehe zu Zeile...", "GehezuZeile1", QKeySequence(Qt::CTRL | Qt::Key_G), false);
    bearb->addSeparator();
    Formatieren1 = item(bearb, "Formatieren", "Formatieren1", QKeySequence(Qt::CTRL | Qt::Key_F), false);
    connect(Rueckgaengig1, &QAction::triggered, this, [this] { if (Editor->EditingEnabled()) Editor->undo(); });
    connect(Widerrufen1, &QAction::triggered, this, [this] { if (Editor->EditingEnabled()) Editor->redo(); });
    connect(Ausschneiden1, &QAction::triggered, this, [this] { if (Editor->EditingEnabled()) Editor->cut(); });
    connect(Kopieren1, &QAction::triggered, this, [this] { Editor->copy(); });
    connect(Einfuegen1, &QAction::triggered, this, [this] { if (Editor->EditingEnabled()) Editor->paste(); });
    connect(Allesauswaehlen1, &QAction::triggered, this, [this] { Editor->selectAll(true); });

    QMenu *suchen = bar->addMenu(QStringLiteral("&Suchen"));
    Suchen1 = item(suchen, "Su&chen ...", "Suchen1", QKeySequence(Qt::CTRL | Qt::Key_U), false);
    Ersetzen1 = item(suchen, "Erset&zen ...", "Ersetzen1", QKeySequence(Qt::CTRL | Qt::Key_E), false);
    Weitersuchen1 = item(suchen, "&Weitersuchen", "Weitersuchen1", QKeySequence(Qt::Key_F3), false);

    QMenu *strukt = bar->addMenu(QStringLiteral("S&truktogramm"));
    Anzeigen1 = item(strukt, "Anzeigen", "Anzeigen1", {}, false);
    StruktSpeichern1 = item(strukt, "Speichern", "StruktSpeichern1", {}, false);
    StruktKopieren1 = item(strukt, "Kopieren", "StruktKopieren1", {}, false);
    StruktDrucken1 = item(strukt, "Drucken", "StruktDrucken1", {}, false);

    QMenu *welt = bar->addMenu(QStringLiteral("&Welt"));
    NeueWelt1 = item(welt, "Neue Welt", "NeueWelt1", {}, false);
    OeffnenWelt1 = item(welt, "Öffnen Welt...", "OeffnenWelt1", {}, false);
    Weltspeichern1 = item(welt, "Welt speichern", "Weltspeichern1", {}, false);
    Weltspeichernunter1 = item(welt, "Welt speichern unter...", "Weltspeichernunter1", {}, false);
    welt->addSeparator();
    AlsGrafikspeichern1 = item(welt, "Als Grafik speichern", "AlsGrafikspeichern1", {}, false);
    welt->addSeparator();
    Weltloeschen1 = item(welt, "Welt löschen", "Weltloeschen1", {}, false);
    welt->addSeparator();
    Darstellung2D1 = item(welt, "2D Darstellung", "Darstellung2D1", QKeySequence(Qt::Key_F5), false);
    Darstellung2D1->setCheckable(true);
    Weltdirektfestlegen1 = item(welt, "Welt direkt festlegen", "Weltdirektfestlegen1", QKeySequence(Qt::Key_F6), false);
    Weltdirektfestlegen1->setCheckable(true);

    QMenu *ablauf = bar->addMenu(QStringLiteral("&Ablauf"));
    Start1 = item(ablauf, "Start", "Start1", QKeySequence(Qt::Key_F9));
    Schnelllauf1 = item(ablauf, "Schnelllauf", "Schnelllauf1", QKeySequence(Qt::SHIFT | Qt::Key_F9));
    Einzelschritt1 = item(ablauf, "Einzelschritt", "Einzelschritt1", QKeySequence(Qt::Key_F7));
    Schrittzurueck1 = item(ablauf, "Schritt zurück", "Schrittzurueck1", QKeySequence(Qt::SHIFT | Qt::Key_F7));
    Pause1 = item(ablauf, "Pause", "Pause1", QKeySequence(Qt::Key_F2));
    ablauf->addSeparator();
    Stopp1 = item(ablauf, "Stopp", "Stopp1", QKeySequence(Qt::CTRL | Qt::Key_F2));
    StoppPunkt1 = item(ablauf, "&Stopp-Punkt", "StoppPunkt1", QKeySequence(Qt::CTRL | Qt::Key_B));
    ablauf->addSeparator();
    Syntaxpruefung1 = item(ablauf, "Syntaxprüfung", "Syntaxpruefung1");

    QMenu *einst = bar->addMenu(QStringLiteral("&Einstellungen"));
    Bereicheanordnen1 = item(einst, "Bereiche anordnen", "Bereicheanordnen1");
    einst->addSeparator();
    EinstTumbo1 = item(einst, "Tumbo", "EinstTumbo1", {}, false);
    EinstEditor1 = item(einst, "Editor", "EinstEditor1", {}, false);
    einst->addSeparator();
    Figurwechseln1 = item(einst, "Figur wechseln", "Figurwechseln1", {}, false);
    connect(Bereicheanordnen1, &QAction::triggered, this, &TMainForm::ArrangeAreas);

    QMenu *hilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    Inhalt1 = item(hilfe, "&Inhalt", "Inhalt1", QKeySequence(Qt::Key_F1), false);
    Tipps1 = item(hilfe, "&Tipps", "Tipps1", {}, false);
    hilfe->addSeparator();
    Programminfo1 = item(hilfe, "Programminf&o", "Programminfo1", {}, false);

    Meldungenloeschen1 = new QAction(QStringLiteral("Meldungen löschen"), InfoBox);
    Meldungenloeschen1->setObjectName(QStringLiteral("Meldungenloeschen1"));
    InfoBox->addAction(Meldungenloeschen1);
}

void TMainForm::ReleaseMenuKeysFromEditor()
{
    // The menu shortcuts, also those of the command objects, come before the editor's own
    // key table.
    for (QAction *a : findChildren<QAction *>())
        for (const QKeySequence &k : a->shortcuts())
            if (k.count() == 1)
                Editor->ReleaseKey(k[0].toCombined());
}

// ---------------------------------------------------------------- panels

void TMainForm::SetPanelWidth(QSplitter *splitter, int first)
{
    // The first part gets `first`, the last the rest; parts between (a panel shown beside
    // the first, like the course) keep their size.
    QList<int> sizes = splitter->sizes();
    if (sizes.size() < 2)
        return;
    int sum = 0, between = 0;
    for (int i = 0; i < sizes.size(); ++i) {
        sum += sizes[i];
        if (i > 0 && i + 1 < sizes.size())
            between += sizes[i];
    }
    const int total = sum > 0 ? sum
                              : (splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height()) -
                                    splitter->handleWidth();
    sizes[0] = first;
    sizes.back() = std::max(1, total - first - between);
    splitter->setSizes(sizes);
}

void TMainForm::ApplyPanelSizes()
{
    // Until the user sets it, the editor takes 40 % of the width, enough for the samples' comments.
    SetPanelWidth(Splitter4, editorWidthSet_ ? editorWidth_ : int(std::lround(0.4 * PanelTop->width())));
    SetBottomHeight(bottomHeight_);
    SetPanelWidth(Splitter1, codeViewWidth_);
}

void TMainForm::SetBottomHeight(int height)
{
    // The bottom panel is the second part of the vertical splitter.
    QList<int> v = Splitter2->sizes();
    if (v.size() == 2) {
        const int total = v[0] + v[1] > 0 ? v[0] + v[1] : Splitter2->height() - Splitter2->handleWidth();
        v[1] = height;
        v[0] = std::max(1, total - height);
        Splitter2->setSizes(v);
    }
}

void TMainForm::ArrangeAreas()
{
    if (width() < 640)
        resize(640, height());
    if (height() < 320)
        resize(width(), 320);
    // Halves go to the even neighbour (the default rounding mode).
    editorWidth_ = int(std::nearbyint(0.44 * PanelTop->width()));
    editorWidthSet_ = true;
    bottomHeight_ = int(std::nearbyint(0.34 * height()));
    codeViewWidth_ = int(std::nearbyint(0.27 * PanelBottom->width()));
    ApplyPanelSizes();
}

void TMainForm::KeepRobotInSight()
{
    if (viewScale_ && pbDiagramm->isHidden())
        viewScale_->KeepRobotInSight();
}

void TMainForm::UpdateScrollRanges()
{
    if (viewScale_)
        viewScale_->Refit();
    const bool world = pbDiagramm->isHidden();
    const QSize shown = world ? weltQt_->ShownSize() : pbDiagramm->size();
    if (viewScale_)
        viewScale_->LayOut(shown, world);
    else
        ScrollContent->resize(shown.width() + 20, shown.height() + 10);
    ScrollBox->verticalScrollBar()->setValue(0);
    if (viewScale_)
        viewScale_->KeepRobotInSight();
}

// ---------------------------------------------------------------- start-up and shutdown

void TMainForm::ReadCommandLine(const QStringList &args)
{
    std::vector<std::string> params;
    for (const QString &a : args)
        params.push_back(a.toStdString());
    CommandLine c = ParseCommandLine(params, [](const std::string &p) {
        return QFileInfo(QString::fromStdString(p)).isFile();
    });
    IniFolder = QString::fromStdString(c.IniFolder);
    StartProgramFile = QString::fromStdString(c.StartProgramFile);
    StartWorldFile = QString::fromStdString(c.StartWorldFile);
    StartTaskFile = QString::fromStdString(c.StartTaskFile);
    if (IniFolder.isEmpty())
        IniFolder = DefaultSettingsFolder();
}

QString TMainForm::SettingsFile() const
{
    return IniFolder + QString::fromLatin1(SettingsFileName);
}

TumboSettings TMainForm::CurrentSettings() const
{
    TumboSettings s = settings_;
    s.LastTip = LastTip;
    s.ShowTips = ShowTips;
    s.EditorWidth = shownOnce_ ? PanelProgram->width() : editorWidth_;
    s.BottomHeight = shownOnce_ ? PanelBottom->height() : bottomHeight_;
    s.CodeViewWidth = shownOnce_ ? PanelCodeView->width() : codeViewWidth_;
    if (Presentation && Presentation->Active()) {  // not the projector's sizes
        s.CodeViewWidth = Presentation->NormalOverviewWidth();
        s.BottomHeight = Presentation->NormalBottomHeight();
    }
    s.Maximized = shownOnce_ ? isMaximized() : maximizedAtStart_;
    s.ViewScale = viewScale_->StoredPercent();
    s.Delay = parser_->Delay;
    const TTumbo &robot = welt_->Robot;
    s.MaxJump = robot.MaxJump;
    s.CheckBrick = robot.CheckBrick;
    s.MaxBrick = robot.MaxBrick;
    s.BrickStart = robot.BrickStart;
    s.Hint = parser_->Hint;
    s.StopOnError = parser_->StopOnError;
    s.RestoreWorld = RestoreWorld;
    s.LineNumbers = Editor->LineNumbersShown();
    s.TabWidth = Editor->tabWidth();
    s.FormatToken = FormatToken;
    s.ExtendedSyntax = ExtendedSyntax;
    s.OpenPath = OpenPath.toStdString();
    if (Accessibility)
        Accessibility->StoreSettings(s);
    return s;
}

void TMainForm::ApplySettings(const TumboSettings &s)
{
    settings_ = s;
    if (shownOnce_)
        editorWidthSet_ = true;  // the width the window shows now
    LastTip = s.LastTip;
    ShowTips = s.ShowTips;
    editorWidth_ = s.EditorWidth;
    bottomHeight_ = s.BottomHeight;
    codeViewWidth_ = s.CodeViewWidth;
    maximizedAtStart_ = s.Maximized;
    viewScale_->Restore(s.ViewScale);
    ApplyPanelSizes();
    parser_->Delay = s.Delay;
    TTumbo &robot = welt_->Robot;
    robot.MaxJump = s.MaxJump;
    robot.CheckBrick = s.CheckBrick;
    robot.MaxBrick = s.MaxBrick;
    robot.BrickStart = s.BrickStart;
    parser_->Hint = s.Hint;
    parser_->StopOnError = s.StopOnError;
    RestoreWorld = s.RestoreWorld;
    Editor->SetLineNumbersShown(s.LineNumbers);
    Editor->SetTabWidth(s.TabWidth);
    FormatToken = s.FormatToken;
    ExtendedSyntax = s.ExtendedSyntax;
    OpenPath = QString::fromStdString(s.OpenPath);
    ApplyEditorServiceSettings(s);
    Accessibility->ApplySettings(s);  // after the editor's colours, which it may override
}

void TMainForm::LoadSettings()
{
    IniFile ini;
    TumboSettings s = CurrentSettings();
    if (!ini.Load(SettingsFile().toStdString())) {
        ShowError(QStringLiteral("Die Einstellungsdatei „%1“ kann nicht gelesen werden.")
                      .arg(QDir::toNativeSeparators(SettingsFile())));
        return;
    }
    auto error = ReadSettings(ini, s, DefaultOpenFolder().toStdString());
    // At the very first start the tips window, which goes on from the tip shown last,
    // begins with the first tip.
    if (!ini.HasKey("Tips", "LastTip"))
        s.LastTip = 0;
    // Until the user sets it, the overview column is wide enough for its entries.
    editorWidthSet_ = ini.HasKey("Sizes", "EditorWidth");
    if (!ini.HasKey("Sizes", "CodeViewWidth"))
        s.CodeViewWidth = std::max(s.CodeViewWidth, OverviewEntriesWidth());
    ApplySettings(s);
    presentationAtStart_ = ini.ReadString(TPresentationMode::kSection, TPresentationMode::kKey, "FALSE") == "TRUE";
    if (error) {
        ShowError(QString::fromStdString(*error));
        return;  // the help file name stays unset, start-up goes on
    }
    HelpFileSet = true;
}

void TMainForm::SaveSettings()
{
    const QString file = SettingsFile();
    QDir().mkpath(IniFolder);
    IniFile ini;
    ini.Load(file.toStdString());  // lines of other programs are kept
    TumboSettings s = CurrentSettings();
    if (Tasks)
        Tasks->KeepUserRobotSettings(s);  // the open task's values are not the user's
    WriteSettings(ini, s);
    ini.WriteString(TPresentationMode::kSection, TPresentationMode::kKey, Presentation->Active() ? "TRUE" : "FALSE");
    fileCommands_->WriteRecentPrograms(ini);
    Courses->WriteSettings(ini);
    std::string error;
    if (!ini.Save(QFile::encodeName(file).toStdString(), &error))
        ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(error)));
}

void TMainForm::ShowAtStart()
{
    if (presentationAtStart_)
        Presentation->SetActive(true);
    else if (maximizedAtStart_)
        showMaximized();
    else
        show();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    ApplyPanelSizes();
    // A maximized window gets its final size a moment later.
    if (!editorWidthSet_)
        QTimer::singleShot(0, this, [this] { ApplyPanelSizes(); });
    // The question about text a crashed window left comes first, never under the tips.
    fileCommands_->OfferRecovery();
    if (ShowTips && ShowTipsAtStart)
        ShowTipsAtStart();
    // The first lines of the information list name what was loaded, the program alone too.
    // Text just brought back is not replaced without the usual question.
    bool loaded = false;
    if (!StartProgramFile.isEmpty() && QFileInfo(StartProgramFile).isFile() && fileCommands_->AskSaveChangedProgram()) {
        loaded = fileCommands_->LoadProgramFile(QFileInfo(StartProgramFile).absoluteFilePath());
        const QFileInfo program(StartProgramFile);
        const QString world = program.absolutePath() + QLatin1Char('/') + program.completeBaseName() +
                              QStringLiteral(".tdw");
        if (QFileInfo(world).isFile())
            StartWorldFile = world;
    }
    if (!StartWorldFile.isEmpty() && QFileInfo(StartWorldFile).isFile()) {
        const QString path = QFileInfo(StartWorldFile).absoluteFilePath();
        TWorldFileResult r = welt_->LoadFromFile(path.toStdString());
        if (r.Ok()) {
            WorldFileName = path;
            UpdateScrollRanges();
        } else if (r.Status != TWorldFileStatus::NotAWorldFile) {
            ShowError(QString::fromStdString(tumbo::text::Cp1252ToUtf8(r.Message)));
        }
        runControl_->UpdateStatusFields();
        loaded = true;
    }
    if (loaded)
        runControl_->ResetInfoList();
    // The overview shows the program the window starts with, brought back or loaded.
    if (!Editor->text().trimmed().isEmpty())
        UpdateOverview(false);
    if (!StartTaskFile.isEmpty() && QFileInfo(StartTaskFile).isFile()) {
        Tasks->OpenTask(StartTaskFile);
    } else if (!loaded) {
        IniFile ini;
        if (ini.Load(SettingsFile().toStdString()))
            Courses->ReopenLastCourse(ini);
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (parser_->RunMode != 0) {
        Ask(QMessageBox::Warning,
            QStringLiteral("Programm ist noch am Laufen.\n\nErst das Programm stoppen, dann kann Tumbo beendet werden."),
            QMessageBox::Ok);
        event->ignore();
        return;
    }
    if (Editor->isModified()) {
        auto answer = Ask(QMessageBox::Warning,
                          QStringLiteral("Das Programm wurde geändert.\nOhne Speichern gehen die Änderungen verloren."
                                         "\n\nProgramm speichern?"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        // A save that did not happen (dialog cancelled, write failed) keeps the window open.
        if (answer == QMessageBox::Yes && !fileCommands_->SaveProgram()) {
            event->ignore();
            return;
        }
    }
    if (TRecoveryFile *recovery = fileCommands_->Recovery())
        recovery->Remove();  // a normal close leaves nothing to recover
    event->accept();
}

// ---------------------------------------------------------------- files and messages

QString TMainForm::ProgramFolder() const
{
    if (ProgramFileName.isEmpty())
        return {};
    return QFileInfo(ProgramFileName).absolutePath() + QLatin1Char('/');
}

QString TMainForm::AskFileName(const FileDialogRequest &request)
{
    return FileDialogHook ? FileDialogHook(request) : ShowFileDialog(this, request);
}

QMessageBox::StandardButton TMainForm::Ask(QMessageBox::Icon icon, const QString &text,
                                           QMessageBox::StandardButtons buttons)
{
    if (MessageBoxHook)
        return MessageBoxHook(icon, text, buttons);
    if (DefaultMessageBoxHook)
        return DefaultMessageBoxHook(icon, text, buttons);
    const char *title = icon == QMessageBox::Critical  ? "Fehler"
                        : icon == QMessageBox::Warning ? "Warnung"
                        : icon == QMessageBox::Question ? "Bestätigen"
                                                        : "Information";
    QMessageBox box(icon, QString::fromUtf8(title), text, buttons, this);
    if (auto *b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("&Ja"));
    if (auto *b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("&Nein"));
    if (auto *b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Abbrechen"));
    return QMessageBox::StandardButton(box.exec());
}

void TMainForm::ShowError(const QString &text)
{
    Ask(QMessageBox::Critical, text, QMessageBox::Ok);
}

}  // namespace tumbo::app
