#include "app/dialogs/dlg_settings_e.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/color_swatch.h"
#include "app/dialogs/dialog_util.h"
#include "world/qt/spin_edit.h"

namespace tumbo::app {

namespace {

const char *const kFontSizes[] = {"8", "10", "11", "12", "14", "18", "24"};
constexpr int kDefaultFontSizeIndex = 1;  // "10"
constexpr int kDefaultTabWidth = 2;

TSettingsDlgE::ColorChoice PlatformColorDialog(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return {TSettingsDlgE::ColorChoice::Cancelled, {}};
    return {TSettingsDlgE::ColorChoice::Chosen, chosen};
}

}  // namespace

const ColorValue TSettingsDlgE::DefaultColors[5] = {clBlack, clBlue, clGreen, clRed, clGrayText};

TSettingsDlgE::TSettingsDlgE(QWidget *parent) : QDialog(parent), picker_(PlatformColorDialog)
{
    setWindowTitle(QStringLiteral("Einstellungen Editor"));
    setWindowFlags(DialogCloseOnlyFlags);

    // Tab width and font size.
    speTabWidth = new TSpinEdit(1, 16, this);
    speTabWidth->setObjectName(QStringLiteral("speTabWidth"));
    cbFontSize = new QComboBox(this);
    cbFontSize->setObjectName(QStringLiteral("cbFontSize"));
    for (const char *size : kFontSizes)
        cbFontSize->addItem(QString::fromLatin1(size));
    auto *topRow = new QHBoxLayout;
    topRow->addWidget(new QLabel(QStringLiteral("Tabulatorabstand"), this));
    topRow->addWidget(speTabWidth);
    topRow->addStretch();
    topRow->addWidget(new QLabel(QStringLiteral("Schriftgröße"), this));
    topRow->addWidget(cbFontSize);

    chkErwSyntax = new QCheckBox(QStringLiteral("erweiterte Kontrollstrukturen anbieten"), this);
    chkErwSyntax->setObjectName(QStringLiteral("chkErwSyntax"));

    // Colours.
    auto *colours = new QGroupBox(QStringLiteral(" Farben "), this);
    auto *colourGrid = new QGridLayout(colours);
    const char *colourLabels[5] = {
        "Farbe für Kontrollstrukturen",
        "Farbe für vordefinierte Anweisungen und Bedingungen",
        "Farbe für selbstdefinierte Anweisungen und Bedingungen",
        "Farbe für Zahlen",
        "Farbe für Kommentare",
    };
    TColorSwatch *swatches[5];
    for (int i = 0; i < 5; ++i) {
        auto *swatch = new TColorSwatch(colours);
        swatch->setObjectName(QStringLiteral("Farbe%1").arg(i + 1));
        connect(swatch, &TColorSwatch::Clicked, this, [this, swatch] { SwatchClicked(swatch); });
        colourGrid->addWidget(swatch, i, 0);
        colourGrid->addWidget(new QLabel(QString::fromUtf8(colourLabels[i]), colours), i, 1);
        swatches[i] = swatch;
    }
    Farbe1 = swatches[0];
    Farbe2 = swatches[1];
    Farbe3 = swatches[2];
    Farbe4 = swatches[3];
    Farbe5 = swatches[4];
    Button3 = new QPushButton(QStringLiteral("Standardeinstellungen"), colours);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setAutoDefault(false);
    connect(Button3, &QPushButton::clicked, this, &TSettingsDlgE::DefaultsClicked);
    colourGrid->addWidget(Button3, 5, 1, Qt::AlignRight);
    colourGrid->setColumnStretch(1, 1);

    // Formatting.
    auto *format = new QGroupBox(QStringLiteral(" Formatieren "), this);
    format->setObjectName(QStringLiteral("rgFormatieren"));
    auto *formatLayout = new QVBoxLayout(format);
    rgFormatieren = new QButtonGroup(this);
    const char *formatItems[2] = {"nur Einrückungen", "Einrückungen und Schreibweise anpassen"};
    for (int i = 0; i < 2; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(formatItems[i]), format);
        rgFormatieren->addButton(radio, i);
        formatLayout->addWidget(radio);
    }

