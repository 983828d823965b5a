// The editor and robot settings dialogs: filling, OK and Cancel, corrections.
#include "app/dialogs/dlg_settings_e.h"
#include "app/dialogs/dlg_settings_k.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dialogs/color_swatch.h"
#include "modal.h"
#include "world/qt/spin_edit.h"

using namespace tumbo::app;

namespace {

TumboSettings EditorValues()
{
    TumboSettings s;
    s.LineNumbers = false;
    s.TabWidth = 5;
    s.PrintLineNumbers = true;
    s.PrintColor = true;
    s.ColorKeyWord = 0x123456;
    s.ColorKeyWord2 = clRed;
    s.ColorIdentifier = 0xABCDEF;
    s.ColorNumber = clGrayText;
    s.ColorComment = clGreen;
    s.FormatToken = false;
    s.ExtendedSyntax = false;
    return s;
}

void ExpectEditorKeysEqual(const TumboSettings &a, const TumboSettings &b)
{
    EXPECT_EQ(a.LineNumbers, b.LineNumbers);
    EXPECT_EQ(a.TabWidth, b.TabWidth);
    EXPECT_EQ(a.PrintLineNumbers, b.PrintLineNumbers);
    EXPECT_EQ(a.PrintColor, b.PrintColor);
    EXPECT_EQ(a.ColorKeyWord, b.ColorKeyWord);
    EXPECT_EQ(a.ColorKeyWord2, b.ColorKeyWord2);
    EXPECT_EQ(a.ColorIdentifier, b.ColorIdentifier);
    EXPECT_EQ(a.ColorNumber, b.ColorNumber);
    EXPECT_EQ(a.ColorComment, b.ColorComment);
    EXPECT_EQ(a.FormatToken, b.FormatToken);
    EXPECT_EQ(a.ExtendedSyntax, b.ExtendedSyntax);
}

void TypeInto(tumbo::TSpinEdit *spin, const QString &text)
{
    QLineEdit *edit = spin->findChild<QLineEdit *>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(SettingsDlgE, CaptionAndControls)
{
    TSettingsDlgE dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Einstellungen Editor"));
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dlg.speTabWidth->minimum(), 1);
    EXPECT_EQ(dlg.speTabWidth->maximum(), 16);
    QStringList sizes;
    for (int i = 0; i < dlg.cbFontSize->count(); ++i)
        sizes << dlg.cbFontSize->itemText(i);
    EXPECT_EQ(sizes, QStringList({"8", "10", "11", "12", "14", "18", "24"}));
    EXPECT_FALSE(dlg.cbFontSize->isEditable());
    EXPECT_EQ(dlg.Button2->text(), QStringLiteral("OK"));
    EXPECT_EQ(dlg.Button1->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(dlg.Button3->text(), QStringLiteral("Standardeinstellungen"));
    EXPECT_EQ(dlg.rgFormatieren->button(0)->text(), QStringLiteral("nur Einrückungen"));
    EXPECT_EQ(dlg.rgFormatieren->button(1)->text(), QStringLiteral("Einrückungen und Schreibweise anpassen"));
    EXPECT_EQ(dlg.Farbe1->size(), QSize(21, 21));
    EXPECT_GE(dlg.width(), 400);
    EXPECT_GE(dlg.height(), 456);
}

TEST(SettingsDlgE, OkGivesBackWhatWasLoaded)
{
    const TumboSettings loaded = EditorValues();
    TSettingsDlgE dlg;
    dlg.Load(loaded, 14);
    EXPECT_FALSE(dlg.chkZNummern->isChecked());
    EXPECT_EQ(dlg.speTabWidth->value(), 5);
    EXPECT_EQ(dlg.cbFontSize->currentText(), QStringLiteral("14"));
    EXPECT_EQ(dlg.rgFormatieren->checkedId(), 0);
    EXPECT_EQ(dlg.Farbe4->Color(), clGrayText);

    WhenModal<TSettingsDlgE>([](TSettingsDlgE *d) { QTest::mouseClick(d->Button2, Qt::LeftButton); });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    TumboSettings stored;  // defaults everywhere
    dlg.Store(stored);
    ExpectEditorKeysEqual(stored, loaded);
    EXPECT_EQ(dlg.FontSize(), 14);
}

TEST(SettingsDlgE, ChangesReachTheSettingsOnlyOnOk)
{
    TSettingsDlgE dlg;
    const TumboSettings original;
    dlg.Load(original, 10);
    WhenModal<TSettingsDlgE>([](TSettingsDlgE *d) {
        d->chkZNummern->click();
        d->chkErwSyntax->click();
        d->rgFormatieren->button(0)->click();
        d->cbFontSize->setCurrentIndex(6);
        TypeInto(d->speTabWidth, QStringLiteral("20"));  // above the range: 16
        QTest::mouseClick(d->Button2, Qt::LeftButton);
    });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    TumboSettings s;
    dlg.Store(s);
    EXPECT_FALSE(s.LineNumbers);
    EXPECT_FALSE(s.ExtendedSyntax);
    EXPECT_FALSE(s.FormatToken);
    EXPECT_EQ(s.TabWidth, 16);
    EXPECT_EQ(dlg.FontSize(), 24);

    // Cancel: the caller stores nothing, and the next opening shows the live values again.
    WhenModal<TSettingsDlgE>([](TSettingsDlgE *d) {
        d->chkDFarbe->click();
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    dlg.Load(original, 10);
    TumboSettings again;
    again.PrintColor = true;
    dlg.Store(again);
    ExpectEditorKeysEqual(again, original);
}

TEST(SettingsDlgE, FontSizeNotInTheListSelectsTen)
{
    const struct {
        int points;
        const char *selected;
    } cases[] = {{8, "8"}, {10, "10"}, {24, "24"}, {9, "10"}, {13, "10"}, {0, "10"}, {72, "10"}};
    TSettingsDlgE dlg;
    for (const auto &c : cases) {
        dlg.Load(TumboSettings{}, c.points);
        EXPECT_EQ(dlg.cbFontSize->currentText(), QString::fromLatin1(c.selected)) << c.points;
        EXPECT_EQ(dlg.FontSize(), QString::fromLatin1(c.selected).toInt());
    }
}

TEST(SettingsDlgE, DefaultsResetColoursAndTabWidthOnly)
{
    TSettingsDlgE dlg;
    const TumboSettings loaded = EditorValues();
    dlg.Load(loaded, 18);
    QTest::mouseClick(dlg.Button3, Qt::LeftButton);
    const ColorValue expected[5] = {clBlack, clBlue, clGreen, clRed, clGrayText};
    TColorSwatch *swatches[5] = {dlg.Farbe1, dlg.Farbe2, dlg.Farbe3, dlg.Farbe4, dlg.Farbe5};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(swatches[i]->Color(), expected[i]) << "Farbe" << i + 1;
    EXPECT_EQ(dlg.speTabWidth->value(), 2);
    EXPECT_EQ(dlg.cbFontSize->currentText(), QStringLiteral("18"));
    EXPECT_FALSE(dlg.chkZNummern->isChecked());
    EXPECT_TRUE(dlg.chkDZNummern->isChecked());
    EXPECT_EQ(dlg.rgFormatieren->checkedId(), 0);
}

TEST(SettingsDlgE, SwatchTakesTheChosenColour)
{
    TSettingsDlgE dlg;
    dlg.Load(TumboSettings{}, 10);
    QColor offered;
    TSettingsDlgE::ColorChoice answer{TSettingsDlgE::ColorChoice::Chosen, QColor(10, 20, 30)};
    dlg.SetColorPicker([&](const QColor &initial, QWidget *) {
        offered = initial;
        return answer;
    });
    QTest::mouseClick(dlg.Farbe2, Qt::LeftButton);
    EXPECT_EQ(offered, QColor(0, 0, 255));  // clBlue, the colour of the swatch
    EXPECT_EQ(dlg.Farbe2->Color(), ColorValue(10 | (20 << 8) | (30 << 16)));

    answer = {TSettingsDlgE::ColorChoice::Cancelled, {}};
    QTest::mouseClick(dlg.Farbe2, Qt::LeftButton);
    EXPECT_EQ(dlg.Farbe2->Color(), ColorValue(10 | (20 << 8) | (30 << 16)));

    // A colour dialog that cannot be opened: a message, the swatch unchanged.
    answer = {TSettingsDlgE::ColorChoice::Failed, {}};
    QString shown;
    WhenModal<QMessageBox>([&shown](QMessageBox *box) {
        shown = box->text();
        box->accept();
    });
    QTest::mouseClick(dlg.Farbe5, Qt::LeftButton);
    EXPECT_EQ(shown, QStringLiteral("Farbauswahldialog kann nicht geöffnet werden."));
    EXPECT_EQ(dlg.Farbe5->Color(), clGrayText);
}

TumboSettings RobotValues()
{
    TumboSettings s;
    s.Delay = 730;
    s.RestoreWorld = true;
    s.MaxJump = 4;
    s.CheckBrick = true;
    s.MaxBrick = 25;
    s.BrickStart = 12;
    s.Hint = false;
    s.StopOnError = true;
    return s;
}

TEST(SettingsDlgK, CaptionAndControls)
{
    TSettingsDlgK dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Einstellungen Tumbo"));
    EXPECT_EQ(dlg.TrackBar1->minimum(), 0);
    EXPECT_EQ(dlg.TrackBar1->maximum(), 2000);
    EXPECT_EQ(dlg.TrackBar1->singleStep(), 10);
    EXPECT_EQ(dlg.TrackBar1->pageStep(), 50);
    EXPECT_EQ(dlg.TrackBar1->tickInterval(), 100);
    EXPECT_EQ(dlg.TrackBar1->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(dlg.speMaxJump->minimum(), 1);
    EXPECT_EQ(dlg.speMaxJump->maximum(), 10);
    EXPECT_EQ(dlg.speStartZiegel->minimum(), 0);
    EXPECT_EQ(dlg.speStartZiegel->maximum(), 999);
    EXPECT_EQ(dlg.speMaxZiegel->minimum(), 1);
    EXPECT_EQ(dlg.speMaxZiegel->maximum(), 999);
    EXPECT_EQ(dlg.rgIError->button(0)->text(), QStringLiteral("keine Auswirkungen"));
    EXPECT_EQ(dlg.rgIError->button(1)->text(), QStringLiteral("nur Hinweis ausgeben"));
    EXPECT_EQ(dlg.rgIError->button(2)->text(), QStringLiteral("Programmabbruch"));
    EXPECT_GE(dlg.width(), 417);
    EXPECT_GE(dlg.height(), 392);
}

TEST(SettingsDlgK, OkGivesBackWhatWasLoaded)
{
    const TumboSettings loaded = RobotValues();
    TSettingsDlgK dlg;
    dlg.Load(loaded);
    WhenModal<TSettingsDlgK>([](TSettingsDlgK *d) { QTest::mouseClick(d->Button2, Qt::LeftButton); });
    ASSERT_EQ(dlg.exec(), QDialog::Accepted);
    TumboSettings s;
    dlg.Store(s);
    EXPECT_EQ(s.Delay, 730);
    EXPECT_TRUE(s.RestoreWorld);
    EXPECT_EQ(s.MaxJump, 4);
    EXPECT_TRUE(s.CheckBrick);
    EXPECT_EQ(s.MaxBrick, 25);
    EXPECT_EQ(s.BrickStart, 12);
    EXPECT_FALSE(s.Hint);
    EXPECT_TRUE(s.StopOnError);
}

TEST(SettingsDlgK, CancelKeepsNothingForTheNextOpening)
{
    const TumboSettings loaded = RobotValues();
    TSettingsDlgK dlg;
    dlg.Load(loaded);
    WhenModal<TSettingsDlgK>([](TSettingsDlgK *d) {
        d->TrackBar1->setValue(1500);
        d->chkZiegel->click();
        d->rgIError->button(0)->click();
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    dlg.Load(loaded);
    EXPECT_EQ(dlg.TrackBar1->value(), 730);
    EXPECT_TRUE(dlg.chkZiegel->isChecked());
    EXPECT_EQ(dlg.rgIError->checkedId(), 2);
}

TEST(SettingsDlgK, MaxBrickZeroShowsOneAndOkMakesItOne)
{
    TumboSettings s;  // MaxBrick 0 and BrickStart 999 are the file's defaults
    s.CheckBrick = true;
    TSettingsDlgK dlg;
    dlg.Load(s);
    EXPECT_EQ(dlg.speMaxZiegel->text(), QStringLiteral("1"));
    dlg.Store(s);
    EXPECT_EQ(s.MaxBrick, 1);
    EXPECT_EQ(s.BrickStart, 999);
}

TEST(SettingsDlgK, ErrorChoiceMapping)
{
    const struct {
        bool hint, stop;
        int index;
    } opening[] = {{true, false, 1}, {true, true, 1}, {false, true, 2}, {false, false, 0}};
    TSettingsDlgK dlg;
    for (const auto &c : opening) {
        TumboSettings s;
        s.Hint = c.hint;
        s.StopOnError = c.stop;
        dlg.Load(s);
        EXPECT_EQ(dlg.rgIError->checkedId(), c.index) << c.hint << c.stop;
    }
    const struct {
        int index;
        bool hint, stop;
    } closing[] = {{0, false, false}, {1, true, false}, {2, false, true}};
    for (const auto &c : closing) {
        dlg.rgIError->button(c.index)->click();
        TumboSettings s;
        s.Hint = !c.hint;
        s.StopOnError = !c.stop;
        dlg.Store(s);
        EXPECT_EQ(s.Hint, c.hint) << c.index;
        EXPECT_EQ(s.StopOnError, c.stop) << c.index;
    }
}

TEST(SettingsDlgK, BrickFieldsFollowTheCheckBox)
{
    TumboSettings s = RobotValues();
    s.CheckBrick = false;
    TSettingsDlgK dlg;
    dlg.Load(s);
    dlg.show();
    EXPECT_FALSE(dlg.speMaxZiegel->isEnabled());
    EXPECT_FALSE(dlg.speStartZiegel->isEnabled());
    QTest::mouseClick(dlg.chkZiegel, Qt::LeftButton, {}, QPoint(5, dlg.chkZiegel->height() / 2));
    EXPECT_TRUE(dlg.speMaxZiegel->isEnabled());
    EXPECT_TRUE(dlg.speStartZiegel->isEnabled());
    TypeInto(dlg.speMaxZiegel, QStringLiteral("40"));
    TypeInto(dlg.speStartZiegel, QStringLiteral("1200"));
    // Off and on again in one opening keeps the last numbers.
    dlg.chkZiegel->click();
    EXPECT_FALSE(dlg.speMaxZiegel->isEnabled());
    dlg.chkZiegel->click();
    TumboSettings out = RobotValues();
    dlg.Store(out);
    EXPECT_TRUE(out.CheckBrick);
    EXPECT_EQ(out.MaxBrick, 40);
    EXPECT_EQ(out.BrickStart, 999);

    // Counting off: the numbers stay as they were.
    dlg.chkZiegel->click();
    TumboSettings off = RobotValues();
    dlg.Store(off);
    EXPECT_FALSE(off.CheckBrick);
    EXPECT_EQ(off.MaxBrick, 25);
    EXPECT_EQ(off.BrickStart, 12);
    dlg.hide();
}

TEST(SettingsDlgK, DelayValueField)
{
    const struct {
        int ms;
        const char *text;
    } cases[] = {{0, " 0.00 s"}, {500, " 0.50 s"}, {10, " 0.01 s"}, {1234, " 1.23 s"}, {2000, " 2.00 s"}};
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto &c : cases)
        EXPECT_EQ(TSettingsDlgK::DelayText(c.ms), QString::fromLatin1(c.text));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(TSettingsDlgK::DelayText(500), QStringLiteral(" 0,50 s"));

    TSettingsDlgK dlg;
    TumboSettings s;
    s.Delay = 500;
    dlg.Load(s);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral(" 0,50 s"));
    dlg.show();
    dlg.TrackBar1->setFocus();
    QTest::keyClick(dlg.TrackBar1, Qt::Key_Right);
    EXPECT_EQ(dlg.TrackBar1->value(), 510);
    QTest::keyClick(dlg.TrackBar1, Qt::Key_PageUp);
    EXPECT_EQ(dlg.TrackBar1->value(), 560);
    EXPECT_EQ(dlg.lblDelay->text(), QStringLiteral(" 0,56 s"));
    dlg.hide();
    QLocale::setDefault(before);
}

}  // namespace
