#include "app/search/dlg_replace_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace tumbo::app {

TTextReplaceDialog::TTextReplaceDialog(QWidget *parent) : TTextSearchDialog(parent)
{
    setWindowTitle(QStringLiteral("Text ersetzen"));
    cbReplaceText = new QComboBox(this);
    cbReplaceText->setObjectName(QStringLiteral("cbReplaceText"));
    cbReplaceText->setEditable(true);
    cbReplaceText->setInsertPolicy(QComboBox::NoInsert);
    cbReplaceText->setMinimumContentsLength(28);
    auto *label = new QLabel(QStringLiteral("Ersetzen durch:"), this);
    label->setBuddy(cbReplaceText);
    textRows_->addWidget(label, 1, 0);
    textRows_->addWidget(cbReplaceText, 1, 1);
    setTabOrder(cbSearchText, cbReplaceText);
}

void TTextReplaceDialog::Load(const TSearchState &s)
{
    TTextSearchDialog::Load(s);
    cbReplaceText->clear();
    cbReplaceText->addItems(s.ReplaceHistory);
    cbReplaceText->setEditText(s.ReplaceText);
}

void TTextReplaceDialog::Store(TSearchState &s) const
{
    TTextSearchDialog::Store(s);
    s.ReplaceText = cbReplaceText->currentText();
    s.ReplaceHistory = HistoryOf(cbReplaceText);
}

void TTextReplaceDialog::accept()
{
    PutOnTop(cbReplaceText, cbReplaceText->currentText());
    TTextSearchDialog::accept();
}

}  // namespace tumbo::app
