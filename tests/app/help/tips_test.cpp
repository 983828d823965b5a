// The tips file and the tips window.
#include "app/help/dlg_tips.h"
#include "app/help/tips_file.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "modal.h"

using namespace tumbo::app;

namespace {

TEST(TipsFile, FindsTipsAndWrapsAround)
{
    const struct {
        int asked;
        TTipLoad::Status status;
        int shown;
        const char *text;
    } cases[] = {
        {1, TTipLoad::Found, 1, "[1] Eins\nerste Zeile"},
        {2, TTipLoad::Found, 2, "[2] Zwei\nzweite Zeile\nnoch eine"},
        {3, TTipLoad::Found, 3, "[3] Drei\nletzter Tipp ohne Schlusszeile"},
        {4, TTipLoad::Found, 1, "[1] Eins\nerste Zeile"},  // past the last tip: tip 1
        {0, TTipLoad::Found, 1, "[1] Eins\nerste Zeile"},
    };
    for (const auto &c : cases) {
        const TTipLoad load = LoadTipFromFile(Fixture("tips_three.txt"), c.asked);
        EXPECT_EQ(load.status, c.status) << c.asked;
        EXPECT_EQ(load.tipNumber, c.shown) << c.asked;
        EXPECT_EQ(load.text, QString::fromUtf8(c.text)) << c.asked;
    }
}

TEST(TipsFile, Errors)
{
    const TTipLoad missing = LoadTipFromFile(Fixture("gibt_es_nicht.txt"), 1);
    EXPECT_EQ(missing.status, TTipLoad::FileError);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("gibt_es_nicht.txt")));

    // The bad header is reached only when the search passes it.
    EXPECT_EQ(LoadTipFromFile(Fixture("tips_bad_number.txt"), 1).status, TTipLoad::Found);
    const TTipLoad bad = LoadTipFromFile(Fixture("tips_bad_number.txt"), 3);
    EXPECT_EQ(bad.status, TTipLoad::BadHeader);
    EXPECT_TRUE(bad.message.contains(QStringLiteral("'x'"))) << bad.message.toStdString();
    EXPECT_TRUE(bad.text.isEmpty());
    EXPECT_EQ(LoadTipFromFile(Fixture("tips_no_bracket.txt"), 2).status, TTipLoad::BadHeader);

    const TTipLoad cp1252 = LoadTipFromFile(Fixture("tips_cp1252.txt"), 1);
    EXPECT_EQ(cp1252.text, QStringLiteral("[1] Größe\nMünze €"));
}

TEST(TipsFile, ShippedTipsAllLoad)
{
    const QString path = QStringLiteral(TUMBO_DATA_DIR "/tipps.txt");
    int count = 0;
    for (int n = 1; n < 1000; ++n) {
        const TTipLoad load = LoadTipFromFile(path, n);
        ASSERT_EQ(load.status, TTipLoad::Found) << n << " " << load.message.toStdString();
        if (load.tipNumber != n)
            break;  // wrapped: n is past the last tip
        EXPECT_TRUE(load.text.startsWith(QStringLiteral("[%1]").arg(n)));
        EXPECT_GT(load.text.count(u'\n'), 0) << "tip " << n << " has no text";
        ++count;
    }
    EXPECT_GE(count, 20);
}

TEST(TipsFile, ReflowJoinsTheLinesOfAParagraph)
{
    struct Case {
        const char *text, *shown;
    };
    const Case cases[] = {
        {"[1] Kopf\nerste Zeile", "[1] Kopf\nerste Zeile"},
        {"[2] Kopf\nLass dein Programm\npr\u00fcfen, bevor du\nes startest.", "[2] Kopf\nLass dein Programm pr\u00fcfen, bevor du es startest."},
        {"[3] Kopf\nEins\nzwei\n\nDrei\nvier", "[3] Kopf\nEins zwei\n\nDrei vier"},
        {"[4] Kopf\nSo geht es:\n- links\n- rechts\n1. dann", "[4] Kopf\nSo geht es:\n- links\n- rechts\n1. dann"},
        {"[5] Kopf\n  eingerückt  \nweiter", "[5] Kopf\neingerückt weiter"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReflowTip(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

TEST(TipsForm, CaptionAndControls)
{
    TTipsForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tipps und Tricks zu Robot Tumbo"));
    EXPECT_EQ(form.chkShowTips->text(), QStringLiteral("beim nächsten Programmstart anzeigen"));
    EXPECT_TRUE(form.chkShowTips->isChecked());
    EXPECT_EQ(form.btnNext->text(), QStringLiteral("Nächster Tipp"));
    EXPECT_EQ(form.btnOK->text(), QStringLiteral("OK"));
    bool heading = false;
    for (QLabel *l : form.findChildren<QLabel *>())
        heading |= l->text() == QStringLiteral("Weißt du schon ?");
    EXPECT_TRUE(heading);
}

TEST(TipsForm, LastTipThreeOfThreeShowsTipOne)
{
    TTipsForm form;
    form.SetTipsFile(Fixture("tips_three.txt"));
    TumboSettings s;
    s.LastTip = 3;
    QString shown;
    WhenModal<TTipsForm>([&shown](TTipsForm *f) {
        shown = f->TipText->text();
        f->chkShowTips->setChecked(false);
        QTest::mouseClick(f->btnOK, Qt::LeftButton);
    });
    form.Execute(s);
    EXPECT_EQ(shown, QStringLiteral("[1] Eins\nerste Zeile"));
    EXPECT_EQ(s.LastTip, 1);
    EXPECT_FALSE(s.ShowTips);
}

TEST(TipsForm, NextTipAdvancesAndOpeningAgainContinues)
{
    TTipsForm form;
    form.SetTipsFile(Fixture("tips_three.txt"));
    TumboSettings s;  // LastTip 1: the first opening shows tip 2
    QStringList seen;
    WhenModal<TTipsForm>([&seen](TTipsForm *f) {
        seen << f->TipText->text().section(u'\n', 0, 0);
        QTest::mouseClick(f->btnNext, Qt::LeftButton);
        seen << f->TipText->text().section(u'\n', 0, 0);
        QTest::mouseClick(f->btnNext, Qt::LeftButton);
        seen << f->TipText->text().section(u'\n', 0, 0);
        f->accept();
    });
    form.Execute(s);
    EXPECT_EQ(seen, QStringList({"[2] Zwei", "[3] Drei", "[1] Eins"}));
    EXPECT_EQ(s.LastTip, 1);
    EXPECT_TRUE(s.ShowTips);
}

TEST(TipsForm, MissingFileKeepsTheTextAndReports)
{
    TTipsForm form;
    QStringList reports;
    form.SetErrorReporter([&reports](const QString &m) { reports << m; });
    form.SetTipsFile(Fixture("tips_three.txt"));
    form.SetTipNumber(2);
    EXPECT_TRUE(form.LoadTip());
    form.SetTipsFile(Fixture("fehlt.txt"));
    form.SetTipNumber(3);
    EXPECT_FALSE(form.LoadTip());
    EXPECT_EQ(reports.size(), 1);
    EXPECT_TRUE(form.TipText->text().startsWith(QStringLiteral("[2] Zwei")));

    form.SetTipsFile(Fixture("tips_bad_number.txt"));
    form.SetTipNumber(3);
    EXPECT_FALSE(form.LoadTip());
    EXPECT_EQ(reports.size(), 2);
    EXPECT_TRUE(form.TipText->text().isEmpty());
}

}  // namespace
