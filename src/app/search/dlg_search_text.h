#pragma once
// The search dialog "Text suchen": the search text with its history, the options
// and the direction.
#include <QDialog>

#include "app/search/search_state.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QGridLayout;
class QPushButton;

namespace tumbo::app {

// Puts `text` at the top of the list, removing an equal entry further down
// (compared without regard to case, as the list box does); an empty text changes nothing.
void PutOnTop(QComboBox *list, const QString &text);

// The first entries of the list, at most TSearchState::MaxHistory.
QStringList HistoryOf(const QComboBox *list);

class TTextSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTextSearchDialog(QWidget *parent = nullptr);

    virtual void Load(const TSearchState &state);
    virtual void Store(TSearchState &state) const;

    QComboBox *cbSearchText;
    QCheckBox *cbSearchCaseSensitive;
    QCheckBox *cbSearchWholeWords;
    QCheckBox *cbSearchFromCursor;
    QCheckBox *cbSearchSelectedOnly;
    QButtonGroup *rgSearchDirection;
    QPushButton *btnOK;
    QPushButton *btnCancel;

public slots:
    void accept() override;

protected:
    // Grid of the text rows, so the replace dialog can add its own.
    QGridLayout *textRows_;
};

}  // namespace tumbo::app