    // Line numbers on screen and on paper, printing in colour.
    auto *screen = new QGroupBox(QStringLiteral(" Bildschirm "), this);
    chkZNummern = new QCheckBox(QStringLiteral("Zeilennummern anzeigen"), screen);
    chkZNummern->setObjectName(QStringLiteral("chkZNummern"));
    (new QVBoxLayout(screen))->addWidget(chkZNummern);
    auto *print = new QGroupBox(QStringLiteral(" Ausdruck "), this);
    chkDZNummern = new QCheckBox(QStringLiteral("Zeilennummern anzeigen"), print);
    chkDZNummern->setObjectName(QStringLiteral("chkDZNummern"));
    chkDFarbe = new QCheckBox(QStringLiteral("in Farbe"), print);
    chkDFarbe->setObjectName(QStringLiteral("chkDFarbe"));
    auto *printLayout = new QVBoxLayout(print);
    printLayout->addWidget(chkDZNummern);
    printLayout->addWidget(chkDFarbe);
    auto *lineRow = new QHBoxLayout;
    lineRow->addWidget(screen);
    lineRow->addWidget(print);

    QHBoxLayout *buttons = MakeOkCancelRow(this, Button2, Button1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topRow);
    layout->addWidget(chkErwSyntax);
    layout->addWidget(colours);
    layout->addWidget(format);
    layout->addLayout(lineRow);
    layout->addStretch();
    layout->addLayout(buttons);

    resize(sizeHint().expandedTo(QSize(400, 456)));
}

void TSettingsDlgE::Load(const TumboSettings &s, int fontSizePoints)
{
    chkZNummern->setChecked(s.LineNumbers);
    speTabWidth->setValue(s.TabWidth);
    const int index = cbFontSize->findText(QString::number(fontSizePoints), Qt::MatchExactly);
    cbFontSize->setCurrentIndex(index >= 0 ? index : kDefaultFontSizeIndex);
    chkDZNummern->setChecked(s.PrintLineNumbers);
    chkDFarbe->setChecked(s.PrintColor);
    Farbe1->SetColor(s.ColorKeyWord);
    Farbe2->SetColor(s.ColorKeyWord2);
    Farbe3->SetColor(s.ColorIdentifier);
    Farbe4->SetColor(s.ColorNumber);
    Farbe5->SetColor(s.ColorComment);
    rgFormatieren->button(s.FormatToken ? 1 : 0)->setChecked(true);
    chkErwSyntax->setChecked(s.ExtendedSyntax);
}

void TSettingsDlgE::Store(TumboSettings &s) const
{
    s.LineNumbers = chkZNummern->isChecked();
    s.TabWidth = speTabWidth->CommittedValue();
    s.PrintLineNumbers = chkDZNummern->isChecked();
    s.PrintColor = chkDFarbe->isChecked();
    s.ColorKeyWord = Farbe1->Color();
    s.ColorKeyWord2 = Farbe2->Color();
    s.ColorIdentifier = Farbe3->Color();
    s.ColorNumber = Farbe4->Color();
    s.ColorComment = Farbe5->Color();
    s.FormatToken = rgFormatieren->checkedId() == 1;
    s.ExtendedSyntax = chkErwSyntax->isChecked();
}

int TSettingsDlgE::FontSize() const
{
    return cbFontSize->currentText().toInt();
}

void TSettingsDlgE::SwatchClicked(TColorSwatch *swatch)
{
    const ColorChoice choice = picker_(ToQColor(swatch->Color()), this);
    switch (choice.result) {
    case ColorChoice::Chosen:
        swatch->SetColor(FromQColor(choice.color));
        break;
    case ColorChoice::Cancelled:
        break;
    case ColorChoice::Failed:
        QMessageBox::critical(this, windowTitle(),
                              QStringLiteral("Farbauswahldialog kann nicht geöffnet werden."));
        break;
    }
}

void TSettingsDlgE::DefaultsClicked()
{
    TColorSwatch *swatches[5] = {Farbe1, Farbe2, Farbe3, Farbe4, Farbe5};
    for (int i = 0; i < 5; ++i)
        swatches[i]->SetColor(DefaultColors[i]);
    speTabWidth->setValue(kDefaultTabWidth);
}

void TSettingsDlgE::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
}

}  // namespace tumbo::app
