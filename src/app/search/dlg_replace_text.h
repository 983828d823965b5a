#pragma once
// The replace dialog "Text ersetzen": the search dialog with a replace text and its history.
#include "app/search/dlg_search_text.h"

namespace tumbo::app {

class TTextReplaceDialog : public TTextSearchDialog {
    Q_OBJECT
public:
    explicit TTextReplaceDialog(QWidget *parent = nullptr);

    void Load(const TSearchState &state) override;
    void Store(TSearchState &state) const override;

    QComboBox *cbReplaceText;

public slots:
    void accept() override;
};

}  // namespace tumbo::app
