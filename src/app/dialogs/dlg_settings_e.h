#pragma once
// The editor settings dialog "Einstellungen Editor": tab width, font size, the
// colours of the program text, formatting, line numbers on screen and on paper.
// Fill it with Load() just before showing it; after OK, Store() writes the fields
// back and the caller applies them to the editor.
#include <QDialog>

#include <functional>

#include "app/settings/colour_names.h"
#include "app/settings/settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace tumbo {
class TSpinEdit;
}

namespace tumbo::app {

class TColorSwatch;

class TSettingsDlgE : public QDialog {
    Q_OBJECT
public:
    // What the colour dialog answered.
    struct ColorChoice {
        enum Result { Chosen, Cancelled, Failed } result;
        QColor color;
    };
    using ColorPicker = std::function<ColorChoice(const QColor &initial, QWidget *parent)>;

    explicit TSettingsDlgE(QWidget *parent = nullptr);

    // Fills the fields from the settings and the editor's font size in points (a size
    // not in the list selects "10").
    void Load(const TumboSettings &settings, int fontSizePoints);
    // Writes the fields into the editor keys of `settings` (line numbers, tab width,
    // print line numbers, print colour, the five colours, FormatToken, ExtendedSyntax).
    void Store(TumboSettings &settings) const;
    // The font size of the selected list entry.
    int FontSize() const;

    // The colours of "Standardeinstellungen", in the order of the swatches.
    static const ColorValue DefaultColors[5];

    // Replaces the platform colour dialog (tests).
    void SetColorPicker(ColorPicker picker) { picker_ = std::move(picker); }

    TSpinEdit *speTabWidth;
    QCheckBox *chkErwSyntax;
    QComboBox *cbFontSize;
    TColorSwatch *Farbe1, *Farbe2, *Farbe3, *Farbe4, *Farbe5;
    QPushButton *Button3;
    QButtonGroup *rgFormatieren;
    QCheckBox *chkZNummern;
    QCheckBox *chkDZNummern;
    QCheckBox *chkDFarbe;
    QPushButton *Button2;  // OK
    QPushButton *Button1;  // Abbrechen

protected:
    void showEvent(QShowEvent *event) override;

private:
    void SwatchClicked(TColorSwatch *swatch);
    void DefaultsClicked();

    ColorPicker picker_;
};

}  // namespace tumbo::app
