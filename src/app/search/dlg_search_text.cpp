#include "app/search/dlg_search_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"

namespace tumbo::app {

void PutOnTop(QComboBox *list, const QString &text)
{
    if (text.isEmpty())
        return;
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            list->removeItem(i);
    list->insertItem(0, text);
    list->setEditText(text);
}

QStringList HistoryOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count() && i < TSearchState::MaxHistory; ++i)
        items << list->itemText(i);
    return items;
}

namespace {

QComboBox *HistoryList(QWidget *parent, const char *name)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(28);
    list->setDuplicatesEnabled(true);
    return list;
}

}  // namespace

TTextSearchDialog::TTextSearchDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Text suchen"));
    setWindowFlags(DialogCloseOnlyFlags);

    cbSearchText = HistoryList(this, "cbSearchText");
    textRows_ = new QGridLayout;
    auto *searchLabel = new QLabel(QStringLiteral("Suchen nach:"), this);
    searchLabel->setBuddy(cbSearchText);
    textRows_->addWidget(searchLabel, 0, 0);
    textRows_->addWidget(cbSearchText, 0, 1);
    textRows_->setColumnStretch(1, 1);

    auto *options = new QGroupBox(QStringLiteral(" Optionen "), this);
    cbSearchCaseSensitive = new QCheckBox(QStringLiteral("Groß-/Kleinschreibung"), options);
    cbSearchWholeWords = new QCheckBox(QStringLiteral("Nur ganze Wörter"), options);
    cbSearchFromCursor = new QCheckBox(QStringLiteral("Suchen ab Cursor"), options);
    cbSearchSelectedOnly = new QCheckBox(QStringLiteral("Markierter Text"), options);
    cbSearchCaseSensitive->setObjectName(QStringLiteral("cbSearchCaseSensitive"));
    cbSearchWholeWords->setObjectName(QStringLiteral("cbSearchWholeWords"));
    cbSearchFromCursor->setObjectName(QStringLiteral("cbSearchFromCursor"));
    cbSearchSelectedOnly->setObjectName(QStringLiteral("cbSearchSelectedOnly"));
    auto *optionLayout = new QVBoxLayout(options);
    for (QCheckBox *c : {cbSearchCaseSensitive, cbSearchWholeWords, cbSearchFromCursor, cbSearchSelectedOnly})
        optionLayout->addWidget(c);

    auto *direction = new QGroupBox(QStringLiteral(" Richtung "), this);
    direction->setObjectName(QStringLiteral("rgSearchDirection"));
    auto *directionLayout = new QVBoxLayout(direction);
    rgSearchDirection = new QButtonGroup(this);
    const char *directions[2] = {"Vorwärts", "Rückwärts"};
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(directions[i]), direction);
        rgSearchDirection->addButton(radio, i);
        directionLayout->addWidget(radio);
    }
    directionLayout->addStretch();
    rgSearchDirection->button(0)->setChecked(true);

    auto *groups = new QHBoxLayout;
    groups->addWidget(options, 1);
    groups->addWidget(direction, 1);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &TTextSearchDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(textRows_);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TTextSearchDialog::Load(const TSearchState &s)
{
    rgSearchDirection->button(s.Backwards ? 1 : 0)->setChecked(true);
    cbSearchCaseSensitive->setChecked(s.MatchCase);
    cbSearchWholeWords->setChecked(s.WholeWord);
    cbSearchFromCursor->setChecked(s.FromCaret);
    cbSearchSelectedOnly->setChecked(s.SelectedOnly);
    cbSearchText->clear();
    cbSearchText->addItems(s.SearchHistory);
    cbSearchText->setEditText(s.SearchText);
    cbSearchText->lineEdit()->selectAll();
}

void TTextSearchDialog::Store(TSearchState &s) const
{
    s.Backwards = rgSearchDirection->checkedId() == 1;
    s.MatchCase = cbSearchCaseSensitive->isChecked();
    s.WholeWord = cbSearchWholeWords->isChecked();
    s.FromCaret = cbSearchFromCursor->isChecked();
    s.SelectedOnly = cbSearchSelectedOnly->isChecked();
    s.SearchText = cbSearchText->currentText();
    s.SearchHistory = HistoryOf(cbSearchText);
}

void TTextSearchDialog::accept()
{
    PutOnTop(cbSearchText, cbSearchText->currentText());
    QDialog::accept();
}

}  // namespace tumbo::app
