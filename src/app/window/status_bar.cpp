#include "app/window/status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "app/window/bar_metrics.h"

namespace tumbo::app {
namespace {

constexpr int kNoteMs = 8000;

// A value that reads as text, not as a field to type into; the run control writes it.
QLineEdit *ValueField(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setFrame(false);
    e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    e->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; font-weight: bold; }"));
    // Room for "100" at any font size.
    SetBarFixedWidth(e, e->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 6);
    return e;
}

}  // namespace

TStatusBar::TStatusBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("StatusBar"));
    setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 1, 6, 1);
    row->setSpacing(4);
    auto add = [&](const char *caption, QLineEdit *&field, const char *name) {
        row->addWidget(new QLabel(QString::fromUtf8(caption), this));
        field = ValueField(this, name);
        field->setAccessibleName(QString::fromUtf8(caption).chopped(1));  // "Position X", …
        row->addWidget(field);
        row->addSpacing(8);
    };
    add("Position X:", PositionX, "edtPositionX");
    add("Position Y:", PositionY, "edtPositionY");
    add("Blickrichtung:", Heading, "edtBlickrichtung");
    add("Ziegel:", Bricks, "edtZiegel");

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("lblNote"));
    note_->setStyleSheet(QStringLiteral("color: #a00000;"));
    note_->setMinimumWidth(1);
    row->addWidget(note_, 1);
    noteTimer_ = new QTimer(this);
    noteTimer_->setSingleShot(true);
    connect(noteTimer_, &QTimer::timeout, note_, &QLabel::clear);

    zoom_ = new QLabel(this);
    zoom_->setObjectName(QStringLiteral("lblZoom"));
    zoom_->setToolTip(QStringLiteral("Größe der Welt"));
    row->addWidget(zoom_);
}

void TStatusBar::ShowNote(const QString &text)
{
    note_->setText(text);
    note_->setToolTip(text);
    noteTimer_->start(kNoteMs);
}

QString TStatusBar::Note() const { return note_->text(); }

void TStatusBar::SetZoomPercent(int percent)
{
    zoom_->setText(QStringLiteral("Größe: %1 %").arg(percent));
}

QString TStatusBar::ZoomText() const { return zoom_->text(); }

}  // namespace tumbo::app
